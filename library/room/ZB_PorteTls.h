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
// handshake and the rest. A socket stays the gate's until its WebSocket
// handshake is done too (the owner tells it: ouverte).
//
// Rules:
// - The port always takes connections: a socket in its TLS handshake holds
//   none of the listening socket's pending places, so that silent sockets
//   cannot stop the port from accepting.
// - A socket's handshakes run in two steps, each with DelaiHandshakeMs to
//   finish: TLS once it starts, then the WebSocket upgrade once TLS is
//   done. One address runs at most HandshakesParAdresseMax sockets through
//   them at once; its next sockets wait their turn and start as its
//   running ones finish or fail, those that sent their first bytes (a
//   player's TLS hello) before silent ones, else in the order they came.
//   Many players behind one address (a club, a school) thus all get in, a
//   few at a time, and are never refused for coming together; sockets
//   that go silent after TLS hold their address's turns no longer than
//   the ones that never spoke.
// - Unfinished sockets (waiting, in TLS or in the upgrade) are at most
//   NonTerminesMax in all. A newcomer past that makes room: the address
//   that holds the most of them (GM_PartParAdresse), the newcomer counted
//   at its own, gives up its oldest waiting socket that never sent a byte,
//   else its oldest. Silent sockets from many addresses thus push out
//   their own kind, not a player from an address of its own, whose
//   handshake starts at once; a player queued behind silent sockets of its
//   own address is not pushed out by more of them.
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

    // Sockets from that address in their TLS handshake or WebSocket upgrade.
    int handshakesEnCours(const QHostAddress& adresse) const;
    // Sockets past TLS whose WebSocket upgrade is not done, from every
    // address.
    int enUpgrade() const;
    // Sockets from that address waiting for their handshake to start.
    int enAttente(const QHostAddress& adresse) const;
    // Unfinished sockets from every address.
    int nonTermines() const { return int(nonTermines_.size()); }
    // The WebSocket server made a connection of the socket from that peer:
    // it is no longer unfinished.
    void ouverte(const QHostAddress& adresse, quint16 port);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    static constexpr qint64 TamponAttente = 64 * 1024;

    enum Etape { Attente, Tls, Upgrade };
    struct NonTermine {
        QSslSocket* socket;
        QHostAddress adresse;
        Etape etape;
        // Bytes came while it waited.
        bool parle;
    };

    qsizetype indexDe_(const QSslSocket* socket) const;
    // Who makes room for a newcomer from that address, -1 when nobody.
    qsizetype aRenvoyer_(const QHostAddress& nouveau) const;
    void demarre_(qsizetype index);
    // Closes the socket unless it left that step meanwhile.
    void limiteEtape_(QSslSocket* socket, Etape etape);
    // The socket is no longer unfinished: it leaves the list, and the next
    // waiting socket of its address may start (one that spoke first).
    void sort_(QSslSocket* socket);
    void ferme_(QSslSocket* socket);
    void termine_(QSslSocket* socket);

    QPointer<QWebSocketServer> web_;
    // In the order they came.
    QList<NonTermine> nonTermines_;
};
