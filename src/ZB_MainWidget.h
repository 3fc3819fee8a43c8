#pragma once

#include "AppStyleSwitch.h"
#include "DisplayACloseCallback.h"
#include "GM_BanList.h"
#include "GM_ConnectStatus.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_NativeA.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "ZB_Hebergement.h"
#include "ZB_Room.h"
#include "ZB_SansSurveillance.h"
#include "ZB_Settings.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QSwipeGesture>

#include <array>
#include <memory>

class DisplayGL;
class DisplayGLWidget;
class FormBugQuestionnaire;
class FormDebugOptions;
class FormTutorialEnter;
class GM_Login;
class GM_Progress;
class GM_ServerList;
class GM_ServerPass;
class GM_SocketAbstract;
class OptionsPartie;
class ServerView;
class ZB_About;
class ZB_ClientConnection;
class QAction;
class QActionGroup;
class QMenuBar;
class QPushButton;
class QSettings;
class ZB_Translator;
class QWidget;
class TableClient;
class ZB_BugReport;
class ZB_ClientDialogIp;
class ZB_MultiServer;
class ZB_RoomTable;
class ZB_TraceLog;

// The hub of the program: it owns the table window, the room and the game
// server for the program's lifetime, starts every game (new, winning, opened,
// resumed, hosted, joined), carries the menus, and decides when the program
// quits.
//
// Rules:
// - Built once, after the application object; the view exists before the
//   room, and the room dies before the view (its tables talk to the view).
// - Every game start first stops the table's animations and closes its
//   dialogs; loading errors are caught and shown, never thrown on.
// - Quitting asks for confirmation during an online game; the game in
//   progress is saved to the autosave file before the program ends.
// - The start-up record is read, never written, except by the start routine.
// - An unattended run (automatic mode) plays every seat by computer, with
//   no sound and no card pictures, answers every box with Ok, and ends the
//   program once the match is over, printing the final scores.
// - The lobby windows and the native hooks live as long as the main window;
//   a lobby that asks this program to host makes it listen on real ports
//   and take the lobby's bridges, and a bridge that opens while no table is
//   hosted makes it a guest of the table at the other end.
// GUI thread only.
class ZB_MainWidget : public QObject, public DisplayACloseCallback, protected GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    static constexpr const char* FICHIER_AUTOSAUVEGARDE = "autosave.jss";
    static constexpr const char* FICHIER_DEFAUT = "default.jss";
    static constexpr const char* FICHIER_FIN_AUTOMATIQUE = ZB_SansSurveillance::FICHIER_FIN_AUTOMATIQUE;
    static constexpr const char* ADRESSE_CLIENT_DEFAUT = "127.0.0.1";
    static constexpr int MODE_AFFICHAGE_NORMAL = 0;
    // The computer plays every seat, the user's included (the sample games
    // of the demonstrations).
    static constexpr int MODE_AFFICHAGE_DEMONSTRATION = 1;
    static constexpr int MODE_AFFICHAGE_ORDINATEUR = ZB_SansSurveillance::MODE_AFFICHAGE_ORDINATEUR;
    // The settings panel's buttons: rows this many text lines high, at
    // least this many average characters wide, this far apart.
    static constexpr double HAUTEUR_BOUTON_PANNEAU = 2.4;
    static constexpr double LARGEUR_BOUTON_PANNEAU = 28.0;
    static constexpr int ESPACE_BOUTONS_PANNEAU = 6;
    static constexpr int ATTENTE_CLIENT_SECONDES = 10;
    // An unattended client gives up on a host that says nothing this long
    // after the connection.
    static constexpr int SILENCE_HOTE_SECONDES = 15;
    // ... and on one silent this long during the game: well beyond what a
    // host waits for its slowest seat (turn time, margin and a catch-up).
    static constexpr int SILENCE_HOTE_EN_JEU_SECONDES = 300;
    static constexpr int INTERVALLE_HOTE_MS = ZB_SansSurveillance::INTERVALLE_HOTE_MS;
    static constexpr int MAX_LIGNES_ERREUR = 100;
    static constexpr int NOMBRE_SIEGES = 4;
    // An opened file has been played back once its record stays unchanged
    // for this many looks this far apart.
    static constexpr int INTERVALLE_SONDAGE_MS = 100;
    static constexpr int SONDAGES_STABLES = 5;
    static constexpr int SIEGE_UTILISATEUR = 0;
    static constexpr qint64 PREMIER_ID_JOUEUR = 1;
    // Pauses between steps are divided by this in an unattended run with
    // pacing left on (--auto): the match still looks like a game.
    static constexpr double FACTEUR_DUREES_AUTO = 0.2;

    // dossierDonnees: the writable data folder; empty: the platform's.
    explicit ZB_MainWidget(const ZB_Settings& demarrage, const QString& dossierDonnees = QString());
    ~ZB_MainWidget() override;
    ZB_MainWidget(const ZB_MainWidget&) = delete;
    ZB_MainWidget& operator=(const ZB_MainWidget&) = delete;

    // Enters the start mode the start-up record chose.
    void demarre();

    DisplayGL* vue() const { return vue_.get(); }
    TableClient* salle() const { return salle_.get(); }
    ZB_MultiServer* serveur() const { return serveur_.get(); }
    QMenuBar* barreMenus() const { return barreMenus_; }
    const ZB_Settings& demarrage() const { return demarrage_; }
    QString dossierDonnees() const { return dossierDonnees_; }
    const OptionsDePartie& optionsDePartie() const { return optionsPartie_; }
    void setOptionsDePartie(const OptionsDePartie& options) { optionsPartie_ = options; }
    // The table on screen, null before the first game.
    ZB_RoomTable* tableAffichee() const;
    // The match scores of the table on screen, this deal's points included.
    std::array<int, 2> scores() const;

    // --- Unattended runs (ZB_MainWidgetAutomatique.cpp; what the windowless
    // host shares is ZB_SansSurveillance's and ZB_Hebergement's).
    // The login under which this program starts its local games.
    static constexpr const char* LOGIN_PARTIE = "Zubrik";
    // Listens for a hosted game (ZB_Hebergement::ecoute) on the record's
    // TCP port; false when it could not be had.
    static bool ecouteHote(ZB_MultiServer& serveur, const ZB_Settings& demarrage);
    // What the user reads when ecouteHote failed.
    static QString texteEcouteImpossible(int port);
    // Which saved game the start-up resumes: the newer of the autosave and
    // the default file of the folder, "" when neither exists.
    static QString fichierDeReprise(const QString& dossier);
    // Moves a game file that could not be resumed out of the way, to a name
    // of its own in the same folder; that name, or empty when it stayed.
    static QString gardeFichierAbime(const QString& chemin);
    // The name offered for online play (ZB_Hebergement::nomPropose).
    static QString nomDeJeuPropose(const QString& loginLobby, const QString& garde, const QString& systeme)
    {
        return ZB_Hebergement::nomPropose(loginLobby, garde, systeme);
    }
    static QString nomDuSysteme() { return ZB_Hebergement::nomDuSysteme(); }
    static QString nettoieNomDeJeu(const QString& nom) { return ZB_Hebergement::nettoieNom(nom); }
    static constexpr int NOM_DE_JEU_MAX = ZB_Hebergement::NOM_MAX;
    // The report of a bug: the game record and the sockets' recent errors.
    QString documentRapportBug(const QString& remarque) const;
    // The zip of the last bug report written, "" before the first.
    QString dernierRapport() const { return dernierRapport_; }
    // Whether the program asked to quit (an unattended run's end, a
    // confirmed quit); tests read it instead of watching the event loop.
    bool isQuitDemande() const { return quitDemande_; }
    // The action of a menu command, by its object name ("nouvelle",
    // "ouvrir", "heberger" ...).
    QAction* action(const QString& nom) const;

    // --- DisplayACloseCallback.
    void userRequestedClose(QCloseEvent* event) override;
    void userChoseGameType(int idTypeDePartie) override;
    // Opens the sample game of a scenario (0 to nombreDeScenarios() - 1)
    // with the computer at every seat, in a language (1 French, 2 English,
    // 3 German, 4 Italian; 0 the one shown). An argument that is a lobby
    // screenshot state (GM::ScreenshotRanking, ScreenshotServers,
    // ScreenshotTitles) shows the lobby window over the table with that tab
    // in front; any other shows the table alone.
    void startMarketingScenario(int scenario, int langue, int argument) override;

    // --- Demonstrations (ZB_MainWidgetDemonstrations.cpp).
    static int nombreDeScenarios();
    // The embedded game of a scenario, "" for none.
    static QString fichierScenario(int scenario);
    // The game on the table is a demonstration: nothing of it is saved.
    bool estDemonstration() const;

    // --- Dialogs and themes (ZB_MainWidgetDialogues.cpp).
    // Every in-scene dialog is made once at start; the menus show them.
    OptionsPartie* dialogueOptions() const;
    ZB_About* dialogueAPropos() const;
    FormTutorialEnter* formulaireTutoriel() const;
    FormDebugOptions* formulaireDebug() const;
    FormBugQuestionnaire* questionnaireBug() const;
    ServerView* vueServeur() const;
    ZB_ClientConnection* fenetreConnexion() const;
    ZB_ClientDialogIp* dialogueIp() const;
    const OptionsAffichage& optionsAffichage() const { return optionsAffichage_; }
    // What appStyle() says while no theme is installed (an unattended run
    // installs none, so that it looks the same on every machine).
    static constexpr int SANS_THEME = -1;
    // The theme in force: 0 Wood, 1 Alien, 2 Racing, 3 Candy, 4 Nature, or
    // SANS_THEME.
    int appStyle() const { return appStyle_; }
    // Installs a theme (a number that names none installs Wood), colours the
    // table to match.
    void setAppStyle(const int& style);
    // Applies display options to the table, the menus and the language.
    void setNouvellesOptions(const OptionsAffichage& options);
    // The support note of the bug questionnaire, with its mail link.
    static QString noteSupport();

