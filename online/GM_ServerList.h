#pragma once

#include "GM_ConnectStatus.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"

#include <QPointer>
#include <QString>

#include <functional>

class GM_Achievements;
class GM_Chat;
class GM_ClientSocket;
class GM_Download;
class GM_FriendsList;
class GM_Login;
class GM_MessageBoxDisplayerA;
class GM_NativeA;
class GM_OnlineSettings;
class GM_ProgressA;
class GM_Scores;
class GM_ServerPass;
class GM_SocketAbstract;
class GM_Stats;
class GM_TablesList;
class GM_TournamentClient;
class QPushButton;
class QScrollArea;
class QSettings;
class QTabWidget;

// The online lobby: one window with eight tabs and a button row. It owns
// the lobby client and hands it to every tab, wires the client's answers to
// the tabs and to itself, keeps the player's online status (its buttons,
// the lobby's status word, the Discord activity text), forwards the
// statistics and penalties of online games to the lobby, and carries the
// road from the login dialog to a game session started by the main window.
//
// Rules:
// - The client is "connected" while it exists, its protocol state is not
//   Init and its socket is valid and not unconnected; every forwarding slot
//   checks that first and drops what it cannot send.
// - Login modes: 0 interactive, 1 asked for by the program (refused while
//   connected), 4 automatic (needs automatic connection and a valid e-mail,
//   no progress window, refused while connected); showLogin also takes 5
//   (start at once, then 0) and 6 (keep the mode).
// - A lobby answer that names no usable game server (empty address, port
//   0, or a TCP port below 21 once the lobby's offset of 20 is taken off)
//   starts no session: the user is told the server is unavailable.
// - The state of the lobby connection is never silent: a loss, each quiet
//   login after it (try n of the maximum) and its return are told in a
//   line (signalLobbyConnectionText) and in the servers tab, the messenger
//   shows "connecting" meanwhile and "disconnected" once a login ends
//   without a session; a session lost for good brings the login dialog
//   back, even after an automatic login.
// - An update is offered when the lobby refuses the program's version; the
//   installer is downloaded into a private folder and started detached
//   (else handed to the desktop to open), then the program ends. When it
//   cannot be started the user is sent to the web site and the program
//   keeps running.
// - GUI thread only.
class GM_ServerList : public GM_WidgetAuto, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    enum Onglet { Amis = 0, Serveurs, Tournois, Classement, Statistiques, Titres, Chat, Options, NombreOnglets };
    // The lobby gives the TCP transport's port plus this.
    static constexpr int DecalagePortTcp = 20;
    static constexpr int AttentesDeconnexion = 20;
    static constexpr int AttenteDeconnexionMs = 100;
    // Where the user finds the installer by hand.
    static constexpr const char* SiteWeb = "https://zubrik.invalid";

    explicit GM_ServerList(QWidget* parent = nullptr);
    ~GM_ServerList() override;

    // Once, after construction. gameFamily and language are read through
    // their pointers (may be null: Jass, French).
    void init(GM_Login* login, GM_ProgressA* progress, GM_MessageBoxDisplayerA* displayer, GM_NativeA* native,
              GM_ServerPass* serverPass, const QString& serverName, const QString& updateFileName,
              const QString& updateUrl, const QString& publicServerName, int* gameFamily, bool unsecure, bool tcp,
              bool belote, int* language, QSettings* settings);

    void showOnline(bool show);
    bool isConnected() const;
    void setConnectStatus(GM::ConnectStatus status);
    void disconnectFromLobby();
    // language: 1 French, 2 any other (English), 3 German, 4 Italian.
    void retranslate(int language);
    void showLogin(const QString& email, const QString& password, int mode);
    // True when a login started or the login dialog was shown.
    bool startLogin(int mode);
    bool swipeTriggered(const QSwipeGesture::SwipeDirection& direction) override;

    // Whether the machine has a network interface that is up, not loopback
    // and has an address; replaceable for tests.
    void setVerificationReseau(std::function<bool()> verification) { verificationReseau_ = std::move(verification); }
    static bool interfaceReseauUtilisable();
    // How an installer that cannot be started as a program is handed to
    // the desktop (true when it was), and how the program ends once the
    // installer runs; replaceable for tests.
    void setOuvertureBureau(std::function<bool(const QString&)> ouverture) { ouvertureBureau_ = std::move(ouverture); }
    void setFinDuProgramme(std::function<void(int)> fin) { finDuProgramme_ = std::move(fin); }
    static bool ouvreAvecLeBureau(const QString& fichier);
    static void termineLeProgramme(int code);

    GM_ClientSocket* client() const { return client_.data(); }
    int loginMode() const { return loginMode_; }
    bool isEmbedded() const { return embedded_; }
    QTabWidget* tabs() const { return tabWidget_; }
    QPushButton* disconnectButton() const { return pushButtonDisconnect_; }
    QPushButton* backButton() const { return pushButtonRetour_; }
    GM_FriendsList* friendsTab() const { return friends_; }
    GM_TablesList* serversTab() const { return servers_; }
    GM_TournamentClient* tournamentsTab() const { return tournaments_; }
    GM_Scores* rankingTab() const { return scores_; }
    GM_Stats* statsTab() const { return stats_; }
    GM_Achievements* titlesTab() const { return achievements_; }
    GM_Chat* chatTab() const { return chat_; }
    GM_OnlineSettings* settingsTab() const { return settingsTab_; }
    GM_Download* download() const { return download_; }

