#pragma once

#include "GM_SocketAbstract.h"

#include <QHostAddress>
#include <QLatin1String>
#include <QMutex>
#include <QMutexLocker>
#include <QSslError>
#include <QString>

// What the TCP and the WebSocket transports share: each owns one Qt socket
// and hands most calls straight to it. QTcpSocket and QWebSocket have no
// common base for those calls, hence a template over the socket's class.
//
// Rules:
// - The Qt socket is owned: it becomes the transport's child and goes with
//   it.
// - The transport's constructor connects the socket's signals once, through
//   connecteSignaux_, under the mutex. The destructor disconnects them under
//   the same mutex before it deletes the socket, so that nothing the socket
//   says while it goes reaches a half-destroyed transport.
template <class Socket>
class GM_SocketSurQt : public GM_SocketAbstract
{
public:
    ~GM_SocketSurQt() override
    {
        QMutexLocker verrou(&mutex_);
        if (signauxConnectes_) {
            socket_->disconnect(this);
            signauxConnectes_ = false;
        }
        delete socket_;
        socket_ = nullptr;
    }

    void abort() override { socket_->abort(); }
    bool isValid() const override { return socket_->isValid(); }
    QAbstractSocket::SocketState state() const override { return socket_->state(); }
    QHostAddress peerAddress() const override { return socket_->peerAddress(); }
    quint16 peerPort() const override { return socket_->peerPort(); }
    QAbstractSocket::SocketError socketError() const override { return socket_->error(); }
    QString errorString() const override { return socket_->errorString(); }
    quint16 localPort() const override { return socket_->localPort(); }

protected:
    GM_SocketSurQt(Socket* socket, QObject* parent)
        : GM_SocketAbstract(parent)
        , socket_(socket)
    {
        socket_->setParent(this);
    }

    // Runs connexions, which connects the socket's signals to the transport.
    template <class Connexions>
    void connecteSignaux_(Connexions connexions)
    {
        QMutexLocker verrou(&mutex_);
        connexions();
        signauxConnectes_ = true;
    }

    // Keeps an SSL error among the recent error lines, with the transport's
    // name, this transport and the peer's address.
    void noteErreurSsl_(const char* transport, const QSslError& erreur)
    {
        ajouteLigneErreur(QStringLiteral("%1(%2:%3)::onSslErrors %4")
                              .arg(QLatin1String(transport), QString::number(reinterpret_cast<quintptr>(this), 16),
                                   socket_->peerAddress().toString(), erreur.errorString()));
    }

    Socket* socket_;

private:
    bool signauxConnectes_ = false;
    QMutex mutex_;
};