signals:
    // An unattended run's match is over (scores of teams 0 and 1).
    void signalMatchTermine(int equipe0, int equipe1);
    // The program should end now (the start routine ends the event loop).
    void signalQuitter();

public slots:
    void OnNouvellePartie();
    void OnNouvellePartieGagnante();
    void OnOuvrir();
    // Opens a game file; false (after telling the user) when it does not
    // read.
    bool ouvreFichier(const QString& chemin, int modeDepart, int noTable = 0);
    void OnEnregistrer();
    void OnEnregistrerSous();
    void enregistreSous(const QString& chemin);
    void OnHeberger();
    void OnRejoindre();
    // Joins the game hosted at that address; the port is that of the
    // transport in use, 0 for its default.
    void rejoint(const QString& adresse, quint16 port = 0);
    // Shows the server view again while this machine hosts.
    void OnVueServeur();
    // The host stopped its server from the server view.
    void OnServeurArrete();
    void OnOptionsSons(bool actifs);
    void OnLangue(QAction* langue);
    void OnAnnuler(bool isForward);
    void OnBugReport();
    void OnBug(QString const& userFeedback);
    void OnQuitter();
    void OnQuitter_Reponse(int bouton);
    // Leaves the online game (after the same question as quitting) for a
    // local game.
    void OnQuitterEnLigne();
    void OnQuitterEnLigne_Reponse(int bouton);
    // The box of a save that failed on the way out was answered.
    void OnQuitteApresEchec(int bouton);
    // Stops the server the game runs on, after the same question.
    void OnArretServeur_Reponse(int bouton);

    void OnSizeChanged();
    void OnSpecialKeyPressed(int touche);
    void OnSwipeTriggered(QSwipeGesture::SwipeDirection direction);
    void OnFontChange(double pourcent);
    void OnRightPanelVisibleChanged(bool isVisible);
    void OnButtonConnectPressed();
    void OnServerSendStatsGameCompleted(bool isConnected, QString stats);
    void OnOnlineGameStarted();
    void OnOnlineGameEnded();

    // --- Dialogs and themes (ZB_MainWidgetDialogues.cpp).
    void OnOptions();
    void OnOptionsAccepted(const OptionsDePartie& partie, const OptionsAffichage& choisies);
    void OnAPropos();
    void OnFenetreEvenements(bool afficher);
    void OnStyleChoisi(QAction* style);
    void OnTutorialAnswer(int choix, bool nePlusAfficher);

    // --- Online lobby and native hooks (ZB_MainWidgetLobby.cpp).
