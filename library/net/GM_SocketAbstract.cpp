#include "GM_SocketAbstract.h"

#include <QMutexLocker>

GM_SocketAbstract::GM_SocketAbstract(QObject* parent)
    : QObject(parent)
{
}

GM_SocketAbstract::~GM_SocketAbstract() = default;

void GM_SocketAbstract::abort() {}

bool GM_SocketAbstract::isValid() const
{
    return state() == QAbstractSocket::ConnectedState;
}

bool GM_SocketAbstract::isOpen() const
{
    return isValid();
}

bool GM_SocketAbstract::waitForDisconnected(int msecs)
{
    Q_UNUSED(msecs);
    return false;
}

bool GM_SocketAbstract::waitForBytesWritten(int msecs)
{
    Q_UNUSED(msecs);
    return false;
}

void GM_SocketAbstract::connectToHost(const QString& host, quint16 port)
{
    Q_UNUSED(host);
    Q_UNUSED(port);
}

void GM_SocketAbstract::close() {}

QHostAddress GM_SocketAbstract::peerAddress() const
{
    return QHostAddress();
}

quint16 GM_SocketAbstract::peerPort() const
{
    return 0;
}

void GM_SocketAbstract::resume() {}

QAbstractSocket::SocketError GM_SocketAbstract::socketError() const
{
    return QAbstractSocket::UnknownSocketError;
}

QString GM_SocketAbstract::errorString() const
{
    return QString();
}

quint16 GM_SocketAbstract::localPort() const
{
    return 0;
}

void GM_SocketAbstract::disconnectFromHost() {}

qint64 GM_SocketAbstract::bytesAvailable() const
{
    return 0;
}

QByteArray GM_SocketAbstract::read(qint64 maxSize)
{
    Q_UNUSED(maxSize);
    return QByteArray();
}

bool GM_SocketAbstract::isUnsecure() const
{
    return true;
}

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
