#include "ZB_TraceLog.h"

#include "GM_FichierRegulier.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QThread>

ZB_TraceLog::Scope::Scope(ZB_TraceLog* log, const char* nom)
    : log_(log)
    , nom_(nom)
{
    if (log_ != nullptr)
        log_->enter(nom_);
}

ZB_TraceLog::Scope::~Scope()
{
    if (log_ != nullptr)
        log_->leave(nom_);
}

ZB_TraceLog::ZB_TraceLog(const QString& dossier)
    : chemin_(dossier + QStringLiteral("/debugLog.txt"))
    , cheminAncien_(dossier + QStringLiteral("/debugLog_old.txt"))
{
}

ZB_TraceLog::~ZB_TraceLog()
{
    close();
}

void ZB_TraceLog::enter(const char* nom)
{
    ecrit_(QStringLiteral("Enter ") + QString::fromUtf8(nom));
}

void ZB_TraceLog::leave(const char* nom)
{
    ecrit_(QStringLiteral("Leave ") + QString::fromUtf8(nom));
}

void ZB_TraceLog::log(const QString& ligne)
{
    ecrit_(ligne);
}

void ZB_TraceLog::close()
{
    QMutexLocker lock(&mutex_);
    if (fichier_.isOpen())
        fichier_.close();
}

bool ZB_TraceLog::ouvre_unlocked()
{
    if (fichier_.isOpen())
        return true;
    fichier_.setFileName(chemin_);
    if (!GM_FichierRegulier::ecarte(chemin_))
        return false;
    return fichier_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void ZB_TraceLog::tourne_unlocked()
{
    fichier_.close();
    QFile::remove(cheminAncien_);
    if (!QFile::rename(chemin_, cheminAncien_))
        QFile::remove(chemin_);
}

void ZB_TraceLog::ecrit_(const QString& ligne)
{
    const QString texte = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))
        + QStringLiteral(" [") + QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()), 16)
        + QStringLiteral("] ") + ligne + QLatin1Char('\n');
    const QByteArray octets = texte.toUtf8();

    QMutexLocker lock(&mutex_);
    if (!ouvre_unlocked())
        return;
    if (fichier_.size() > TAILLE_MAX) {
        tourne_unlocked();
        if (!ouvre_unlocked())
            return;
    }
    fichier_.write(octets);
    fichier_.flush();
}
