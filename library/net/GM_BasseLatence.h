#pragma once

class QAbstractSocket;
class QWebSocket;
class QWebSocketServer;

// Asks the system to send small writes at once (TCP_NODELAY) on the sockets
// of the table protocol and of the lobby. Their writes are small (a card, a
// bid, a chat line) and come in bursts: with the default coalescing a write
// waits for the acknowledgement of the previous one, which the peer delays
// by up to tens of milliseconds, so that a card reached the other players
// of a table that much later than its sender's own echo. Every socket of
// both protocols asks for it, at both ends and on every transport.
//
// Rules:
// - The option lives with the system socket: a socket that is not connected
//   yet gets it when it connects, and again at each new connection.
// - A WebSocket keeps its TCP socket to itself. A client's is its child
//   (and the TLS socket's plain socket is that one's child). The one a
//   WebSocket server accepted stays with the server's own listener: it is
//   found among the server's descendants by its two ports and the peer's
//   address.
// - Asking twice is harmless.
class GM_BasseLatence
{
public:
    GM_BasseLatence() = delete;

    // A socket connected or to be connected.
    static void applique(QAbstractSocket* socket);
    // A client WebSocket: its TCP socket when it connects.
    static void applique(QWebSocket* socket);
    // A WebSocket that this server accepted (after its handshake).
    static void appliqueAccepte(QWebSocketServer* serveur, QWebSocket* socket);
};
