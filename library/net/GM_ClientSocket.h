#pragma once

#include "GM_ConnectStatus.h"
#include "GM_LobbyFrame.h"
#include "GM_LobbyReader.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_ProgressA.h"
#include "GM_SocketEvent.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QSet>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

class GM_MessageBoxDisplayerA;

// The lobby client: one WebSocket to the lobby service that runs the lobby
// protocol (see GM_LobbyFrame for the records, GM_SocketEvent for the
// words and states), and the bridge that carries a table's traffic between
// two lobby users.
//
// Rules:
// - A session starts with connectForLogin, connectForCreateLogin or
//   connectForResendPassword, which first end any session in progress. It
//   is open ("connected") from the lobby's login answer until the socket
//   closes; requests made outside a session are dropped, not kept.
// - Requests leave through the out-queue, one message per pacing interval,
//   only in the Idle state: a request with an answer waits in a state of
//   its own, and the queue moves on when the answer comes back, or when
//   it has not come within Delais::reponseMaxMs: the request is then given
//   up, the user is told (one box waiting at most) and the next one goes;
//   a late answer is dropped as unexpected.
// - The out-queue lock guards the queue. Callers that build a message
//   themselves hold it from GM_SocketEvent::findEvent to enqueueEvent;
//   sendRefreshRequest expects it held; every other send* takes it.
// - Bad input from the lobby (a record that is cut, has an unknown word, a
//   word the state does not expect or a wrong field count) is dropped with a
//   log line; more than GM_LobbyFrame::TailleMax bytes without a record end
//   closes the connection. Log lines name words and counts, never fields,
//   so passwords never reach the trace.
// - What the lobby announces is bounded, so that a faulty or hostile lobby
//   can neither bury the user in boxes nor fill the memory: at most
//   TitresEnAttenteMax title boxes wait, the titles past them are gathered
//   in one more box whose count grows while it waits; at most PontsMax
//   bridges are open, and at most PontsMax opened in any PontsFenetreMs; a
//   bridge past either is refused (closed at once, not handed to the
//   windows) and counted in the log; a bridge close that is queued already
//   is not queued twice.
// - A session lost after the login succeeded is logged in again quietly
//   when automatic reconnection is on, after a delay that doubles from
//   the base up to a cap, a bounded number of times; each try is announced
//   (signalReconnecting). A refusal, a lock, an update, the lobby's
//   farewell or a protocol error end it for good.
// - A lost session is never silent: when it is not logged in again, or the
//   last quiet try failed, the user is told in a box and the windows are
//   asked for the login dialog.
// - TLS errors are never ignored: the system's authorities are trusted,
//   plus, only when VariableCertificat names one, that lobby certificate
//   itself. Never the hosting certificate the program carries: its key is in
//   every copy.
// - GUI thread only, but for the out-queue lock.
class GM_ClientSocket : public QWebSocket, public GM_MessageBoxEmitter, public GM_ProgressA::Cancel_cb
{
    Q_OBJECT

public:
    static constexpr char RecordEnd = GM_LobbyFrame::RecordEnd;
    static constexpr quint16 PortUnsecure = 4023;
    static constexpr quint16 PortSecure = 4043;
    // "host:port" of the lobby, instead of the server name and the
    // transport's port.
    static constexpr const char* VariableAdresse = "ZUBRIK_SERVER_ADDRESS";
    // Path of a PEM file: the lobby presenting exactly that certificate, at
    // an address the certificate names, is trusted (a private lobby, tests).
    static constexpr const char* VariableCertificat = "ZUBRIK_LOBBY_CERTIFICATE";
    // No public lobby exists: without a server name nor the variable, the
    // client asks a name that never resolves.
    static constexpr const char* ServeurParDefaut = "lobby.zubrik.invalid";
    static constexpr int VersionProtocoleLobby = 1;
    // A private invitation carries this many friends at most.
    static constexpr int InvitesMax = 4;
    // Bridges open at once: a hosted table has three guests, each may come
    // back; far more is a faulty lobby.
    static constexpr int PontsMax = 16;
    static constexpr int PontsFenetreMs = 60000;
    // A record of the lobby may ask for many boxes; past this many the rest
    // are only logged.
    static constexpr int BoitesMaxParRecord = 5;
    // Title boxes waiting, one title each; one more gathers the rest.
    static constexpr int TitresEnAttenteMax = 3;

