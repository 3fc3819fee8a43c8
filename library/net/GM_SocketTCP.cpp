#include "GM_SocketTCP.h"

#include "GM_BasseLatence.h"

#include <QMutexLocker>
#include <QSslSocket>
#include <QTcpSocket>

GM_SocketTCP::GM_SocketTCP(QObject* parent)
    : GM_SocketTCP(new QTcpSocket, parent)
{
}

GM_SocketTCP::GM_SocketTCP(QTcpSocket* socket, QObject* parent)
    : GM_SocketAbstract(parent)
    , socket_(socket != nullptr ? socket : new QTcpSocket)
{
    socket_->setParent(this);
    GM_BasseLatence::applique(socket_);
    connecteSignaux_();
}

GM_SocketTCP::~GM_SocketTCP()
{
    QMutexLocker verrou(&mutex_);
    // Nothing the socket says while it goes may reach a half-destroyed
    // transport.
    if (signauxConnectes_) {
        socket_->disconnect(this);
        signauxConnectes_ = false;
    }
    delete socket_;
    socket_ = nullptr;
}

void GM_SocketTCP::connecteSignaux_()
{
    QMutexLocker verrou(&mutex_);
    connect(socket_, &QTcpSocket::readyRead, this, &GM_SocketAbstract::readyRead_tcpOld);
    connect(socket_, &QTcpSocket::disconnected, this, &GM_SocketAbstract::disconnected);
    connect(socket_, &QTcpSocket::connected, this, &GM_SocketAbstract::connected);
    connect(socket_, &QTcpSocket::hostFound, this, &GM_SocketAbstract::hostFound_tcpOld);
    connect(socket_, &QTcpSocket::stateChanged, this, &GM_SocketAbstract::stateChanged);
    connect(socket_, &QTcpSocket::errorOccurred, this, &GM_SocketAbstract::error);
    if (auto* ssl = qobject_cast<QSslSocket*>(socket_))
        connect(ssl, &QSslSocket::sslErrors, this, &GM_SocketTCP::onSslErrors);
    signauxConnectes_ = true;
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
        ajouteLigneErreur(QStringLiteral("GM_SocketTCP(%1:%2)::onSslErrors %3")
                              .arg(QString::number(reinterpret_cast<quintptr>(this), 16),
                                   socket_->peerAddress().toString(), erreur.errorString()));
    }
    emit sslErrors(erreurs);
}

void GM_SocketTCP::abort()
{
    socket_->abort();
}

bool GM_SocketTCP::isValid() const
{
    return socket_->isValid();
}

bool GM_SocketTCP::isOpen() const
{
    return socket_->isOpen();
}

QAbstractSocket::SocketState GM_SocketTCP::state() const
{
    return socket_->state();
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

QHostAddress GM_SocketTCP::peerAddress() const
{
    return socket_->peerAddress();
}

quint16 GM_SocketTCP::peerPort() const
{
    return socket_->peerPort();
}

QAbstractSocket::SocketError GM_SocketTCP::socketError() const
{
    return socket_->error();
}

QString GM_SocketTCP::errorString() const
{
    return socket_->errorString();
}

quint16 GM_SocketTCP::localPort() const
{
    return socket_->localPort();
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
