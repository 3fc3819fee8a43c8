#include "GM_SocketTCP.h"

#include "GM_BasseLatence.h"

#include <QSslSocket>

GM_SocketTCP::GM_SocketTCP(QObject* parent)
    : GM_SocketTCP(new QTcpSocket, parent)
{
}

GM_SocketTCP::GM_SocketTCP(QTcpSocket* socket, QObject* parent)
    : GM_SocketSurQt(socket != nullptr ? socket : new QTcpSocket, parent)
{
    GM_BasseLatence::applique(socket_);
    connecteSignaux_();
}

GM_SocketTCP::~GM_SocketTCP() = default;

void GM_SocketTCP::connecteSignaux_()
{
    GM_SocketSurQt::connecteSignaux_([this] {
        connect(socket_, &QTcpSocket::readyRead, this, &GM_SocketAbstract::readyRead_tcpOld);
        connect(socket_, &QTcpSocket::disconnected, this, &GM_SocketAbstract::disconnected);
        connect(socket_, &QTcpSocket::connected, this, &GM_SocketAbstract::connected);
        connect(socket_, &QTcpSocket::hostFound, this, &GM_SocketAbstract::hostFound_tcpOld);
        connect(socket_, &QTcpSocket::stateChanged, this, &GM_SocketAbstract::stateChanged);
        connect(socket_, &QTcpSocket::errorOccurred, this, &GM_SocketAbstract::error);
        if (auto* ssl = qobject_cast<QSslSocket*>(socket_))
            connect(ssl, &QSslSocket::sslErrors, this, &GM_SocketTCP::onSslErrors);
    });
}

void GM_SocketTCP::onSslErrors(const QList<QSslError>& erreurs)
{
    auto* ssl = qobject_cast<QSslSocket*>(socket_);
    for (const QSslError& erreur : erreurs) {
        // The host certificate is issued for the public host name, whatever
        // address the client used to reach it.
        if (erreur.error() == QSslError::HostNameMismatch) {
            if (ssl != nullptr)
                ssl->ignoreSslErrors();
            continue;
        }
        noteErreurSsl_("GM_SocketTCP", erreur);
    }
    emit sslErrors(erreurs);
}

bool GM_SocketTCP::isOpen() const
{
    return socket_->isOpen();
}

bool GM_SocketTCP::waitForDisconnected(int msecs)
{
    return socket_->waitForDisconnected(msecs);
}

bool GM_SocketTCP::waitForBytesWritten(int msecs)
{
    return socket_->waitForBytesWritten(msecs);
}

void GM_SocketTCP::connectToHost(const QString& host, quint16 port)
{
    socket_->connectToHost(host, port, QIODevice::ReadWrite);
}

void GM_SocketTCP::close()
{
    socket_->close();
}

qint64 GM_SocketTCP::write(const QByteArray& donnees)
{
    return socket_->write(donnees);
}

void GM_SocketTCP::disconnectFromHost()
{
    socket_->disconnectFromHost();
}

qint64 GM_SocketTCP::bytesAvailable() const
{
    return socket_->bytesAvailable();
}

QByteArray GM_SocketTCP::read(qint64 maxSize)
{
    return socket_->read(maxSize);
}

bool GM_SocketTCP::isUnsecure() const
{
    const auto* ssl = qobject_cast<const QSslSocket*>(socket_);
    return ssl == nullptr || !ssl->isEncrypted();
}
