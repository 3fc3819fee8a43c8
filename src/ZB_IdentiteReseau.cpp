#include "ZB_IdentiteReseau.h"

#include "GM_FichierRegulier.h"
#include "ZB_FicheIdentification.h"

#include <QDir>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageAuthenticationCode>
#include <QSaveFile>

ZB_IdentiteReseau::ZB_IdentiteReseau(const QString& dossier)
    : dossier_(dossier)
{
}

ZB_IdentiteReseau::~ZB_IdentiteReseau() = default;

const QByteArray& ZB_IdentiteReseau::litSecret_()
{
    if (!secret_.isEmpty())
        return secret_;
    secret_ = ZB_FicheIdentification::genereCle().toLatin1();
    if (dossier_.isEmpty() || !QDir().mkpath(dossier_))
        return secret_;
    const QDir dossier(dossier_);
    // The lock reads a lock file it finds: a pipe in its place would hold
    // the join for good.
    if (!GM_FichierRegulier::ecarte(dossier.filePath(QLatin1String(FICHIER_VERROU))))
        return secret_;
    auto verrou = std::make_unique<QLockFile>(dossier.filePath(QLatin1String(FICHIER_VERROU)));
    // Only the death of its holder frees the lock, however long ago it was
    // taken: a game may last for hours.
    verrou->setStaleLockTime(0);
    if (verrou->tryLock(0)) {
        verrou_ = std::move(verrou);
        proprietaire_ = true;
    }

    // A link is read through (a user may keep the file elsewhere), but
    // never written through nor moved: one that leads to no secret (a
    // target missing for now) costs this run its id, not the next ones.
    const QString chemin = dossier.filePath(QLatin1String(FICHIER_SECRET));
    QFile lu;
    if (GM_FichierRegulier::ouvreEnLecture(lu, chemin, GM_FichierRegulier::SuitLesLiens)) {
        const QString garde = QString::fromLatin1(lu.read(64)).trimmed();
        if (ZB_FicheIdentification::estCle(garde)) {
            secret_ = garde.toLatin1();
            duDossier_ = true;
            return secret_;
        }
    }
    // The holder of the folder makes its secret; the others do with one of
    // their own for the run.
    if (!proprietaire_)
        return secret_;
    duDossier_ = true;
    if (QFileInfo(chemin).isSymLink()) {
        qWarning().noquote() << QStringLiteral("'%1' is a link to no player secret: this run's id is its own, "
                                               "and the link is left as it is")
                                    .arg(chemin);
        return secret_;
    }
    QSaveFile ecrit(chemin);
    if (GM_FichierRegulier::ecarte(ecrit.fileName()) && ecrit.open(QIODevice::WriteOnly)) {
        // Whoever reads it takes the user's seats: the user's alone.
        ecrit.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ecrit.write(secret_ + '\n');
        ecrit.commit();
    }
    return secret_;
}

ZB_CleDeJoueur ZB_IdentiteReseau::signataire(const QString& hote)
{
    // The seed names what it is for, so that the secret's other uses never
    // meet it.
    const QByteArray graine = QMessageAuthenticationCode::hash(
        QByteArrayLiteral("zubrik signing key\n") + hote.trimmed().toLower().toUtf8(), litSecret_(),
        QCryptographicHash::Sha256);
    return ZB_CleDeJoueur::depuisGraine(graine);
}

qint64 ZB_IdentiteReseau::id(const QString& hote)
{
    return ZB_CleDeJoueur::idDePublique(signataire(hote).publique());
}

QString ZB_IdentiteReseau::cle(const QString& hote, qint64 id)
{
    // The file is the folder secret's: read once that secret is this
    // program's.
    litSecret_();
    if (!cleLue_ && duDossier_) {
        cleLue_ = true;
        QFile lu;
        if (GM_FichierRegulier::ouvreEnLecture(lu, QDir(dossier_).filePath(QLatin1String(FICHIER_CLE)),
                                               GM_FichierRegulier::SuitLesLiens)) {
            const QStringList lignes = QString::fromUtf8(lu.read(1024)).split(QLatin1Char('\n'));
            bool ok = false;
            const qint64 idLu = lignes.size() >= 3 ? lignes.at(0).trimmed().toLongLong(&ok) : -1;
            const QString cleLue = lignes.size() >= 3 ? lignes.at(2).trimmed() : QString();
            if (ok && ZB_FicheIdentification::estCle(cleLue)) {
                idCle_ = idLu;
                hoteCle_ = lignes.at(1).trimmed();
                cle_ = cleLue;
            }
        }
    }
    return id == idCle_ && hote.trimmed() == hoteCle_ ? cle_ : QString();
}

void ZB_IdentiteReseau::setCle(const QString& hote, qint64 id, const QString& cle)
{
    if (!ZB_FicheIdentification::estCle(cle))
        return;
    cleLue_ = true;
    hoteCle_ = hote.trimmed();
    idCle_ = id;
    cle_ = cle;
    // Another id's key in the folder would be of no use to the folder's ids.
    if (!proprietaire_ || id != this->id(hoteCle_))
        return;
    QSaveFile ecrit(QDir(dossier_).filePath(QLatin1String(FICHIER_CLE)));
    if (GM_FichierRegulier::ecarte(ecrit.fileName()) && ecrit.open(QIODevice::WriteOnly)) {
        // Whoever reads the key takes the seat back: the user's alone, as
        // the settings file is.
        ecrit.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ecrit.write(QByteArray::number(id) + '\n' + hoteCle_.toUtf8() + '\n' + cle.toLatin1() + '\n');
        ecrit.commit();
    }
}