signals:
    void signalStartClientSession(const QString& ip, const QString& loginName, quint16 port_websocket_secure,
                                  quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId,
                                  int timerStart_s, bool isPublicServer, int tournamentTableId,
                                  int serverProtocolVersion);
    void signalStartServerSession(const QString& loginName, quint16 port_websocket_secure,
                                  quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId);
    void signalSetMessengerStatus(qint64 databaseUserId, GM::ConnectStatus connectStatus, int nbrFriends);
    void signalReceiveBridgeOpen(GM_SocketAbstract* new_socketP);
    void signalFriendPlayingOnline();
    void signalPlayTournament();
    void signalAccountLockedStatus(bool isLocked);
    // One line on the state of the lobby connection, for the user.
    void signalLobbyConnectionText(const QString& text);

public slots:
    void OnDisconnected();
    void OnSettings();
    void OnOnlineGameStarted();
    void OnTabChanged(int current);
    void OnServerSendStatsGameStarted(const QString& stats);
    void OnServerSendStatsGameCompleted(bool isConnected, const QString& stats);
    void OnServerSendPenalty(const QString& penalty);
    void OnFriendPlayingOnline();
    void OnSignalPlayTournament();
    void OnBackPressed();
    void OnNbrFriendsOnlineChanged(int nbrOnline);
    void OnDisconnectPressed();
    void OnDisplayFriendsTab();

    void OnLoginUserAnswer(int result);
    void OnNewUserAndPass(const QString& email, const QString& pass, const QString& pseudo);
    void OnPasswordForgot(const QString& email);
    void OnSocketReady();
    void OnHideProgressAndShowLogin();
    void OnReconnecting(int attempt, int maximum, int delayMs);
    void OnAccountLocked();
    void OnIpReceived(const QString& ip, quint16 port, qint64 databaseUserId, int timerStart_s, bool isPublicServer,
                      int tournamentTableId, int serverProtocolVersion);
    void OnStartServerSession(const QString& loginName, quint16 port_websocket_secure,
                              quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId);
    void OnReceiveBridgeOpen(qint64 userIdFrom, qint64 userIdTo);

    void OnUpdateNeeded();
    void OnUpdateDownload();
    void OnUpdateExecuteInstall(const QString& exeFileName);
    // The lobby took a new password: the login's copies follow.
    void OnPasswordChanged(const QString& password);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void construitFormulaire_();
    void retraduitFormulaire_();
    // The login dialog's e-mail is valid and automatic connection is on.
    bool connexionAutomatique_() const;
    bool emailValide_() const;
    void envoieMessage_(const char* mot, const QString& champ);
    void setDiscord_(const QString& texte);

    QTabWidget* tabWidget_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QPushButton* pushButtonDisconnect_ = nullptr;
    QPushButton* pushButtonRetour_ = nullptr;
    GM_FriendsList* friends_ = nullptr;
    GM_TablesList* servers_ = nullptr;
    GM_TournamentClient* tournaments_ = nullptr;
    GM_Scores* scores_ = nullptr;
    GM_Stats* stats_ = nullptr;
    GM_Achievements* achievements_ = nullptr;
    GM_Chat* chat_ = nullptr;
    GM_OnlineSettings* settingsTab_ = nullptr;
    GM_Download* download_ = nullptr;

    QPointer<GM_ClientSocket> client_;
    QPointer<GM_Login> login_;
    bool embedded_ = false;
    int loginMode_ = 0;
    // The quiet login under way after a loss (0: none), and whether the
    // last session was lost rather than left.
    int relance_ = 0;
    bool sessionPerdue_ = false;
    QString updateUrl_;
    QString updateFileName_;
    int gameFamily_ = 0;
    bool unsecure_ = false;
    bool tcp_ = false;
    QSettings* settings_ = nullptr;
    GM_NativeA* native_ = nullptr;
    std::function<bool()> verificationReseau_ = &GM_ServerList::interfaceReseauUtilisable;
    std::function<bool(const QString&)> ouvertureBureau_ = &GM_ServerList::ouvreAvecLeBureau;
    std::function<void(int)> finDuProgramme_ = &GM_ServerList::termineLeProgramme;
};
