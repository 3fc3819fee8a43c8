#include "GM_Download.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>

#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr QFileDevice::Permissions DossierPrive =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions FichierEnCours = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions Installateur =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr int StatutRedirectionMin = 300;
constexpr int StatutRedirectionMax = 399;

// Whether the folder is ours alone: a real folder (not a link to one),
// owned by this user, that nobody else may enter. A folder of ours that
// others could write into is closed first.
bool dossierPrive(const QString& chemin)
{
#ifdef Q_OS_UNIX
    struct stat etat {};
    const QByteArray local = QFile::encodeName(chemin);
    if (::lstat(local.constData(), &etat) != 0 || !S_ISDIR(etat.st_mode) || etat.st_uid != ::geteuid())
        return false;
    if ((etat.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(local.constData(), S_IRWXU) != 0)
        return false;
    return true;
#else
    const QFileInfo info(chemin);
    return info.isDir() && !info.isSymLink();
#endif
}

} // namespace

GM_Download::GM_Download(GM_MessageBoxDisplayerA* displayer, QObject* parent)
    : QObject(parent)
    , manager_(new QNetworkAccessManager(this))
{
    setMessageBoxDisplayer(displayer);
}

GM_Download::~GM_Download()
{
    if (QNetworkReply* reply = reply_.data()) {
        reply->disconnect(this);
        reply->abort();
        if (boxId_ >= 0)
            closeMessageBox(uint(boxId_));
    }
    libereFichier_(true);
}

bool GM_Download::isDownloading() const
{
    return !reply_.isNull();
}

QString GM_Download::updateFolder()
{
    const QString chemin = QDir(QDir::tempPath()).filePath(QLatin1String(FolderName));
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink())
        QDir().mkdir(chemin, DossierPrive);
    if (dossierPrive(chemin))
        return chemin;
    // Someone else's, or a link: a private folder of our own beside it.
    qWarning().noquote() << "GM_Download: the update folder" << chemin << "is not private; using another";
    QTemporaryDir autre(QDir(QDir::tempPath()).filePath(QLatin1String(FolderName) + QLatin1String("-XXXXXX")));
    if (!autre.isValid())
        return QString();
    autre.setAutoRemove(false);
    return autre.path();
}

void GM_Download::download(const QUrl& url, const QString& fileName)
{
    if (reply_ != nullptr) {
        // A second question answered while the first download runs: two
        // replies must never write into one file.
        qWarning() << "GM_Download: a download is under way; the new one is ignored";
        return;
    }
    url_ = url;
    if (QFileInfo(fileName).isSymLink() || QFile::exists(fileName))
        QFile::remove(fileName);
    file_ = new QFile(fileName);
    // NewOnly: nothing may have taken the name since it was removed.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        messageBox(GM::Warning, tr("Mise à jour"),
                   tr("Erreur lors de l'écriture du fichier '%1': %2.")
                       .arg(QDir::toNativeSeparators(fileName), file_->errorString()),
                   GM::Ok);
        delete file_;
        file_ = nullptr;
        return;
    }
    file_->setPermissions(FichierEnCours);
    cancelled_ = false;
    writeFailed_ = false;
    writeError_.clear();
    lastPercent_ = 0.0;

    QNetworkRequest requete(url_);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = manager_->get(requete);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, &GM_Download::httpFinished);
    connect(reply, &QNetworkReply::readyRead, this, &GM_Download::httpReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &GM_Download::updateDataReadProgress);
    boxId_ = int(messageBoxDownload(tr("Téléchargement en cours"), tr("Pourcentage %1%...").arg(0), this));
}

bool GM_Download::ecrit_(QNetworkReply* reply)
{
    const QByteArray morceau = reply->readAll();
    if (morceau.isEmpty() || file_->write(morceau) == morceau.size())
        return true;
    // A truncated installer must never be started.
    writeFailed_ = true;
    writeError_ = file_->errorString();
    return false;
}

void GM_Download::httpReadyRead()
{
    QNetworkReply* reply = reply_.data();
    if (file_ == nullptr || reply == nullptr || writeFailed_ || cancelled_)
        return;
    if (!ecrit_(reply))
        reply->abort();
}

void GM_Download::updateDataReadProgress(qint64 bytesRead, qint64 totalBytes)
{
    // An unknown total (-1, or 0 before the headers) gives no percentage.
    if (cancelled_ || totalBytes <= 0 || bytesRead < 0)
        return;
    const double pourcentage = qBound(0.0, double(bytesRead) / double(totalBytes) * 100.0, 100.0);
    if (std::abs(pourcentage - lastPercent_) <= PercentStep)
        return;
    updateMessageBox(tr("Téléchargement en cours"),
                     tr("Pourcentage %1%...").arg(QString::number(pourcentage, 'f', 0)), boxId_);
    lastPercent_ = pourcentage;
}

void GM_Download::cancelDownload()
{
    cancelled_ = true;
    if (QNetworkReply* reply = reply_.data())
        reply->abort();
}

void GM_Download::libereFichier_(bool retire)
{
    if (file_ == nullptr)
        return;
    file_->close();
    if (retire)
        file_->remove();
    delete file_;
    file_ = nullptr;
}

void GM_Download::httpFinished()
{
    QNetworkReply* reply = reply_.data();
    if (reply == nullptr || sender() != reply)
        return;
    closeStatusBox();
    // The percentage box is over: a box that says how it ended may follow
    // at once.
    if (boxId_ >= 0)
        closeMessageBox(uint(boxId_));
    reply_ = nullptr;
    reply->deleteLater();
    if (cancelled_) {
        libereFichier_(true);
        return;
    }
    // What arrived with the end, unless a write already failed.
    if (file_ != nullptr && !writeFailed_ && reply->error() == QNetworkReply::NoError)
        ecrit_(reply);
    const int statut = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool redirection = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid()
                             || (statut >= StatutRedirectionMin && statut <= StatutRedirectionMax);
    const QString nom = file_ != nullptr ? file_->fileName() : QString();
    if (!writeFailed_ && file_ != nullptr && !file_->flush()) {
        writeFailed_ = true;
        writeError_ = file_->errorString();
    }
    if (writeFailed_) {
        libereFichier_(true);
        messageBox(GM::Warning, tr("Mise à jour"),
                   tr("Erreur lors de l'écriture du fichier '%1': %2.").arg(QDir::toNativeSeparators(nom), writeError_),
                   GM::Ok);
    } else if (reply->error() != QNetworkReply::NoError) {
        libereFichier_(true);
        messageBox(GM::Warning, tr("Mise à jour"), tr("Echec du téléchargement: %1.").arg(reply->errorString()),
                   GM::Ok);
    } else if (redirection) {
        libereFichier_(true);
        messageBox(GM::Warning, tr("Mise à jour"),
                   tr("Echec du téléchargement: %1.").arg(tr("Redirection innatendue")), GM::Ok);
    } else {
        libereFichier_(false);
        QFile::setPermissions(nom, Installateur);
        emit signalDownloadCompletedSuccefully(nom);
    }
}
