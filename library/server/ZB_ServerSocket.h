#pragma once

#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "VersionProtocole.h"
#include "ZB_GardeDesSieges.h"
#include "ZB_ServerSeatingA.h"
#include "ZB_TableConfiguration.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>

class EvenementDeJeu;
class GM_BanList;
class GM_SocketAbstract;
class QHostAddress;
class ZB_EventsGroup;
class ZB_FicheIdentification;
class ZB_ServerSocketConnection;

// The hosting side of a room's table protocol: it accepts the clients'
// connections, waits for them to identify their user, seats them when the
// online game starts, takes their game events into the tables' event lists
// and sends every table event to the clients of that table.
//
// The wire carries UTF-8 texts of game events, one after the other. Every
// byte from a client is hostile until proven otherwise: each connection has
// its own bounded buffer, a record that does not read or that the client
// has no right to send is dropped and earns the client a strike, and the
// only record accepted before identification is the identification itself.
// Afterwards a client speaks only for its own table and, at a seat, only
// under its own player id; the table itself is not the client's to speak
// for, except for chat messages. A card that a client's seat does not hold
// or may not play is refused by the table, and earns a strike too.
//
// A client claims a seat by its player id, and ZB_GardeDesSieges says
// whether it may. A client of this version shows the public key its id is
// made from and is written a challenge of this connection's own (a NeW
// record whose text is ZB_CleDeJoueur::DefiLength digits, to that
// connection alone); it identifies again with the signature that answers
// it, and is identified only then. A signature made for another port is no
// proof: that player is taken for an older client. An older client is written the id's
// seat key, and a later connection under that id takes over only with the
// key. One address cannot take every seat from players at other addresses.
//
// Only identified players count against the seats: a new socket is refused
// once more players identified than the session has seats (one more is let
// in, so that a player whose old socket hangs on can come back), unless,
// before the start, an address holds more seats than the newcomer's would
// and gives one up (and is told it was refused). A socket that never
// identifies holds nothing but its own place for
// ZB_ServerSocketConnection::DelaiAuthentificationMs, and those places are
// capped apart, well above any seat count: NonIdentifiesParAdresseMax from
// one peer address (a new one from that address is refused; the lobby's
// bridge, which has no address, is not capped this way), and
// NonIdentifiesMax in all, past which one of them makes room for the
// newcomer: the oldest from the address that holds the most of them, the
// newcomer counted at its own. Idle sockets renewed from many addresses
// thus push out their own kind, not a real player who is still
// identifying from an address of its own. A refused socket is told so in
// one record (RECORD_REFUS_TABLE) and closed, and its client tells its user
// that the server refused it; a socket dropped to make room is closed
// without a word, and its client tries again. A player the host removes,
// and every player when the host stops, is told so in one record
// (RECORD_RETRAIT_TABLE, RECORD_ARRET_TABLE) before the close. A peer whose
// first bytes are no record speaks another protocol (a WebSocket or TLS
// client on the TCP port) and is closed at once. Likewise only identified
// players who leave can end the game or send the waiting players home.
//
// Everything runs on the GUI thread: the sockets only post events (1000,
// 1003, 1004) to this object. The recursive mutex guards the connections,
// the players and the state against the room's sending path.
class ZB_ServerSocket : public QObject, public ZB_ServerSeatingA
{
    Q_OBJECT

public:
    enum Etat {
        Arrete = 0,
        AttenteJoueurs = 1,
        AttenteDemarrageAuto = 2, // the first connection arms the start timer
        CompletAvantDepart = 3,
        DemarreParLaVue = 4
        // 5 and 6: ZB_ServerSeatingA's running states.
    };

