#include "GM_BanList.h"

#include <QDateTime>
#include <QDebug>
#include <QMutexLocker>

GM_BanList::GM_BanList(QObject* parent)
    : QObject(parent)
{
}

GM_BanList::~GM_BanList() = default;

size_t GM_BanList::hashAdresse(const QHostAddress& address)
{
    return qHash(address, 1189282901);
}

qint64 GM_BanList::maintenant() const
{
    return QDateTime::currentSecsSinceEpoch();
}

bool GM_BanList::isBanned(const QHostAddress& address) const
{
    QMutexLocker verrou(&mutex_);
    const auto it = jusqua_.constFind(hashAdresse(address));
    return it != jusqua_.constEnd() && it.value() >= maintenant();
}

qint64 GM_BanList::OnBan(const QHostAddress& address)
{
    if (isBanned(address))
        return PremiereDuree;
    qint64 duree = PremiereDuree;
    {
        QMutexLocker verrou(&mutex_);
        const size_t cle = hashAdresse(address);
        const auto precedente = durees_.constFind(cle);
        if (precedente != durees_.constEnd())
            duree = precedente.value() >= DureeMax / 10 ? DureeMax : precedente.value() * 10;
        durees_.insert(cle, duree);
        jusqua_.insert(cle, maintenant() + duree);
    }
    qWarning().noquote() << QStringLiteral("GM_BanList banned '") + address.toString() + QStringLiteral("' for ")
                                + QString::number(duree) + QStringLiteral("[s].");
    return duree;
}