public:
    // There is no Windows build: an update is the program's AppImage, not
    // a Windows installer.
    static constexpr const char* FICHIER_MISE_A_JOUR = "Zubrik-x86_64.AppImage";
    GM_ServerList* lobby() const;
    GM_Login* loginLobby() const;
    GM_NativeA* natif() const;
    // The user's lobby account, -1 until the lobby has named it.
    qint64 idUtilisateurLobby() const { return idUtilisateurLobby_; }
    bool isCompteBloque() const { return compteBloque_; }

public slots:
    void startClientSession(const QString& ip, const QString& loginName, quint16 port_websocket_secure,
                            quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId,
                            int timerStart_s, bool isPublicServer, int tournamentTableId, int serverProtocolVersion);
    void startServerSession(const QString& loginName, quint16 port_websocket_secure, quint16 port_websocket_unsecure,
                            quint16 port_tcpOld, qint64 databaseUserId);
    void OnReceiveBridgeOpen(GM_SocketAbstract* socket);
    void OnSetMessengerStatus(qint64 databaseUserId, GM::ConnectStatus connectStatus, int nbrFriends);
    void OnAccountLockedStatus(bool isLocked);
    void OnNotifyFriendPlayingOnline();
    void OnSignalPlayTournament();

private:
    void creeNatif_();
    // Places the window from its saved geometry (empty: its present size),
    // inside the free area of its screen.
    void placeFenetre_(const QByteArray& geometrie);
    void construitLobby_();
    // Start-up: Discord, then the quiet or command-line login.
    void demarreLobby_();
    void lanceOptionsTournoi_();
    void ouvreLobby_();
    void retraduitLobby_();
    void quitteLobby_();
    // The game left at the last quit, else a new one; an unattended test
    // run always plays a fresh match.
    void reprendOuCommence_();
    bool departEnLigne_(int modeDepart, int genreSession, const QString& adresse, const QString& login,
                        quint16 secure, quint16 unsecure, quint16 tcp, int secondes, bool publique,
                        const QSharedPointer<GM_SocketAbstract>& socket, int noTable);

    // Made before the view, which lends it to the scoreboard; it outlives
    // every window.
    std::unique_ptr<GM_NativeA> natif_;
    QPointer<GM_ServerList> lobby_;
    QPointer<GM_Login> loginLobby_;
    QPointer<GM_Progress> progressionLobby_;
    QPointer<GM_ServerPass> passeLobby_;
    int familleLobby_ = 0;
    int langueLobby_ = 1;
    qint64 idUtilisateurLobby_ = -1;
    // The lobby's login name, known once the lobby started a session.
    QString loginNomLobby_;
    bool compteBloque_ = false;
    bool optionsTournoiLancees_ = false;

