#include "ZB_IdentiteReseau.h"

#include "OptionsDuJoueur.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>

ZB_IdentiteReseau::ZB_IdentiteReseau(const QString& dossier)
    : dossier_(dossier)
{
}

ZB_IdentiteReseau::~ZB_IdentiteReseau() = default;

qint64 ZB_IdentiteReseau::id()
{
    if (id_ != -1)
        return id_;
    id_ = OptionsDuJoueur::genereId();
    if (dossier_.isEmpty() || !QDir().mkpath(dossier_))
        return id_;
    const QDir dossier(dossier_);
    auto verrou = std::make_unique<QLockFile>(dossier.filePath(QLatin1String(FICHIER_VERROU)));
    // Only the death of its holder frees the lock, however long ago it was
    // taken: a game may last for hours.
    verrou->setStaleLockTime(0);
    if (!verrou->tryLock(0))
        return id_;
    verrou_ = std::move(verrou);
    duDossier_ = true;

    QFile lu(dossier.filePath(QLatin1String(FICHIER_ID)));
    if (lu.open(QIODevice::ReadOnly)) {
        bool ok = false;
        const qint64 garde = QString::fromLatin1(lu.read(32)).trimmed().toLongLong(&ok);
        // -1 and below stand for no player in every event.
        if (ok && garde >= 0) {
            id_ = garde;
            return id_;
        }
    }
    QSaveFile ecrit(dossier.filePath(QLatin1String(FICHIER_ID)));
    if (ecrit.open(QIODevice::WriteOnly)) {
        ecrit.write(QByteArray::number(id_) + '\n');
        ecrit.commit();
    }
    return id_;
}
