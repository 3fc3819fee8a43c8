#pragma once

#include "GM_SocketAbstract.h"
#include "OptionsDuJoueur.h"
#include "ZB_RecordFramer.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class ZB_ServerSocket;

// One client of a hosting room: its transport, the player it identified as,
// the table it plays at and its own receive buffer. The connection owns its
// socket. What the socket reports is posted to the room's server socket,
// which handles it in order on the GUI thread.
//
// A client that misbehaves collects strikes; past StrikesMax the socket is
// aborted and, unless the peer is on this machine or the local gateway, its
// address is reported for a ban.
class ZB_ServerSocketConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr int DelaiAuthentificationMs = 8000;
    static constexpr quint64 StrikesMax = 20;
    // A read of the TCP transport takes at most this many bytes.
    static constexpr qint64 TailleLectureMax = 10000;
    // The bytes an unfinished record may hold: a client only ever sends
    // short events.
    static constexpr qsizetype TailleTamponMax = 1 << 20;
    // Chat messages a client may send within a window: a person types far
    // fewer; what comes beyond is dropped with a strike.
    static constexpr int MessagesParFenetre = 10;
    static constexpr qint64 FenetreMessagesMs = 10000;

    explicit ZB_ServerSocketConnection(GM_SocketAbstract* socket, QObject* parent = nullptr);
    ~ZB_ServerSocketConnection() override;
    ZB_ServerSocketConnection(const ZB_ServerSocketConnection&) = delete;
    ZB_ServerSocketConnection& operator=(const ZB_ServerSocketConnection&) = delete;

    // Where the socket's news go; none before the server accepts the
    // connection.
    void setServer(ZB_ServerSocket* server);
    ZB_ServerSocket* getServer() const;

    // Null once the socket is gone.
    GM_SocketAbstract* getSocket() const { return socket_.data(); }

    // -1 until seated: the client then hears every table of the room.
    int getTableId() const { return tableId_; }
    void setTableId(int tableId) { tableId_ = tableId; }
    // -1 until the client identified itself.
    qint64 getPlayerId() const { return playerId_; }
    void setPlayerId(qint64 playerId) { playerId_ = playerId; }

    bool estIdentifie() const { return identifie_; }
    // The client's user, as it identified itself.
    void identifie(const OptionsDuJoueur& options);
    const OptionsDuJoueur& getOptions() const { return options_; }
    // The player who gave up its seat to this one (the address rule), -1
    // for none: the seat it held is this one's.
    qint64 getIdCedant() const { return idCedant_; }
    void setIdCedant(qint64 id) { idCedant_ = id; }

    // The challenge the host sent this connection for its player to sign,
    // empty when none: drawn once, the answer must sign this one.
    const QString& getDefi() const { return defi_; }
    void setDefi(const QString& defi) { defi_ = defi; }

    quint64 getStrikes() const { return strikes_; }
    // One more strike; true when that one was too many and the connection
    // was aborted.
    bool ajouteStrike();
    // Aborted for its strikes or its buffer: nothing it sends counts any
    // more.
    bool estAbandonnee() const { return abandonnee_; }
    // Drops the socket now: aborted, and its news no longer heard.
    void ferme();
    // Gives the socket up to the caller, who closes and deletes it; the
    // connection hears nothing of it any more and counts as given up.
    GM_SocketAbstract* lacheSocket();

    // Writes all the bytes, as many times as the transport takes part of
    // them; false, and the connection's removal asked, when the transport
    // fails or stops taking bytes.
    bool ecrit(const QByteArray& octets);

    // Counts one chat message; false when the window's allowance is spent.
    bool prendMessage();

    ZB_RecordFramer& tampon() { return tampon_; }
    const QTimer& getTimerAuthentification() const { return timerAuthentification_; }

    // "Adresse: <peer address>, Port: <peer port>, Id: <player id>".
    QString toString() const;

signals:
    void signalRequestBan(const QHostAddress& address);

public slots:
    void onReadyRead_tcpOld();
    void onBinaryMessageReceived(const QByteArray& message);
    void onDisconnect();
    void onSocketDestroyed();
    void onError(QAbstractSocket::SocketError erreur);
    void onAuthTimeout();

private:
    void demandeRetrait_();

    QPointer<ZB_ServerSocket> server_;
    QPointer<GM_SocketAbstract> socket_;
    quint64 strikes_ = 0;
    QElapsedTimer fenetreMessages_;
    int messagesDansLaFenetre_ = 0;
    bool identifie_ = false;
    bool abandonnee_ = false;
    int tableId_ = -1;
    qint64 playerId_ = -1;
    qint64 idCedant_ = -1;
    OptionsDuJoueur options_;
    QString defi_;
    ZB_RecordFramer tampon_{TailleTamponMax};
    QTimer timerAuthentification_;
};
