#pragma once

#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>

class QSslSocket;
class QWebSocketServer;

// The TLS front of the secure WebSocket port: it takes the port's TCP
// connections, runs their TLS handshakes and hands each socket that
// completed one to the WebSocket server, which does the WebSocket
// handshake and the rest.
//
// Rules:
// - The port always takes connections: a socket in its TLS handshake holds
//   none of the listening socket's pending places, so that silent sockets
//   cannot stop the port from accepting.
// - A TLS handshake has DelaiHandshakeMs to finish once it starts. One
//   address runs at most HandshakesParAdresseMax of them at once; its next
//   sockets wait their turn, in the order they came, and start as its
//   running ones finish or fail. Many players behind one address (a club,
//   a school) thus all get in, a few at a time, and are never refused for
//   coming together.
// - Unfinished sockets (running or waiting) are at most NonTerminesMax in
//   all. A newcomer past that makes room: the oldest unfinished socket of
//   the address that holds the most of them (GM_PartParAdresse), the
//   newcomer counted at its own, is closed. Silent sockets from many
//   addresses thus push out their own kind, not a player from an address
//   of its own, whose handshake starts at once.
// - The TLS configuration is the WebSocket server's, read as each
//   handshake starts, so that a change to it applies to the next one.
// - The WebSocket server is not owned; without it, sockets are closed.
// GUI thread only.
class ZB_PorteTls : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr int DelaiHandshakeMs = 4000;
    static constexpr int HandshakesParAdresseMax = 3;
    static constexpr int NonTerminesMax = 64;

    ZB_PorteTls(QWebSocketServer* web, QObject* parent);
    ~ZB_PorteTls() override;
    ZB_PorteTls(const ZB_PorteTls&) = delete;
    ZB_PorteTls& operator=(const ZB_PorteTls&) = delete;

    // TLS handshakes from that address running now.
    int handshakesEnCours(const QHostAddress& adresse) const;
    // Sockets from that address waiting for their handshake to start.
    int enAttente(const QHostAddress& adresse) const;
    // Unfinished sockets from every address.
    int nonTermines() const { return int(nonTermines_.size()); }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    static constexpr qint64 TamponAttente = 64 * 1024;

    struct NonTermine {
        QSslSocket* socket;
        QHostAddress adresse;
        bool demarre;
    };

    qsizetype indexDe_(const QSslSocket* socket) const;
    void demarre_(qsizetype index);
    // The socket is no longer unfinished: it leaves the list, and the next
    // waiting socket of its address may start.
    void sort_(QSslSocket* socket);
    void ferme_(QSslSocket* socket);
    void termine_(QSslSocket* socket);

    QPointer<QWebSocketServer> web_;
    // In the order they came.
    QList<NonTermine> nonTermines_;
};
