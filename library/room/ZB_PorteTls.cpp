#include "ZB_PorteTls.h"

#include <QSslSocket>
#include <QWebSocketServer>

ZB_PorteTls::ZB_PorteTls(QWebSocketServer* web, QObject* parent)
    : QSslServer(parent)
    , web_(web)
{
    setHandshakeTimeout(DelaiHandshakeMs);
    connect(this, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            if (web_.isNull()) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            web_->handleConnection(socket);
        }
    });
}

int ZB_PorteTls::handshakesEnCours(const QHostAddress& adresse) const
{
    int n = 0;
    const QList<QSslSocket*> sockets = findChildren<QSslSocket*>(Qt::FindDirectChildrenOnly);
    for (const QSslSocket* s : sockets)
        if (!s->isEncrypted() && s->state() == QAbstractSocket::ConnectedState && s->peerAddress().isEqual(adresse))
            ++n;
    return n;
}

void ZB_PorteTls::incomingConnection(qintptr descriptor)
{
    if (!web_.isNull())
        setSslConfiguration(web_->sslConfiguration());
    QSslServer::incomingConnection(descriptor);
    // The socket the base class has just made for that descriptor, if it
    // took it.
    QSslSocket* nouveau = nullptr;
    const QList<QSslSocket*> sockets = findChildren<QSslSocket*>(Qt::FindDirectChildrenOnly);
    for (QSslSocket* s : sockets)
        if (s->socketDescriptor() == descriptor)
            nouveau = s;
    // Deleted at once: until then it holds a pending place, and the port
    // would stop taking connections.
    if (nouveau != nullptr && handshakesEnCours(nouveau->peerAddress()) > HandshakesParAdresseMax) {
        nouveau->abort();
        delete nouveau;
    }
}
