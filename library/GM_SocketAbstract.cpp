#include "GM_SocketAbstract.h"

#include <QMutexLocker>

GM_SocketAbstract::GM_SocketAbstract(QObject* parent)
    : QObject(parent)
{
}

GM_SocketAbstract::~GM_SocketAbstract() = default;

void GM_SocketAbstract::ajouteLigneErreur(const QString& ligne)
{
    QMutexLocker verrou(&mutexErreurs_);
    while (lignesErreur_.size() >= NombreMaxLignesErreur)
        lignesErreur_.removeFirst();
    lignesErreur_.append(ligne);
}

QStringList GM_SocketAbstract::getLignesErreur() const
{
    QMutexLocker verrou(&mutexErreurs_);
    return lignesErreur_;
}
