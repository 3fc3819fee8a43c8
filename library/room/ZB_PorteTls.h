#pragma once

#include <QHostAddress>
#include <QPointer>
#include <QSslServer>

class QWebSocketServer;

// The TLS front of the secure WebSocket port: it takes the port's TCP
// connections, runs their TLS handshakes and hands each socket that
// completed one to the WebSocket server, which does the WebSocket
// handshake and the rest.
//
// Rules:
// - Sockets in a TLS handshake hold the port's pending places: a TLS
//   handshake has DelaiHandshakeMs to finish, and one address has at most
//   HandshakesParAdresseMax of them unfinished at once; one more from it is
//   closed as it comes. Sockets that open the port and never speak thus
//   cannot keep out a player from another address. Many addresses together
//   still can, until their handshakes time out.
// - The TLS configuration is the WebSocket server's, read at each
//   connection, so that a change to it applies to the next one.
// - The WebSocket server is not owned; without it, sockets are closed.
class ZB_PorteTls : public QSslServer
{
    Q_OBJECT

public:
    static constexpr int DelaiHandshakeMs = 4000;
    static constexpr int HandshakesParAdresseMax = 3;

    ZB_PorteTls(QWebSocketServer* web, QObject* parent);

    // TLS handshakes from that address not finished yet.
    int handshakesEnCours(const QHostAddress& adresse) const;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    QPointer<QWebSocketServer> web_;
};