    // The client's clocks, all in milliseconds.
    struct Delais {
        int envoiMs = 100;          // between two messages of the out-queue
        int keepAliveMs = 20000;    // keep-alive after this long without sending
        int silenceMaxMs = 60000;   // the lobby is lost after this long without a word
        int fermetureMaxMs = 2000;  // an asked close that does not finish is aborted
        int relanceBaseMs = 2000;   // first quiet login after a loss
        int relanceMaxMs = 120000;  // the delay doubles up to this
        int relancesMax = 8;        // then the client gives up
        int reponseMaxMs = 15000;   // a request not answered by then is given up
    };

    // serverName: the lobby's host name (empty: ServeurParDefaut). The
    // client installs itself as the progress window's cancel callback; the
    // progress window and the displayer may be null and must outlive it.
    GM_ClientSocket(const QString& serverName, QObject* parent, GM_ProgressA* progress,
                    GM_MessageBoxDisplayerA* displayer);
    // A client used for its bridge only, on a socket opened by hand.
    explicit GM_ClientSocket(bool unsecure, QObject* parent = nullptr);
    ~GM_ClientSocket() override;
    GM_ClientSocket(const GM_ClientSocket&) = delete;
    GM_ClientSocket& operator=(const GM_ClientSocket&) = delete;

    // What the windows read.
    int getProtocolState() const { return etat_; }
    QMutex* getOutQueueMutex() { return &outQueueMutex_; }
    GM_ProgressA* getProgress() const { return progress_; }
    QString getLoginName() const { return loginName_; }
    qint64 getDatabaseUserId() const { return databaseUserId_; }
    bool isUnsecure() const { return unsecure_; }
    // A session is open: protocol state not Init, socket valid and not
    // unconnected.
    bool isConnectedToLobby() const;
    // The WebSocket of the connection, for the bridge.
    QWebSocket* getWebSocket() const { return const_cast<GM_ClientSocket*>(this); }

    // The caller holds the out-queue lock. In Idle the next send is
    // scheduled at once; in Init the queue is dropped instead (each message
    // reports a transmit error); otherwise the message waits for Idle.
    void enqueueEvent(const QSharedPointer<GM_SocketEvent>& message);
    // The caller holds the out-queue lock. Queues the Idle message of word
    // with no field, unless its answer is awaited or the word is queued.
    void sendRefreshRequest(const QByteArray& word);

    void connectForLogin(const QString& email, const QString& password, bool quiet, bool unsecure);
    void connectForCreateLogin(const QString& email, const QString& password, const QString& pseudo,
                               bool unsecure);
    void connectForResendPassword(const QString& email, bool unsecure);
    // The lobby took a new password for this account: later quiet logins
    // use it.
    void setPassword(const QString& password) { motDePasse_ = password; }
    // Ends the session (unless there is none or it is ending) once the
    // event loop runs again, after the messages that have no answer went
    // out; also stops a pending quiet login.
    void disconnectFromServer();
    // The progress window's Cancel: stops the connection now.
    void cancel() override;
    void progressDestroyed() override { progress_ = nullptr; }

    void requestServerIpAndPort(const QString& serverOrTournamentId, const QString& password);
    // Whether the last server address asked for was asked with a password.
    bool adresseDemandeeAvecMotDePasse() const { return adresseAvecMotDePasse_; }
    void requestMainGameServerInfo();
    void sendOnlineStatus(GM::ConnectStatus status);
    // Closes the bridge between the two users; -1 and -1 close them all.
    void sendBridgeClose(qint64 userIdFrom, qint64 userIdTo);
    // One bridge record to the user at the other end.
    void sendBridgeData(qint64 userIdTarget, const QByteArray& data);
    void sendAddStatsGameStarted(const QString& stats);
    void sendChatMessage(int channel, const QString& text);
    void sendTournamentCommand(const QString& tournamentId, int action, const QString& password,
                               const QString& teammate);
    void sendInvitationPrivate(const QStringList& userIds);
    void sendInvitationPublic(qint64 serverId, int port, const QStringList& userIds);
    void sendInviteFriends(const QStringList& userIds);
    void sendFriendRequestAccept(const QStringList& entries);
    void sendFriendRequestRejectOrCancel(const QStringList& entries);