    // What the server asks of its room.
    class Cb_TableConnectionInput
    {
    public:
        virtual ~Cb_TableConnectionInput() = default;
        virtual bool cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection,
                                                 const OptionsDuJoueur& player) = 0;
        virtual bool cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                                       const OptionsDuJoueur& player) = 0;
        virtual bool cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int tableId,
                                                            int posOnTable, bool isHotSwapSamePlayerSocketChange,
                                                            const OptionsDuJoueur& player) = 0;
        // The player of id idCedant gave up its seat to this newcomer
        // while the game runs: the newcomer takes that very seat, which the
        // table holds for the player who left. False when no table seats
        // that player (the default: a room with no such seats).
        virtual bool cb_setClientInGameInPlaceOf(ZB_ServerSocketConnection*, qint64, const OptionsDuJoueur&)
        {
            return false;
        }
        // Recreates the room's tables, nombreDeTables of them; false when
        // that failed.
        virtual bool cb_resetTables(int nombreDeTables) = 0;
    };

    // What the server tells the host's view of its connections.
    class Cb_SocketInput
    {
    public:
        virtual ~Cb_SocketInput() = default;
        virtual void cb_newConnection(ZB_ServerSocket* server, const OptionsDuJoueur& player,
                                      ZB_ServerSocketConnection* connection, bool replacedOld) = 0;
        virtual void cb_connectionClosed(ZB_ServerSocket* server, ZB_ServerSocketConnection* connection) = 0;
        virtual void cb_gameEnded(bool fin, int nombreDeTables) = 0;
        // The server's own lines, as the trace writes them.
        virtual void cb_log(const QString& severity, const QString& message) = 0;
        // What the host is to read, in its user's language, the player
        // named as the table shows it: one who left, was excluded for
        // slowness, gave up its seat to a newcomer, or found no seat at
        // the start. A host that removes a player says so itself.
        virtual void cb_annonce(const QString&) {}
    };

    // Connections that did not identify yet, from one address and in all.
    static constexpr int NonIdentifiesParAdresseMax = 8;
    static constexpr int NonIdentifiesMax = 32;
    // How long a refused socket may take to write its refusal.
    static constexpr int AttenteRefusMs = 5000;

    using ListeDeTables = QList<ZB_TableConfiguration>;
    using Humain = QPair<ZB_ServerSocketConnection*, OptionsDuJoueur>;

    // tables: the seating the lobby arranged, null for an ordinary session
    // of one table.
    ZB_ServerSocket(QObject* parent, Cb_TableConnectionInput* room, QSharedPointer<ListeDeTables> tables,
                    ZB_EventsGroup* events, const QString& chemin);
    ~ZB_ServerSocket() override;
    ZB_ServerSocket(const ZB_ServerSocket&) = delete;
    ZB_ServerSocket& operator=(const ZB_ServerSocket&) = delete;

    void setBanList(GM_BanList* banList) { banList_ = banList; }
    void setSocketInput(Cb_SocketInput* vue) { vue_ = vue; }
    // Names the computer players of a start; without one they are named
    // "Ordinateur".
    void setGenerateurDeNoms(std::function<QString()> generateur) { generateurDeNoms_ = std::move(generateur); }

    // The user of the hosting machine, who sits at the first seat of a
    // session of one table and plays there like any player; none by
    // default, and never at tables the lobby seats. The seat is not offered
    // to clients.
    void setJoueurLocal(const std::optional<OptionsDuJoueur>& joueur) { joueurLocal_ = joueur; }
    const std::optional<OptionsDuJoueur>& getJoueurLocal() const { return joueurLocal_; }
    // The host renames itself: the new name goes through the rule a
    // newcomer's goes through, so that it is told apart from the clients
    // already in. The name the host plays under, empty without a host.
    QString renommeJoueurLocal(const QString& nom);

    // Seats the session's tables offer to clients: 4 without a table list,
    // less the host's own seat.
    int maxPlayers() const;
    // Connections that hold a seat or will claim one: the identified
    // players and the connections still to identify (a client identifies
    // about a second after it connects). Those given up do not count.
    int connexionsTenues() const;
    int getNombreDeTables() const { return nombreDeTables_; }

    // The host starts waiting for players, with the options and ports of
    // the coming game; with demarrageAuto the game starts by itself
    // secondesAttente seconds after the first connection and needs one
    // player to start and to go on. A game the host starts by hand is the
    // host's: it needs nobody, and goes on when every client left, the
    // computer playing their seats until they come back.
    void attendJoueurs(const OptionsDePartie& options, quint16 portSecure, quint16 portUnsecure, quint16 portTcp,
                       bool demarrageAuto, int secondesAttente);
    // Identified players needed to start, and to keep the online game.
    void setNombreJoueursRequis(int nombre) { nombreJoueursRequis_ = nombre; }
    int getNombreJoueursRequis() const { return nombreJoueursRequis_; }

    // A new client; false when it was refused (the socket is then gone).
    bool acceptConnection(GM_SocketAbstract* socket);
    // With every seat claimed (before the start, or while the game runs
    // when partageEnJeu is set): a player from that address (null: none)
    // would have an address that holds more give one up.
    bool peutFaireDeLaPlace(const QHostAddress& adresse) const;
    // The address rule holds once the game runs too: for a host nobody
    // watches, who cannot remove by hand the players of one address that
    // took every seat. Off by default: a host at its window chose the
    // players it started with, and removes them itself.
    void setPartageEnJeu(bool partage) { partageEnJeu_ = partage; }
    bool getPartageEnJeu() const { return partageEnJeu_; }
    // flag: the player was replaced by a new connection of its own.
    void removeConnection(ZB_ServerSocketConnection* connection, bool flag);
    // The host sends an identified player away for the rest of the session:
    // its seat goes to the computer, and its id is refused from now on.
    void retireJoueur(ZB_ServerSocketConnection* connection);
    // An identified player finds no seat at a full game: it is told that
    // every seat is taken, and goes.
    void refuseComplet(ZB_ServerSocketConnection* connection);
    // The connection of that player is taken as lost (its copy stopped
    // answering): closed without a word, as a link that died, so that its
    // seat goes to the computer and the player may come back.
    void perdConnexion(qint64 playerId, const QString& raison);
    void closeAllConnections();
    // The host ends its online session: a running game is reported ended,
    // every connection closes and the server stops.
    void arrete();

    // Starts the online game with the players identified so far.
    void start(const OptionsDePartie& options, quint16 portSecure, quint16 portUnsecure, quint16 portTcp);
    // Enrols the humans and as many computers as the free seats need.
    void depart(const OptionsDePartie& options, const QList<Humain>& humains, const QList<OptionsDuJoueur>& ordinateurs,
                quint16 portSecure, quint16 portUnsecure, quint16 portTcp);

    // Sends a table event to every identified client of its table and to
    // those not seated yet; a client its transport fails is removed.
    void envoieEvenement(const EvenementDeJeu& ev);

    // The bytes a connection received, in the order they came.
    void dataReceived_(const QByteArray& octets, ZB_ServerSocketConnection* connection);

    // A table refused a move of this player that no honest client sends:
    // its connection gets a strike, as for a record that does not read.
    void coupRefuse(qint64 playerId, const QString& raison);

    // Drops the connections that never identified from the address whose
    // qHash (seed 0) is given.
    void disconnectUnidentifiedFrom(size_t addressHash);

    // The rewrite of a received event's source: what the sender called its
    // own becomes remote here.
    static int sourceRecue(int source, qint64 idJoueur);

    int getEtat() const { return etat_; }
    void setEtat(int etat) { etat_ = etat; }
    int getVersion() const { return version_; }
    void setVersion(int version) { version_ = version; }
    QRecursiveMutex* getMutex() { return &mutexRecursif_; }
    const QTimer& getTimerDepart() const { return timerDepart_; }
    const OptionsDePartie& getOptions() const { return options_; }
    quint16 getPortSecure() const { return portSecure_; }
    quint16 getPortUnsecure() const { return portUnsecure_; }
    quint16 getPortTcp() const { return portTcp_; }
    // In the order they connected.
    QList<ZB_ServerSocketConnection*> getConnections() const { return connexions_; }
    // In the order they identified.
    QList<ZB_ServerSocketConnection*> getJoueurs() const { return joueurs_; }

    // ZB_ServerSeatingA: a table's seating reports here.
    void connexionPlacee(ZB_ServerSocketConnection* connection, int noTable) override;
    bool estListeDAttenteVide() const override;
    void setEtatServeur(int etat) override { etat_ = etat; }

