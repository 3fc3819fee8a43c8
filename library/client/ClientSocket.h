#pragma once

#include "EvenementDeJeu.h"
#include "GM_MessageBoxEmitter.h"
#include "ListeDesEvenements.h"
#include "OptionsDuJoueur.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_FicheIdentification.h"
#include "ZB_RecordFramer.h"
#include "ZB_SalleClienteA.h"
#include "ZB_StatutConnexionA.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <limits>

class DisplayA;
class GM_MessageBoxDisplayerA;
class GM_SocketAbstract;

// The joining machine's end of the table protocol. It connects to the
// hosting machine, introduces the local player, sends the local player's
// events (again every ten seconds until the server echoes them), and queues
// the table's events on the client room's event list. A joining client is
// first sent the game so far as a replay block, which is collected whole and
// played through before any later event runs.
//
// The status observer (the status window) shows the connection's state, and
// its state is the connection's: the room may set it too (the user's
// disconnection). Without one the socket keeps the state itself. What the
// room must hear is posted to it: the connection is made (1005), it failed
// (1003) or it is gone (1001).
//
// With a signing key for the host (setSignataire) the client identifies
// with its public key, of which its id is the image, and the host writes
// it a challenge (a "NeW" record of the player's id whose text is
// ZB_CleDeJoueur::DefiLength digits): the client identifies again with its
// signature of it. The key itself never leaves this machine, and what the
// host sees proves nothing at any other host or connection. A host of the
// previous version ignores the public key and gives the player's first
// connection a seat key instead (a "NeW" record whose text is the key),
// which the client presents with its identification from then on: without
// it such a host takes a connection under the same id for an impostor. The
// key is announced (signalCleDeSiege) for the room to keep with the
// player's id.
//
// A host that closes the connection before the game began either refused
// it (the server is stopped or full, holds too many idle connections from
// this address, or the player's id calls for a key this client lacks), and
// then says so in a record first
// (RECORD_REFUS_TABLE), or dropped it to make room for others. A refusal is
// told to the user at once, whether the close came as an error or as a
// plain close. A drop is tried again EssaisMax times, after DelaiEssaiMs,
// then twice and four times that, each try announced on the status window;
// the last one ends as a refusal. A public server's closes have their own
// schedule (TentativesPubliquesMax tries, DelaiTentativeMs apart). A secure
// connection closed without a byte during its handshakes, soon after it
// was asked for, was dropped by the secure port's gate when it had no
// room: it is tried again as a drop, and the room's other transports only
// once those tries are spent (at a port typed for all three they could
// only fail). A host
// that lets a seated player go says why first (RECORD_RETRAIT_TABLE: it
// removed the player; RECORD_ARRET_TABLE: it stopped the game), and that is
// what the user is told. What comes back before any record may show that
// the port serves another transport (a TLS or WebSocket handshake that
// failed, bytes that hold no record): the room is asked to try its next
// transport (ZB_SalleClienteA::essaieUnAutreTransport), and when none is
// left the user is told that no game server answers at that port.
//
// The server is a peer: whatever it sends is read in whole records
// (ZB_RecordReader, as the host reads its clients), a record that does not
// read is dropped with a warning, and what it may make this side hold is
// bounded (TailleTamponMax): past it the connection is closed as a network
// error. Bytes that come after the connection was closed are ignored. An
// event goes into the list through ZB_EventIntake, once: a failure of the
// list is logged and the event dropped. Nothing a peer sends throws out of
// here.
//
// GUI thread only. The mutexes guard the receive buffer (mutexReception_),
// the replay being collected (mutexReplay_) and the list (its own, held
// while the list runs events). As the thread is one, a mutex never waits
// for another thread: one found locked is held further up this very call,
// since an executed event, or the observer told of the state under the
// replay's mutex, may run a nested event loop that delivers more bytes.
// Re-entrancy is told so, with VerrouSiLibre, rather than by a wait that
// would never end: received bytes wait for the loop already running, so
// that events keep their order (enTraitement_); a record waits while the
// replay state is held further up; closing sets the list's stop flag even
// while the list is held further up.
class ClientSocket : public QObject, public ListeDesEvenements::ReplayRequester, private GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    static constexpr int DelaiRenvoiMs = 10000;
    // Resends of one unanswered event before the connection is given up.
    static constexpr int RenvoisMax = 13;
    static constexpr int TentativesPubliquesMax = 5;
    static constexpr int DelaiTentativeMs = 1000;
    // Tries after a drop by the host before the client was seated, and the
    // wait before the first; each wait doubles the one before.
    static constexpr int EssaisMax = 3;
    static constexpr int DelaiEssaiMs = 1000;
    // A secure connection the host closed sooner than this after it was
    // asked for, before its handshakes ended and without a byte, was
    // dropped by the secure port's gate to make room (it gives each
    // handshake step 4 s), not refused by a server of another transport,
    // which answers bytes or lets a plain WebSocket time out later.
    static constexpr int CoupureParLaPorteMs = 5000;
    static constexpr int AttenteDeconnexionMs = 3000;
    // A read of the TCP transport takes at most this many bytes.
    static constexpr qint64 TailleLectureMax = 10000;
    // The most the server may make this side hold: bytes not yet handled
    // and the replay being collected. A whole match's replay is far below.
    static constexpr qsizetype TailleTamponMax = qsizetype(16) << 20;

    // salle: the room, handed the posted events; liste: the client room's
    // first table's list; statut: the status observer (may be null). None of
    // them is owned; a room or an observer that is a QObject is followed
    // should it go first. The socket is shared with the room.
    ClientSocket(ZB_SalleClienteA* salle, ListeDesEvenements* liste, DisplayA* display, ZB_StatutConnexionA* statut,
                 QSharedPointer<GM_SocketAbstract> socket, GM_MessageBoxDisplayerA* displayer,
                 QObject* parent = nullptr);
    ~ClientSocket() override;
    ClientSocket(const ClientSocket&) = delete;
    ClientSocket& operator=(const ClientSocket&) = delete;

    // Remembers what the room will need once connected (posted with 1005),
    // starts afresh and asks the socket to connect. A public connection goes
    // through a public server, which may close it before the game starts:
    // it is then tried again.
    void connecte(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                  int secondesAttente, bool connexionPublique);

    // Writes the event in the session's version; every event but a chat
    // message and the user info waits for its echo.
    void sendEvent(const EvenementDeJeu& ev);
    // Introduces the local player with the seat key set (if any); version,
    // when given, becomes the session's protocol version.
    void sendUserInfo(const OptionsDuJoueur& player, int waitingSeconds, const int* version);
    // Bytes from the server, in the order they came.
    void receive_(const QByteArray& octets);
    // Stops the list and closes the socket, waiting a little for it to go.
    void closeConnection();
    // Closes it on this side's decision (the user left, was excluded, or
    // declined the next game): what ended the game is the room's to tell,
    // and no connection box follows.
    void quitte();

    // ListeDesEvenements::ReplayRequester: the replay block was played
    // through; the events held back meanwhile run now.
    void cb_replayTermine() override;

    // The rewrite of a received event's source: what the server calls
    // remote is, seen from here, our own message returned or another
    // player's.
    static int sourceRecue(int source, qint64 idJoueur, qint64 idJoueurPropre);
    // An own id that no event carries (-1 stands for no player).
    static constexpr qint64 PersonneIci = std::numeric_limits<qint64>::min();

    void setIdJoueur(qint64 id) { idJoueur_ = id; }
    // The key the host gave this player, empty when none.
    void setCleDeSiege(const QString& cle) { cleDeSiege_ = cle; }
    // The key that signs the host's challenges for this player; none: the
    // player identifies with its id alone (and a seat key if it has one).
    void setSignataire(const ZB_CleDeJoueur& cle) { signataire_ = cle; }
    const QString& getCleDeSiege() const { return cleDeSiege_; }
    qint64 getIdJoueur() const { return idJoueur_; }
    const OptionsDuJoueur& getJoueur() const { return joueur_; }
    ZB_StatutConnexionA* getStatut() const;
    GM_SocketAbstract* getSocket() const { return socket_.data(); }
    int getVersion() const { return version_; }
    // The connection's state as the status window shows it (0 to 10).
    int getEtat() const;
    QString getAdresse() const { return adresse_; }
    quint16 getPort() const { return port_; }
    QString getLogin() const { return login_; }
    qint64 getIdUtilisateur() const { return idUtilisateur_; }
    int getSecondesAttente() const { return secondesAttente_; }
    bool estConnexionPublique() const { return connexionPublique_; }
    int getTentatives() const { return tentatives_; }
    // Tries made again after a drop by the host.
    int getEssais() const { return essais_; }
    const QTimer& getTimerEssai() const { return timerEssai_; }
    int getRenvois() const { return renvois_; }
    const EvenementDeJeu& getDernierEnvoye() const { return dernierEnvoye_; }
    const QTimer& getTimerRenvoi() const { return timerRenvoi_; }
    const QTimer& getTimerSilence() const { return timerSilence_; }
    // A replay block is being collected, waits to be played, or plays.
    bool estEnReplay() const;
    // Bytes received and not handled yet.
    qsizetype getOctetsEnAttente() const;

    // Shorter waits, for tests.
    void setDelaiRenvoi(int ms) { timerRenvoi_.setInterval(ms); }
    void setDelaiTentative(int ms) { timerTentative_.setInterval(ms); }
    void setDelaiEssai(int ms) { delaiEssaiMs_ = ms; }
    void setTailleTamponMax(qsizetype octets);
    // A host that has said nothing this long after the connection was made
    // is no game server (a table server speaks as soon as it identified
    // the player): the user is told as for a port of another protocol, and
    // the connection closes. 0, the default, waits as long as the host
    // takes (a host may keep a returning player waiting until its user
    // starts the game); an unattended client, which nobody would ever stop,
    // sets a bound.
    void setSilenceMaxMs(int ms) { silenceMaxMs_ = ms; }
    // A host that says nothing this long once the game runs is taken for
    // hung (stopped, its machine asleep): the connection holds, but nothing
    // will ever come through it. Told as an error, and the connection
    // closes. 0, the default, waits for ever, as a person may.
    void setSilenceEnJeuMaxMs(int ms) { silenceEnJeuMaxMs_ = ms; }
    // The room replaces this connection by another (a catch-up, another
    // transport): nothing this one says from now on, its close above all,
    // reaches the room.
    void detacheDeLaSalle() { salle_ = nullptr; }

    using GM_MessageBoxEmitter::getMessageBoxDisplayer;
    using GM_MessageBoxEmitter::setMessageBoxDisplayer;