    // Quiet new logins after a loss.
    void setAutoReconnect(bool on) { autoReconnect_ = on; }
    bool isAutoReconnect() const { return autoReconnect_; }
    void setDelais(const Delais& delais);
    const Delais& getDelais() const { return delais_; }
    // Quiet logins tried since the loss; the delay before the next one.
    int getRelances() const { return relances_; }
    int prochainDelaiRelanceMs() const;
    bool relancePrevue() const { return timerRelance_.isActive(); }

    // The lobby's URL for the transport.
    QUrl lobbyUrl(bool unsecure) const;
    // The certificate VariableCertificat names; null when none or unreadable.
    static QSslCertificate certificatNomme();
    // Reads "host:port" ("[v6]:port" for IPv6); false when it is not one.
    static bool litAdresse(const QString& texte, QString& hote, quint16& port);
    // Service text made safe for a rich-text box: bounded
    // (GM_TexteDuLobby::Boite), escaped, line breaks kept.
    static QString texteDeService(const QString& texte);

    // A raw record of binary messages, sent at once on an open session or a
    // socket opened by hand, else kept until then.
    void envoieRecord(const QList<QByteArray>& messages);
    int getNombreRecordsEnAttente() const { return int(enAttente_.size()); }
    int getNombreMessagesEnFile();
    // Bridges open now, and those refused in this session.
    int getNombrePontsOuverts() const { return pontsOuverts_; }
    int getNombrePontsRefuses() const { return pontsRefuses_; }

    // A session in the given state without a socket, for the fuzz target.
    void demarreSessionSansSocket(int etat);

public slots:
    // A transmit error of a message or an error of the socket.
    void onError(QAbstractSocket::SocketError erreur);
    // Asks for the friend list, or tries again in 2 s when the out-queue
    // is busy.
    void OnRefreshFriendList();
    // One binary message from the lobby (the socket's, or the fuzz target's).
    void OnLobbyMessage(const QByteArray& message);

signals:
    void signalReady();
    void signalDisconnected();
    void signalHideProgressAndShowLogin();
    void signalAccountLocked();
    void signalUpdateNeeded();
    void signalFriendPlayingOnline();
    // A quiet login after a loss is due in delayMs: try attempt of maximum.
    void signalReconnecting(int attempt, int maximum, int delayMs);
    void signalIpReceived(const QString& ip, quint16 port, qint64 databaseUserId, int timerStart_s,
                          bool isPublicServer, int tournamentTableId, int serverProtocolVersion);
    void signalStartServerSession(const QString& loginName, quint16 port_websocket_secure,
                                  quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId);
    void signalReceiveBridgeOpen(qint64 userIdFrom, qint64 userIdTo);
    void signalReceiveBridgeData(qint64 userIdFrom, qint64 userIdTo, const QString& data);
    void signalReceiveBridgeClose(qint64 userIdFrom, qint64 userIdTo);
    // Lists: owned by the client, valid during the emission only.
    void signalServerListReceived(qint64 databaseUserId, const QStringList* list);
    void signalMainGameServerStatus(const QStringList* list);
    void signalMainGameServerInfo(const QStringList* list);
    void signalTournamentListReceived(const QStringList* list);
    void signalFriendListReceived(const QStringList* list);
    void signalSearchFriendsListReceived(const QStringList* list);
    void signalScoresReceived(const QStringList* list);
    void signalStatsReceived(const QStringList* list);
    void signalAchievementsReceived(const QStringList* list);
    void signalDiscordChat(const QStringList* list);
    void signalPasswordChangeAnswerReceived(const QStringList* list);
    void signalRequestAccountDataAnswerReceived(const QStringList* list);
    void signalRequestAccountDeleteAnswerReceived(const QStringList* list);
    // A message left (its word only).
    void signalRecordSent(const QByteArray& word);

private slots:
    void onConnected_();
    void onStateChanged_(QAbstractSocket::SocketState etat);
    void onSslErrors_(const QList<QSslError>& erreurs);
    void envoieSuivant_();
    void videFile_();
    void keepAlive_();
    void silence_();
    void relance_();
    void reponseAbsente_();

private:
    // Why the session ends; decides what the user and the windows hear.
    enum Fin {
        Perte,          // the socket closed or failed by itself
        Demandee,       // disconnectFromServer
        Annulee,        // cancel
        Refus,          // the lobby refused, locked, asked for an update or said goodbye
        ErreurProtocole // bad input: closed by the client
    };