private slots:
    void metAJourActions_();
    // A client's online game ended without the user leaving it (removed,
    // the host gone, a join that failed): the local game the user had
    // before comes back, playable at once.
    void retourAuJeuLocal_();
    void termineFichierOuvert_();
    void OnMatchTermine();
    void OnHoteAttendClient();
    void OnSondeFichierOuvert();
    void OnRelectureFinie(const QString& arret);
    // The opened file was refused while it was replayed: told as a file
    // that does not open, and the game in progress before comes back (a
    // refused resume file goes aside, and a new game starts).
    void OnFichierRefuse(const QString& message);

private:
    void construitMenus_();
    // The in-scene buttons of the settings panel: the menu's main commands
    // for a window without its menu bar (full screen, small screens).
    void construitPanneauDroit_();
    // The menus' and buttons' texts in the language in force.
    void retraduit_();
    // Shows the language of the display options (English with --english).
    void appliqueLangue_();
    void prepareRapport_(ZB_BugReport& rapport, const QString& remarque) const;
    void construitSalle_();
    // Calls the room's start with every loading error caught and shown;
    // false when one was. nom: the name typed for this session, when the
    // user typed one (else the lobby's, kept or the system's).
    bool depart_(int modeDepart, int genreSession, const QString& fichierOuServeur, int noTable,
                 quint16 portClient = 0, const QString& nom = QString());
    // The port a client of this program connects to by default: that of the
    // transport in use.
    quint16 portClientDefaut_() const;
    // The name this program's user plays under online (see
    // nomDeJeuPropose), and the keeping of a name the user chose.
    QString nomDeJeu_() const;
    void gardeNomDeJeu_(const QString& nom);
    void afficheErreur_(const QString& texte);
    // Seats the user and three computer players at a new local table.
    void inscritJoueurs_();
    // An unattended run prints the scores of the file it opened, and ends.
    // Prints the OPENED line; ends the run unless told not to.
    void rapporteFichierOuvert_(bool quitter = true);
    void quitte_();
    // The local game on the table goes to the autosave, which the next
    // start resumes, and so does the way back from an online session: at a
    // quit, and before a join (whose failure, or end, brings it back even
    // when the user was not asked yet). An unattended run and a
    // demonstration leave the user's autosave alone.
    void gardePartieLocale_();
    bool doitGarderPartieLocale_() const;
    ZB_TraceLog* trace_() const;

    // --- Dialogs and themes (ZB_MainWidgetDialogues.cpp).
    // The in-scene dialogs, wired to the scene and the room (after both).
    void construitDialogues_();
    // The dialogs' and themes' menu commands, in the menus already built.
    void construitMenusDialogues_();
    // The theme kept by the last run, Wood on the first.
    void restaureStyle_();
    // Keeps the theme in force for the next start.
    void ecritStyle_();
    // Shows an in-scene dialog over the table.
    void montreDialogue_(QWidget* dialogue);

    // --- Demonstrations (ZB_MainWidgetDemonstrations.cpp).
    // The display mode of the game about to start: the demonstration's when
    // one was asked for, else the one in force before the demonstration.
    void choisitModeAffichage_();
    // Shows a language without making it the user's choice.
    void montreLangue_(int choix);
    bool demonstrationDemandee_ = false;
    int modeAvantDemonstration_ = MODE_AFFICHAGE_NORMAL;

    ZB_Settings demarrage_;
    QString dossierDonnees_;
    OptionsAffichage optionsAffichage_;
    OptionsDePartie optionsPartie_;
    QString dernierFichier_;
    QString dernierRapport_;
    bool quitDemande_ = false;
    bool matchFini_ = false;
    int executesVus_ = -1;
    int sondagesStables_ = 0;
    bool fichierOuvertAutomatique_ = false;
    // The opened file's replay is through, and why it stopped (empty: it
    // was replayed whole).
    bool relectureFinie_ = false;
    QString arretRelecture_;
    // How the file in replay was opened (ZB_Room::OuvreFichier or
    // RepriseFichier), and its path.
    int modeFichierOuvert_ = 0;
    QString fichierOuvert_;

    // The view first, then the engine side, which dies first. The right
    // panel is lent to the scene's settings panel and outlives the view.
    std::unique_ptr<QWidget> panneauDroit_;
    QSharedPointer<DisplayGLWidget> holder_;
    std::unique_ptr<DisplayGL> vue_;
    QMenuBar* barreMenus_ = nullptr;
    QActionGroup* langues_ = nullptr;
    std::unique_ptr<ZB_Translator> traducteur_;
    // The settings store of an attended run; null in an unattended one.
    std::unique_ptr<QSettings> settings_;
    QList<QPair<QPointer<QAction>, const char*>> textesMenus_;
    QList<QPair<QPointer<QPushButton>, QPointer<QAction>>> boutonsPanneau_;
    QPointer<ZB_ClientDialogIp> dialogueIp_;
    // The scene owns its dialogs; they go with the view.
    QPointer<OptionsPartie> dialogueOptions_;
    QPointer<ZB_About> dialogueAPropos_;
    QPointer<FormTutorialEnter> formulaireTutoriel_;
    QPointer<FormDebugOptions> formulaireDebug_;
    QPointer<FormBugQuestionnaire> questionnaireBug_;
    QPointer<ServerView> vueServeur_;
    QPointer<ZB_ClientConnection> fenetreConnexion_;
    QActionGroup* styles_ = nullptr;
    int appStyle_ = SANS_THEME;
    GM_BanList banList_;
    std::unique_ptr<TableClient> salle_;
    std::unique_ptr<ZB_MultiServer> serveur_;
};