signals:
    // The host gave the player its seat key.
    void signalCleDeSiege(const QString& cle);

public slots:
    void OnConnectCancel_Answer(int result);
    void onError(QAbstractSocket::SocketError sockError);
    void onBinaryMessageReceived(const QByteArray& message);
    void onReadyRead_tcpOld();
    void onHostFound_tcpOld();
    void onConnected();
    void onDisconnected();
    void onStateChanged(QAbstractSocket::SocketState state);
    void myTimerEventCheck_();
    void OnConnectCancel_();
    void onBridgeClosed();
    void OnReplay();
    // Plays the replay block received, then the events held back behind it;
    // called at once by OnReplay, which no longer waits for its notice.
    void OnReplayConfirmed();
    void OnNewPublicConnectionAttempt();

private slots:
    void OnNouvelEssai_();
    void OnSilenceDeLHote_();

private:
    // The re-entrancy guard: takes the mutex when it is free, and says
    // whether it did; when it is not, a caller further up this call holds it
    // (see the thread rule above) and nothing was taken. Released on every
    // way out.
    class VerrouSiLibre
    {
    public:
        explicit VerrouSiLibre(QMutex& mutex)
            : mutex_(mutex.tryLock() ? &mutex : nullptr)
        {
        }
        ~VerrouSiLibre()
        {
            if (mutex_ != nullptr)
                mutex_->unlock();
        }
        VerrouSiLibre(const VerrouSiLibre&) = delete;
        VerrouSiLibre& operator=(const VerrouSiLibre&) = delete;
        explicit operator bool() const { return mutex_ != nullptr; }

    private:
        QMutex* mutex_;
    };

    bool estOuverte_() const;
    void setEtat_(int etat);
    void marqueJeuEnCours_();
    // Once the game runs, the host's silence is counted from its last word.
    void armeSilenceEnJeu_();
    // Writes the bytes; a transport that takes only part of them has cut
    // the stream, which is a network error.
    bool ecrit_(const QByteArray& octets);
    void traiteTampon_();
    // Replay blocks are played in turn: later records wait while one waits
    // to be played or plays, or while the replay state is held further up
    // this call.
    bool retenu_();
    void traiteRecord_(const QByteArray& record, bool precede);
    void evenement_(EvenementDeJeu& ev);
    void recoitCleDeSiege_(const EvenementDeJeu& ev, const QByteArray& record);
    // The player's identification as this connection sends it, without a
    // signature.
    ZB_FicheIdentification fiche_() const;
    void envoieFiche_(const ZB_FicheIdentification& fiche);
    void rejette_(const QString& raison, const QByteArray& record);
    void debordement_();
    // A new stream: nothing of the old one is kept.
    void repartDeZero_();
    void reprendApresReplay_();
    void posteErreur_(const QString& texte);
    // The host closed the connection before the game began: it refused it.
    void refuseParLHote_();
    // The host's close before the game began was a drop, and tries remain.
    bool essaiPossible_(int etat) const;
    void programmeEssai_();
    // A new connection to the same host, from a clean slate.
    void reconnecte_();
    // What came back is no table server's (a TLS or WebSocket handshake
    // that failed, bytes that are not records before any record): the room
    // tries its next transport, or the user is told that no game server
    // answers at this port; either way this connection ends quietly.
    enum Protocole { ProtocoleDeTable, ProtocoleEtranger, ProtocoleIncertain };
    Protocole protocole_(QAbstractSocket::SocketError erreur, int etat) const;
    // The secure port's gate closed this connection (CoupureParLaPorteMs).
    bool coupeeParLaPorte_() const;
    void autreProtocole_();
    // The room's next transport, when it has one (true): this connection
    // then ends without a word.
    bool transportSuivant_();
    void fermeEnSilence_();
    void poste_(ZB_Event* event);
    void flushListe_();

    QString adresse_;
    quint16 port_ = 0;
    QSharedPointer<GM_SocketAbstract> socket_;
    QPointer<ListeDesEvenements> liste_;
    ZB_SalleClienteA* salle_ = nullptr;
    QPointer<QObject> gardeSalle_; // set when the room is a QObject
    bool salleEstObjet_ = false;
    DisplayA* display_;
    qint64 idJoueur_ = -1;
    OptionsDuJoueur joueur_;
    QString cleDeSiege_;
    ZB_CleDeJoueur signataire_;

    mutable QMutex mutexReception_;
    ZB_RecordFramer tampon_{TailleTamponMax};
    qsizetype tailleTamponMax_ = TailleTamponMax;
    // The records are being handled further up this call: bytes received
    // meanwhile wait for that loop.
    bool enTraitement_ = false;

    mutable QMutex mutexReplay_;
    bool enReplay_ = false;       // a block is open: its events are collected
    bool replayRsV_ = false;
    int siegeReplay_ = 4;
    QStringList lignesReplay_;
    qsizetype octetsReplay_ = 0;
    bool replayEnCours_ = false;  // the list plays the block

    EvenementDeJeu dernierEnvoye_;
    QTimer timerRenvoi_;
    int renvois_ = 0;

    QString login_;
    qint64 idUtilisateur_ = -1;
    int secondesAttente_ = 0;

    ZB_StatutConnexionA* statut_ = nullptr;
    QPointer<QObject> gardeStatut_; // set when the observer is a QObject
    bool statutEstObjet_ = false;
    int etat_ = 0; // the state when there is no observer
    bool rejointAnnonce_ = false; // the table was told that the user joined

    bool connexionPublique_ = false;
    // This side closed the connection: its end is no refusal by the host.
    bool fermetureLocale_ = false;
    int tentatives_ = 0;
    QTimer timerTentative_;
    // The host said it refuses this connection: its close is no drop.
    bool refusRecu_ = false;
    bool refusComplet_ = false; // the refusal said every seat is taken
    // This try: the transport said it is connected (for a WebSocket, its
    // handshake ended), a record read; the transport turned out to be the
    // wrong one.
    bool connecte_ = false;
    bool recordLu_ = false;
    bool transportEchoue_ = false;
    // The host's word before it closed a seated player's connection.
    enum Conge { SansConge, CongeRetrait, CongeArret };
    Conge conge_ = SansConge;
    int essais_ = 0;
    int delaiEssaiMs_ = DelaiEssaiMs;
    QTimer timerEssai_;
    int silenceMaxMs_ = 0;
    int silenceEnJeuMaxMs_ = 0;
    QTimer timerSilence_;
    // Since this try's connection was asked for.
    QElapsedTimer depuisDemande_;

    int version_;
};