    void init_();
    void ouvre_(int etat, bool quiet, bool unsecure, bool relance);
    // Ends a session still running without a word to anybody but the
    // lists' readers (signalDisconnected when it was open).
    void abandonneSession_();
    void termine_();
    void ferme_(Fin fin, QWebSocketProtocol::CloseCode code);
    void planifieEnvoi_();
    bool envoie_(const QSharedPointer<GM_SocketEvent>& message);
    bool envoieDirect_(const QByteArray& mot, const QStringList& champs);
    void enfile_(const char* mot, const QStringList& champs);
    void traite_(const GM_LobbyReader::Enregistrement& record);
    void traiteReponse_(const QByteArray& mot, const QStringList& champs);
    void traiteAdresseServeur_(const QStringList& champs);
    void afficheProgression_(const QString& texte, int valeur);
    void cacheProgression_();
    uint boite_(const QString& titre, const QString& texte, GM::Icon icone = GM::Warning);
    // Whether box id still waits or is on screen.
    bool boiteEnAttente_(uint id) const;
    void annonceTitres_(const QStringList& champs);
    void ouvrePont_(qint64 de, qint64 vers);
    // Forgets the bridge of the two users, whichever way it was opened.
    void oubliePont_(qint64 a, qint64 b);

    QMutex outQueueMutex_;
    QList<QSharedPointer<GM_SocketEvent>> outQueue_;
    int etat_ = GM_SocketEvent::Init;
    GM_ProgressA* progress_ = nullptr;
    QString serverName_;
    QString loginName_;
    qint64 databaseUserId_ = -1;
    bool unsecure_ = false;

    QString email_;
    QString motDePasse_;
    QString pseudo_;
    bool quiet_ = false;
    bool autoReconnect_ = false;

    GM_LobbyReader lecteur_;
    QList<QList<QByteArray>> enAttente_;
    // Open bridges: how many times each pair was opened.
    QHash<QPair<qint64, qint64>, int> ponts_;
    int pontsOuverts_ = 0;
    int pontsRefuses_ = 0;
    // When the last bridges were opened (horlogePonts_), oldest first.
    QList<qint64> ouverturesPonts_;
    QElapsedTimer horlogePonts_;
    // Title boxes waiting, and the box that gathers the titles past them.
    QList<uint> boitesTitres_;
    uint boiteAutresTitres_ = 0;
    bool autresTitres_ = false;
    int nombreAutresTitres_ = 0;
    // The box telling of a request given up, while it waits.
    uint boiteDelai_ = 0;
    bool delaiAffiche_ = false;
    QByteArray motAttendu_;
    Delais delais_;
    QElapsedTimer dernierEnvoi_;
    QTimer timerEnvoi_;
    QTimer timerKeepAlive_;
    QTimer timerSilence_;
    QTimer timerRelance_;
    QTimer timerFermeture_;
    QTimer timerReponse_;

    // A session runs from ouvre_ to termine_; generation_ tells a stale
    // scheduled call from the current session.
    bool sessionActive_ = false;
    bool sessionOuverte_ = false; // the login answer came
    bool relanceEnCours_ = false; // the session is a quiet login after a loss
    int relances_ = 0;
    quint64 generation_ = 0;
    Fin fin_ = Perte;
    QString erreurConnexion_;
    bool adresseAvecMotDePasse_ = false;
};
