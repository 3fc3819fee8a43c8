#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTimer>

class GM_BanList;
class GM_SocketAbstract;
class QWebSocket;
class QWebSocketServer;
class ZB_PorteTls;
class ZB_Room;
class ZB_ServerSocket;

// The listening front end of a hosting machine. It takes table-protocol
// connections on three transports (raw TCP, secure WebSocket, plain
// WebSocket) and from the lobby's bridge, turns away addresses that open
// connections too fast, and hands every accepted socket to the server
// socket of a room.
//
// Dispatch: a connection holds a seat from the moment it is accepted, not
// only once its player has identified (about a second later), so that
// players of several tables who connect together spread over the rooms
// instead of crowding the first one. A new connection goes to the first
// waiting room with a seat that no connection holds yet; else to the
// first running room with free seats; else to an idle room, which is reset
// for it; else to the first waiting room that still has a seat no
// identified player holds (one of its connections may never identify);
// else to the first room, waiting or full (before the start, or running
// where the rule holds in play), where the newcomer's address may take a
// seat from an address that holds more (ZB_GardeDesSieges); else to the
// first running room that is full but would let one more identify: a
// player coming back to the seat it holds for her may find her old socket
// not yet seen closed there. A connection is refused only when every room
// is full of identified players or not taking any.
//
// Flood rule: every connection attempt of an address counts; an address
// reaching LimiteTentatives attempts within one clear period is banned
// through the ban list (6 s, then ten times longer each time) and its
// connections are refused while the ban lasts. A raw TCP connection counts
// twice (when the descriptor comes in and when it is taken), so a TCP
// client is banned at its tenth connection. This machine's own addresses
// (loopback, and its own network address when known) are never banned,
// unless the test switch is on. On the secure port, sockets still in
// their TLS handshake or WebSocket upgrade are bounded in time, per
// address and in all apart from this rule (ZB_PorteTls, told of each
// upgrade done), before anything is counted.
//
// Everything runs on the GUI thread. The rooms are not owned: a room that
// goes away is simply no longer offered connections.
class ZB_MultiServer : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr quint16 PortTcpDefaut = 4000;
    static constexpr quint16 PortWebSecureDefaut = 4001;
    static constexpr quint16 PortWebUnsecureDefaut = 4002;
    static constexpr qint64 LimiteTentatives = 20;
    // The window of the flood rule and the period of the clear timer.
    static constexpr int FenetreMsDefaut = 10000;
    static constexpr int ConnexionsEnAttenteMax = 10;
    static constexpr int DelaiHandshakeMs = 8000;
    // A table-protocol client only ever sends short events: a WebSocket
    // frame or message larger than this closes its connection before it is
    // buffered.
    static constexpr quint64 TailleMessageWebMax = 1 << 20;
    static constexpr quint64 TailleTrameWebMax = 1 << 20;
    // The embedded certificate and RSA key of the secure transport, issued
    // for this host name (and this machine's loopback addresses).
    static constexpr const char* HoteCertificat = "zubrik.invalid";
    static constexpr const char* RessourceCertificat = ":/ssl/zubrik.invalid.crt";
    static constexpr const char* RessourceCle = ":/ssl/zubrik.invalid.key";
    static constexpr const char* NomServeurSecure = "ZB_MultiServer Websocket Secure";
    static constexpr const char* NomServeurUnsecure = "ZB_MultiServer Websocket Unsecure";

    // identifiant: whatever the owner numbers its servers by. banList:
    // shared with the rooms' servers, which are given it too; a private
    // one is made when null.
    ZB_MultiServer(QObject* parent, int identifiant, const QList<ZB_Room*>& rooms, GM_BanList* banList);
    ~ZB_MultiServer() override;
    ZB_MultiServer(const ZB_MultiServer&) = delete;
    ZB_MultiServer& operator=(const ZB_MultiServer&) = delete;

    // Listens on the three ports of one address (0: any free port); false
    // when one of them could not listen, which is logged. Listening again
    // first closes all.
    bool ecoute(const QHostAddress& adresse, quint16 portTcp = PortTcpDefaut,
                quint16 portWebSecure = PortWebSecureDefaut, quint16 portWebUnsecure = PortWebUnsecureDefaut);
    // The ports actually listened on, 0 when not listening.
    quint16 getPortTcp() const;
    quint16 getPortWebSecure() const;
    quint16 getPortWebUnsecure() const;
    // Closes the TCP server and both WebSocket servers.
    virtual void closeAll();

    // One connection attempt of an address at a local port: false when it
    // is refused (banned now, or it just reached the flood limit).
    bool checkDoSProtection(const QHostAddress& address, quint16 localPort);
    // The server of the room the next connection goes to (see Dispatch),
    // null when no room takes one. An idle room is reset and starts
    // waiting. adresse: the newcomer's, null when it has none.
    ZB_ServerSocket* findRoomForConnection(const QHostAddress& adresse = QHostAddress());

    int getIdentifiant() const { return identifiant_; }
    QList<ZB_Room*> getRooms() const;
    GM_BanList* getBanList() const { return banList_; }
    // The TLS set-up of the secure transport succeeded.
    bool estTlsConfigure() const { return tlsConfigure_; }
    QWebSocketServer* getServeurWebSecure() const { return webSecure_; }
    QWebSocketServer* getServeurWebUnsecure() const { return webUnsecure_; }

    // Bridged connections are taken only while the lobby bridge is open.
    void setBridgeOuvert(bool ouvert) { bridgeOuvert_ = ouvert; }
    bool estBridgeOuvert() const { return bridgeOuvert_; }
    // Lets this machine's own addresses be banned too.
    void setModeTest(bool modeTest) { modeTest_ = modeTest; }
    bool estModeTest() const { return modeTest_; }
    // This machine's network address as text; empty when unknown.
    void setOwnAddress(const QString& adresse) { adressePropre_ = adresse; }
    const QString& getOwnAddress() const { return adressePropre_; }
    // The flood window and the clear timer's period, in ms; the timer
    // restarts with the new period.
    void setIntervalles(int fenetreMs, int periodeMs);
    int getFenetreMs() const { return fenetreMs_; }
    const QTimer& getTimerNettoyage() const { return timerNettoyage_; }
    // Attempts counted for an address in the current window.
    qint64 getTentatives(const QHostAddress& address) const;

    // The last non-loopback IPv4 address of this machine, empty if none.
    static QString adresseDeLaMachine();