signals:
    void signalOnlineGameEnded();
    void signalDepart(OptionsDePartie options, ushort port_websocket_secure, ushort port_websocket_unsecure,
                      ushort port_tcpOld);
    void signalSetClientOffline(qlonglong playerId, bool isSendOfflineEvent, bool isNotifyAllPlayers);

public slots:
    void OnTimerStartTimeout();
    void OnBridgeClose(qint64 userIdFrom, qint64 userIdTo);

protected:
    void customEvent(QEvent* event) override;

private:
    // One whole record of a connection (precede: bytes stood before it);
    // false when it was refused and the sender deserves a strike (why in
    // raison).
    bool traiteRecord_(const QByteArray& record, bool precede, ZB_ServerSocketConnection* connection,
                       QString& raison);
    bool identification_(const EvenementDeJeu& ev, ZB_ServerSocketConnection* connection, QString& raison);
    // The signature answers that challenge, for that id, at the port the
    // connection came to.
    bool signatureValable_(const ZB_FicheIdentification& fiche, const QString& defi, qint64 id,
                           const ZB_ServerSocketConnection* connection) const;
    // The name a newcomer with that id plays under: its own, cleaned as
    // free text and bounded as a screen shows it (OptionsDuJoueur::nomBorne),
    // or, when another player (the host's, or another identified client's)
    // already goes by it, with " (2)", " (3)"... so that every screen tells
    // them apart. A player keeps its name against
    // its own older connection.
    QString nomDistinct_(const QString& nom, qint64 id) const;
    bool evenementDeJeu_(EvenementDeJeu& ev, ZB_ServerSocketConnection* connection, QString& raison);
    void strike_(ZB_ServerSocketConnection* connection, const QString& raison);
    void ajouteEventInscritJoueur_unlocked(QList<int>& etapes, int noTable, const OptionsDuJoueur& joueur,
                                           ZB_ServerSocketConnection* connection);
    void finDePartie_();
    void log_(const QString& severite, const QString& message);
    void annonce_(const QString& texte);
    static QString nomDe_(const ZB_ServerSocketConnection* connection);
    // removeConnection without a word to the host; the mutex is held.
    void retire_(ZB_ServerSocketConnection* connection, bool flag);
    bool estConnectee_(const ZB_ServerSocketConnection* connection) const;
    // Why a new socket from that address may not come in, empty when it may;
    // makes room among the unidentified connections when they are too many.
    QString raisonDeRefus_(const QHostAddress& adresse, bool* complet = nullptr);
    // Tells the socket it is refused (or, with another record, why it is
    // let go), closes it and deletes it.
    void refuse_(GM_SocketAbstract* socket, const QByteArray& record = QByteArray(RECORD_REFUS_TABLE));
    // The refusal for a table whose seats are all taken.
    static QByteArray refusComplet_();
    void oublie_(ZB_ServerSocketConnection* connection);
    bool sansListeDeTables_() const { return tables_.isNull() || tables_->isEmpty(); }
    // Before the start, when the identified players are the seats'
    // claimants.
    bool enAttente_() const
    {
        return etat_ == AttenteJoueurs || etat_ == AttenteDemarrageAuto || etat_ == CompletAvantDepart;
    }
    // When a newcomer from an address that holds fewer seats may take one
    // from an address that holds more.
    bool partageActif_() const
    {
        return enAttente_() || (partageEnJeu_ && (etat_ == EnCoursAvecPlacesLibres || etat_ == EnCoursComplet));
    }
    // The identified players' addresses in the order they identified, but
    // that connection's.
    QList<QHostAddress> adressesDesJoueurs_(const ZB_ServerSocketConnection* sauf) const;
    // Players of an address that holds too many seats give theirs up to the
    // newcomer; true when one did.
    bool faitDeLaPlace_(ZB_ServerSocketConnection* nouveau);
    void refuseIdentification_(ZB_ServerSocketConnection* connection,
                               const QByteArray& record = QByteArray(RECORD_REFUS_TABLE));

    Cb_TableConnectionInput* room_;
    GM_BanList* banList_ = nullptr;
    ZB_EventsGroup* events_;
    Cb_SocketInput* vue_ = nullptr;
    int etat_ = Arrete;
    int nombreJoueursRequis_ = 1;
    QRecursiveMutex mutexRecursif_;
    QList<ZB_ServerSocketConnection*> connexions_;
    QList<ZB_ServerSocketConnection*> joueurs_;
    QString chemin_;
    OptionsDePartie options_;
    quint16 portSecure_ = 65535;
    quint16 portUnsecure_ = 65535;
    quint16 portTcp_ = 65535;
    int version_ = 1;
    QTimer timerDepart_;
    QSharedPointer<ListeDeTables> tables_;
    int nombreDeTables_ = 1;
    std::function<QString()> generateurDeNoms_;
    std::optional<OptionsDuJoueur> joueurLocal_;
    ZB_GardeDesSieges garde_;
    bool partageEnJeu_ = false;
};
