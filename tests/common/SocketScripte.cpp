#include "SocketScripte.h"

SocketScripte::SocketScripte()
{
    horloge_.start();
}

qint64 SocketScripte::write(const QByteArray& donnees)
{
    if (echoue)
        return -1;
    const qint64 n = prendAuPlus < 0 ? donnees.size() : qMin<qint64>(prendAuPlus, donnees.size());
    ecritures << donnees.left(n);
    return n;
}

QByteArray SocketScripte::read(qint64 maxSize)
{
    lectures << maxSize;
    const QByteArray morceau = aLire.left(maxSize);
    aLire.remove(0, morceau.size());
    return morceau;
}

QString SocketScripte::errorString() const
{
    return QStringLiteral("boom");
}

void SocketScripte::disconnectFromHost()
{
    ++deconnexions;
    ferme_();
}

void SocketScripte::connectToHost(const QString& host, quint16 portHote)
{
    connexions << QStringLiteral("%1:%2").arg(host).arg(portHote);
    instants << horloge_.elapsed();
    etat = QAbstractSocket::ConnectingState;
    emit stateChanged(etat);
    if (refuse) {
        etat = QAbstractSocket::UnconnectedState;
        emit error(QAbstractSocket::ConnectionRefusedError);
        return;
    }
    etat = QAbstractSocket::ConnectedState;
    emit connected();
}

void SocketScripte::recoit(const QByteArray& octets)
{
    aLire += octets;
    emit readyRead_tcpOld();
}

void SocketScripte::hotePart()
{
    etat = QAbstractSocket::UnconnectedState;
    emit error(QAbstractSocket::RemoteHostClosedError);
    emit disconnected();
}

QByteArray SocketScripte::ecrit() const
{
    QByteArray tout;
    for (const QByteArray& e : ecritures)
        tout += e;
    return tout;
}

void SocketScripte::ferme_()
{
    ++fermetures;
    if (etat == QAbstractSocket::UnconnectedState)
        return;
    etat = QAbstractSocket::UnconnectedState;
    emit disconnected();
}