signals:
    void signalLog(QString severity, QString message);

public slots:
    void OnReceiveBridgeOpen(GM_SocketAbstract* new_socketP);
    void onNewConnection_tcpOld();
    void onNewConnection_websocket_secure();
    void onNewConnection_websocket_unsecure();
    void onClearTimeout();

protected:
    void incomingConnection(qintptr descriptor) override;
    // The clock of the flood window: UTC milliseconds since the epoch.
    virtual qint64 maintenant() const;

private:
    struct Tentatives {
        qint64 debutMs = 0;
        qint64 nombre = 0;
    };

    void configureTls_();
    void webConnexions_(QWebSocketServer* serveur, bool unsecure);
    bool estExempte_(const QHostAddress& address) const;
    QList<ZB_ServerSocket*> serveursDesRooms_() const;
    static void refuse_(QAbstractSocket* socket);
    static void refuse_(QWebSocket* socket);

    QWebSocketServer* webSecure_;
    QWebSocketServer* webUnsecure_;
    // Runs the secure port's TLS handshakes for webSecure_, whose child it
    // is.
    ZB_PorteTls* porteTls_;
    int identifiant_;
    QList<QPointer<ZB_Room>> rooms_;
    QHash<size_t, Tentatives> tentatives_;
    GM_BanList* banList_;
    QTimer timerNettoyage_;
    QMutex mutex_;
    bool bridgeOuvert_ = false;
    bool modeTest_ = false;
    bool tlsConfigure_ = false;
    QString adressePropre_;
    int fenetreMs_ = FenetreMsDefaut;
};
