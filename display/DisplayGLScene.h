#pragma once

#include "DisplayGLJeuDeCartes.h"
#include "DisplayGLPaintA.h"
#include "DisplayGLSceneA.h"
#include "GM_MessageBoxDisplayerA.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAuto.h"
#include "Joueur.h"
#include "OptionsAffichage.h"
#include "OptionsDuJoueur.h"
#include "SceneArdoise.h"
#include "SceneBoites.h"
#include "SceneBulles.h"
#include "SceneConseil.h"
#include "SceneGeometrie.h"
#include "SceneMains.h"
#include "SceneCadreSaisons.h"
#include "ScenePlaques.h"
#include "SceneSouris.h"
#include "SceneTapis.h"
#include "SceneTextes.h"
#include "ZB_DeckJass.h"
#include "ZB_Sound.h"
#include "AnnoncesJoueur.h"
#include "ZB_PointsA.h"
#include "ZB_StatusMise.h"

#include <QColor>
#include <QDebug>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QIcon>
#include <QList>
#include <QMutex>
#include <QOpenGLFunctions>
#include <QPointer>
#include <QSemaphore>
#include <QSharedPointer>
#include <QStringList>
#include <QSwipeGesture>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

class AnalyseJoueur;
class Carte;
class DisplayACloseCallback;
class DisplayGLHumanCarte;
class DisplayGLPanelDeJoueur;
class DisplayGLScoreAnimPixmap;
class DisplayGLScoreAnimText;
class DisplayGLSceneDialog;
class DisplayGLWidget;
class GL_ObjectCube;
class GL_ObjectSquare;
class GM_NativeA;
class InfoDemande;
class GM_WidgetAutoRound;
class PanelAtouts;
class Partie;
class QFontMetrics;
class QGraphicsPathItem;
class QGraphicsSimpleTextItem;
class QLineEdit;
class QPlainTextEdit;
class QPropertyAnimation;
class QPushButton;

namespace Ui {
class MessageBoxGl;
}

// The graphics scene that shows one game table: the 3-D layer drawn by the
// paint engine, the hand cards, the slate lines, the tool buttons, the side
// panels, the floating score and message items, the in-scene dialogs and the
// program's message boxes.
//
// Rules:
// - One scene per view; it lives in the GUI thread. It is the program's
//   message-box displayer: boxes asked from any thread are shown here, one
//   at a time, on the GUI thread; each button answers its own value. The
//   boxes and in-scene forms are the owned part SceneBoites, to which the
//   displayer's members forward.
// - Texts from peers and servers are never taken as markup: box texts are
//   escaped (only line breaks, "\n" or <br>, keep their meaning), and
//   floating texts and slate lines are plain text.
// - The game pointer has its own mutex. The computer's card advice is an
//   owned part (SceneConseil, whose header states its thread rules); the
//   scene is the search's callback and forwards its answer there; a running
//   advice search is cancelled before the scene dies.
// - Sounds play only when the user's sound option is on and the table is
//   not played unattended (automatic mode).
// - The status lines, the status texts and the scoreboard are an owned part
//   (SceneArdoise, whose header states its rules; the lines keep off the
//   slate and follow it where the engine draws it). The status line is kept
//   as its untranslated text and arguments, so that a language change
//   translates it again; names from peers are arguments, never part of a
//   translated text. A temporary text holds the lines until its timer gives
//   them back to the status.
// - The scoreboard never divides by a multiplier below 1, and draws nothing
//   while the undo history is browsed; the hand is playable, and a card
//   advised, only while the last status asks the local human for a card.
// - The cards on the cloth (the trick, the turned card, the exposed
//   announcements) are an owned part, SceneTapis, whose header states the
//   cloth's rule: the cloth follows the game's events in order. The speech
//   bubbles are another, SceneBulles.
// - A deal's floating scores end when the next deal starts, whose counters
//   start from nothing. An automatic continuation answers only the status
//   that armed it.
// - Plates name the seated players from the first deal on; the contract
//   shows once this deal's game is attached, on the plate of the seat that
//   bid it (not the doubler's, whom the engine makes the taker); a plate is
//   as long as its text, within the cloth. The plates are an owned part
//   (ScenePlaques), which the scene hands the seats' and the game's facts.
// - Destruction stops the animations, closes the dialogs and detaches the
//   paint engine before any item dies; the card set is a member, so it dies
//   before the graphics scene that holds its cards. The hands' layout and
//   sprites are an owned part (SceneMains) that shares the card set's
//   sprites; the mouse on the hand is another (SceneSouris), to which the
//   scene's mouse events forward. No part holds another part's fields:
//   what one needs of another, the scene hands it.
// - What the scene writes and where it puts things, when that depends on
//   the facts alone, lives outside the class: scene_textes (SceneTextes.h),
//   scene_aide (SceneAide.h, the help box) and scene_geometrie
//   (SceneGeometrie.h). The scene gathers the facts and shows the result.
class DisplayGLScene : public QGraphicsScene,
                       public Joueur::Cb_CarteConseil,
                       public GM_MessageBoxDisplayerA,
                       public GM_MessageBoxEmitter,
                       public QOpenGLFunctions,
                       public DisplayGLPaintA::CallBack_PortableGrabFrameBuffer_Completed,
                       public DisplayGLSceneA
{
    Q_OBJECT
    Q_PROPERTY(double zBackground READ zBackground WRITE setZBackground)

public:
    // Pictures of boxes beyond the style's four icons.
    enum IconeScene { IconeTomate = 1000, IconeCoupe = 1001, IconeSucces = 1002, IconeAide = 1003 };

    // One of the two message-box forms and where it sits in the scene.
    using Boite = SceneBoites::Boite;

    // A seat as the table shows it.
    struct Siege
    {
        Joueur* joueur = nullptr;
        qint32 numero = -1;
        quint8 utilisePanneau = 0;
        quint8 miroir = 0;
        QSharedPointer<DisplayGLPanelDeJoueur> panneau;
    };

    static constexpr int NOMBRE_SIEGES = scene_geometrie::NOMBRE_SIEGES;
    static constexpr int NOMBRE_LIGNES_ARDOISE = SceneArdoise::NOMBRE_LIGNES;
    static constexpr int CLASSE_POLICE_ARDOISE = SceneArdoise::CLASSE_POLICE;
    static constexpr int CLASSE_POLICE_BOITE = 1;
    static constexpr double Z_LIGNES_ARDOISE = SceneArdoise::Z_LIGNES;
    static constexpr double Z_FOND_LIGNES = SceneArdoise::Z_FOND;
    // The seasonal pictures drift behind every control and text.
    static constexpr double Z_SAISONS = -10003.0;
    static constexpr double Z_BOITE_CACHEE = -10000.0;
    static constexpr double Z_STATUT_CACHE = -10001.0;
    static constexpr double Z_BOITE = 0.4;
    static constexpr double Z_BOITE_MISE_A_JOUR = 0.41;
    static constexpr double Z_ANIMATIONS = 0.3;
    static constexpr double Z_REGLAGES = 0.1;
    static constexpr double Z_ATOUTS = 0.05;
    // Message lines pass under the settings panel, which hides the table
    // while it is open.
    static constexpr double Z_MESSAGES = 0.08;
    // The gap kept between a message line and the table's texts below it.
    static constexpr double MARGE_MESSAGE = 4.0;
    // Open, the chat band covers the tool buttons at its right end, where
    // its own close button is.
    static constexpr double Z_CHAT = 0.2;
    static constexpr int DELAI_AIDE_MS = 6000;
    static constexpr int DELAI_SURLIGNAGE_MS = 500;
    static constexpr int NOMBRE_ANIMS_SCORE = 16;
    static constexpr int NOMBRE_ANIMS_IMAGE = 32;
    static constexpr int NOMBRE_ANIMS_MESSAGE = 4;
    static constexpr int HISTORIQUE_MAX = 100;
    static constexpr qint64 DUREE_APPUI_CAPTURE_MS = 5000;
    static constexpr int VIBRATION_BOITE_MS = 50;
    static constexpr double HAUTEUR_BOITE = 1.75;
    static constexpr double HAUTEUR_BOITE_FIN = 1.2;
    static constexpr int MARGE_LIGNE_ARDOISE = scene_textes::MARGE_LIGNE_ARDOISE;
    static constexpr int HAUT_LIGNES_ARDOISE = SceneArdoise::HAUT_LIGNES;
    static constexpr int BLOCS_CHAT_MAX = 50;
    static constexpr int ESPACEMENT_PANNEAUX = 3;
    static constexpr int COTE_ICONE_BOUTON = 26;
    static constexpr int HAUTEUR_ICONE_CONNEXION = 75;
    static constexpr int HAUTEUR_ICONE_OUTIL = 52;
    static constexpr double DISTANCE_CAMERA_TABLE = 2.5;
    static constexpr int DELAI_MESSAGE_RESEAU_MS = 1800;
    static constexpr double LARGEUR_CARTE_TABLE = SceneTapis::LARGEUR_CARTE;
    static constexpr double HAUTEUR_CARTE_TABLE = SceneTapis::HAUTEUR_CARTE;
    // The widget engine's layer is scaled so that the cloth fills this share
    // of the table's height; the OpenGL engine's camera has a fixed height.
    static constexpr double PART_TAPIS_HAUTEUR = 0.6;
    // Both engines draw their layer (cloth, tricks, other seats' hands,
    // slate) in this upper part of the table, so that the bottom hand's
    // raised cards stay below the bottom seat's name plate at the cloth's
    // near edge.
    static constexpr double PART_HAUTEUR_COUCHE_WIDGET = 0.82;
    static constexpr double FACTEUR_HAUTEUR_OPENGL = 0.6;
    // While the band makes the layer smaller, its texts are drawn larger,
    // up to this size of a bubble's words in pixels (never larger than
    // without the band), and never more than so many times the layer's
    // scale: a window too short for any table keeps texts that leave room
    // to the cloth.
    static constexpr double POLICE_LISIBLE_BANDE = 12.0;
    static constexpr double AGRANDISSEMENT_TEXTES_MAX = 2.5;
    static constexpr const char* TEXTE_ERREUR_INCONNUE = "Unknown error";
    // The rules articles, translated to the article in the language shown
    // where the encyclopedia has one.
    static constexpr const char* LIEN_REGLES_JASS = QT_TR_NOOP("https://fr.wikipedia.org/wiki/Jass");
    static constexpr const char* LIEN_REGLES_BELOTE = QT_TR_NOOP("https://fr.wikipedia.org/wiki/Belote");

    // Arguments in the order of the view that builds the scene: the owner
    // (receiver of signalAnnuler, signalBug and
    // signalRightPanelVisibleChanged), the view (QObject parent), the paint
    // engine holder, the right panel (shown in the settings panel; may be
    // null), the close callback, whether the display mode is 2, the display
    // options, the Belote flag, the screenshot flag, the automatic-mode flag,
    // the card cache folder's name, a second start-up string, the window
    // widget (parent of the analysis windows; may be null) and the native
    // hooks (may be null).
    DisplayGLScene(QObject* proprietaire, QObject* vue, QSharedPointer<DisplayGLWidget> holder,
                   QWidget* panneauDroit, DisplayACloseCallback* fermeture, bool modeAffichage2,
                   const OptionsAffichage& options, bool belote, bool captures, bool automatique,
                   const QString& dossierCache, const QString& chaineDemarrage, QWidget* fenetre,
                   GM_NativeA* natif);
    ~DisplayGLScene() override;

    // --- What the paint engines ask of the scene.
    QGraphicsScene* graphicsScene() override { return this; }
    void createGLObjects() override;
    void paintGLLayer() override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    qreal devicePixelRatio() const override { return ratioPixels_; }

    // --- The message-box displayer.
    using GM_MessageBoxEmitter::updateMessageBox;
    void updateMessageBox(const GM_MessageBoxRequest& request, int id) override;
    void closeStatusBox() override;
    void execMessageBox(uint id) override;
    bool isMessageBoxPending() override;
    void hideWithdrawnBox(uint id) override;
    // Shows a request in a box at a z value: the common display step.
    void showBox(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy, double z,
                 const GM_MessageBoxRequest& request);
    // Places a box in the table area: full width, centred vertically.
    void placeBox(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect);
    // The box's height for the table height and the last box shown.
    double hauteurBoite(double hauteurTable) const { return boites_.hauteurBoite(hauteurTable); }
    // The picture and sound of a box icon (sound -1: none).
    static QIcon iconeBoite(int icone);
    static int sonBoite(int icone);
    // Answers every box at once with Ok without showing it (a table's test
    // mode).
    void setAutoAnswer(bool autoReponse);
    bool isAutoAnswer() const;
    // The box on screen, or -1.
    qint64 currentBoxId() const;
    const Boite& boitePrincipale() const { return boites_.boitePrincipale(); }
    const Boite& boiteStatut() const { return boites_.boiteStatut(); }
    QStringList historiqueBoites() const { return boites_.historique(); }
    int dernierGenreBoite() const { return boites_.dernierGenre(); }
    // The welcome form a tutorial request shows, set by the main window;
    // without one a tutorial request is closed at once as completed.
    void setTutorialForm(GM_WidgetAuto* formulaire);
    uint tutorialEventId() const { return boites_.idTutoriel(); }

    // --- Card advice.
    void carteConseillee(Carte* carte, bool erreur) override;
    // Takes the advice place (waiting for a search still running) and asks
    // the player for advice; false when the player is missing.
    bool demandeConseil(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout);
    bool isAdviceRunning() const { return conseil_.enCours(); }
    // Waits until no advice search runs, at most delaiMs (-1: no limit);
    // true when none runs.
    bool attendConseil(int delaiMs);
    Carte* carteConseil() const;
    // Forgets the advised card; the answer of a search still running will
    // advise nothing.
    void effaceCarteConseil();

    // --- The game.
    void setPartie(QSharedPointer<Partie> partie);
    QSharedPointer<Partie> partie() const;
    bool aUnePartie() const;

    // --- Seats and the cards of a deal.
    // Attaches a seat's player (null clears the seat); seats outside 0..3
    // are ignored.
    void setJoueur(int siege, Joueur* joueur, QSharedPointer<DisplayGLPanelDeJoueur> panneau = {});
    void setNoJoueurLocal(int siege) { joueurLocal_ = siege; }
    // Until the local seat holds a player of this machine, its plate names
    // the user (DisplayA::setNomJoueurLocal).
    void setNomJoueurLocal(const OptionsDuJoueur* joueur);
    int siegeBas() const { return siegeBas_; }
    // Seats set from now on swap the left and right positions.
    void setSiegesMiroir(bool miroir) { miroir_ = miroir; }
    // Where a seat is drawn: 0 bottom, 1 right, 2 top, 3 left; -1 for a
    // seat outside 0..3 (scene_geometrie::positionAffichage from this
    // table's bottom seat and the seat's mirroring).
    int positionAffichage(int siege) const;
    // Shortens (below 1) every animation and deal delay of the table: a
    // test plays whole matches at the table's pace, faster.
    void setFacteurDurees(double facteur);
    double facteurDurees() const { return facteurDurees_; }
    // 1: no animations; 4: every card face up.
    void setModeVue(int mode);
    int modeVue() const { return modeVue_; }
    // The table is played again after a rebuild: view mode 0, browsing
    // over, the scoreboard's record kept and shown.
    void afficheTable();
    // Milliseconds until the last card dealt to a hand shown face up has
    // landed (0 once it has): a question about the hand waits for it.
    int resteAvantMainComplete() const;
    // The room across the middle of the cloth between the side seats'
    // plates, as drawn (infinite before the cloth shows).
    double largeurEntrePlaques() const;
    // The frame the seasonal pictures are drawn through.
    const QGraphicsPathItem* cadreSaisons() const { return saisons_.item(); }
    // A seat's panel over this scene's trump band, card sprites and chat,
    // whose band waits for the hand to be dealt.
    QSharedPointer<DisplayGLPanelDeJoueur> creePanneau(QObject* parent);
    // The user browses the game back and forth (undo): no card flights.
    void setNavigationAnnuler(bool actif) { navigationAnnuler_ = actif; }
    bool isNavigationAnnuler() const { return navigationAnnuler_; }
    // The game type's contract rule: 2 the help says "Coincher", any other
    // value "Contrer".
    void setStyleContre(int style) { styleContre_ = style; }
    // The welcome is on its way: no automatic deal or collect goes ahead
    // until its form is answered (and the rules box it asked for is read).
    void retiensPourAccueil();
    bool isRetenuPourAccueil() const { return accueil_ != AccueilAucun; }
    // The welcome went without asking for the rules, however it went: the
    // held deal goes ahead.
    void relacheAccueil();
    // The rules of the game kind played, with the rules link, in a help
    // box; the welcome's hold ends when it is answered.
    void afficheRegles();
    // The game kind being played: the rules link names its article.
    void setBelote(bool belote);
    bool estBelote() const { return belote_; }
    int styleContre() const { return styleContre_; }
    void setModeAffichage2(bool mode2, bool second)
    {
        modeAffichage2_ = mode2;
        secondDrapeau_ = second;
    }
    bool isModeAffichage2() const { return modeAffichage2_; }
    // The local user was excluded for slowness: hovering and double clicks
    // on cards are ignored from then on.
    void setJoueurExclu(bool exclu) { joueurExclu_ = exclu; }
    bool isJoueurExclu() const { return joueurExclu_; }
    void nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes);
    void afficheCartesDistribuees(Carte* carteRetournee);
    // The cards the hands hold beyond what the deal showed are dealt to
    // them, the turned card from the middle of the cloth to its taker.
    void afficheResteDistribue();
    void afficheCarteJouee(int siege, Carte* carte);
    void afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces);
    void effaceBulles(int inutilise, const AnnoncesJoueur& annonces);
    void finDeDonne();
    // Speech bubbles, by the seat's display position.
    void afficheBulleJoueur(int siege, const AnnoncesJoueur& annonces);
    void afficheBulleMise(int siege, const ZB_StatusMise& mise, int variante);
    void afficheBulleAnnonce(int siege);
    QString texteBulle(int position) const;
    bool isBullePendante(int position) const;
    GL_ObjectSquare* bulle(int position) const;
    // While the band shows, the layer is drawn smaller above it but its
    // texts (slate, bubbles, plates) stay readable: the factor they are
    // drawn larger by (1 without the band).
    double agrandissementTextes() const;
    // The name plates on the cloth, with the trump in force (0 none).
    void redessineCartes(int atout);
    // What the plate at a display position said when last painted (empty
    // for an empty seat).
    QString textePlaquePosition(int position) const { return plaques_.texte(position); }
    QRectF zonePlaquePosition(int position) const { return plaques_.zone(position); }
    // The cloth as the plates were last painted on it.
    QImage imageTapis() const { return plaques_.image(); }
    // A colour scheme (2: light texts on a dark table) and the palette whose
    // window colour fills behind the table.
    void appliqueCouleurs(int schema, const QPalette& palette);
    int schemaCouleurs() const { return schemaCouleurs_; }
    // --- Notices.
    // The status line while a seat has passed the trump choice on (chibre)
    // to its partner (scene_textes::texteChibre, kept as the status).
    void afficheChibre(const Joueur* choisisseur, const Joueur* partenaire);
    // Every seat passed: the cards are dealt again.
    void afficheRedistribution();
    // While the main window's right panel covers the table, the table is
    // not painted and the dialogs are closed.
    void setPanneauDroitVisible(bool visible);
    bool isPanneauDroitVisible() const { return panneauDroitVisible_; }
    // The last game state the status line showed (the table's state code):
    // past the announcements, a trick's end turns exposed cards back.
    void setDernierEtat(int etat) { dernierEtat_ = etat; }
    // The table object of a card number (0..35), or null.
    GL_ObjectCube* objetCarte(int index) const;
    GL_ObjectCube* carteSurTable(int position) const;
    GL_ObjectCube* carteRetournee() const { return cartesTapis_.retournee(); }
    // The cloth (with the seats' name plates) and the slate, once built.
    GL_ObjectSquare* tapis() const { return tapis_.get(); }
    GL_ObjectSquare* ardoise() const { return ardoise_.get(); }
    bool isExposee(int index) const;
    int objectifDonne() const { return objectifDonne_; }
    int donnesRestantes() const { return donnesRestantes_; }

    // --- The status line and the scoreboard, as the game drives them.
    void afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur, bool atoutImpose);
    void afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                        const QList<int>& siegesStock, int equipeBarree);
    void setTexteAide(const QString& texte);
    // Shows a text at once in place of the status for DELAI_AIDE_MS (an
    // empty text changes nothing); then the status comes back.
    void setStatusText(const QString& texte);
    // The same, composed again by texte at every language change while it
    // shows.
    void setStatusText(std::function<QString()> texte);
    // The help text above the status text, each alone when the other is
    // empty.
    void refreshStatusText();
    QString texteStatut() const { return ardoiseStatut_->statut(); }
    QString texteAide() const { return ardoiseStatut_->aide(); }
    int etatCourant() const { return etatCourant_; }
    // Set while the status line asks the local human for a card; cleared
    // when the card is played and by the next status.
    bool isMainJouable() const { return mainJouable_; }
    void setMainJouable(bool jouable) { mainJouable_ = jouable; }
    // A help box waits for the advice search.
    bool isAideEnAttente() const { return conseil_.isAideEnAttente(); }
    // Once the human has acted (a card played, a deal or collect done):
    // "Patientez...", help off, the hand no longer playable.
    void statutAttente();
    // The scoreboard's lines for a points record: team labels and totals,
    // deal lines (a multiplier below 1 counts as 1), target line.
    using LignesArdoise = SceneArdoise::Tableau;
    LignesArdoise lignesArdoise(const ZB_PointsDonne& points, int multiplicateur) const;
    // The viewer's team: seat 0's team seen from the bottom seat.
    int equipeVue() const;
    // The scoreboard's picture as last drawn (null before the first).
    QImage imageArdoise() const { return ardoiseStatut_->image(); }
    // Draws a text centred in a rectangle of a fresh copy of the object's
    // picture and hands it to the paint engine.
    void drawTextOnObject(GL_ObjectSquare* objet, const QString& texte, double facteurPolice, double x, double y,
                          double w, double h);
    void prepareFriendNotice();
    // The friend-online notification: grows in, shrinks out after 2 s.
    void showNotify();
    void afficheRejointPartieEnLigne(bool enLigne, const QString& nomTable);
    // 0 disconnected, 1 in progress, 2 connected with a number.
    void afficheNombreSurBouton(int genre, int nombre);
    // The help box's text for the current state (waits for a running advice
    // search, at most ATTENTE_CONSEIL_MAX_MS, asks the bottom seat's player
    // for its trump or bid advice, then scene_aide::texteAide). The help
    // button does not wait: its box comes when the search has answered.
    QString texteAideSituation();
    // The seat's analysis window, null outside 0..3.
    AnalyseJoueur* analyseJoueur(int siege) const;
    // The scene's own texts in the current language.
    void retraduit();

    // --- Grabs.
    // What the next frame grab is for: a store screenshot (handed on with
    // signalScreenshotCompleted and kept under a numbered name) or the bug
    // report (kept as "bugReportScreenshot", then the questionnaire).
    enum ButCapture { CaptureMagasin = 0, CaptureBug = 1 };
    void demandeCapture(ButCapture but);
    ButCapture butCapture() const { return butCapture_; }
    // The name the last grab was saved under.
    QString dernierFichierCapture() const { return dernierFichierCapture_; }
    void PortableGrabFrameBuffer_Completed(const QImage& image) override;
    void setLegendeCapture(const QString& legende, const QString& couleur1, const QString& couleur2);
    QString legendeCapture() const { return legendeCapture_; }
    // The band at the bottom of a store screenshot that carries its
    // caption, in scene units; the table is laid out above it. 0: none.
    void setHauteurBandeLegende(double hauteur);
    double hauteurBandeLegende() const { return hauteurBandeLegende_; }
    // The bug button: a press held up to DUREE_APPUI_CAPTURE_MS grabs the
    // table for the bug questionnaire, a longer one opens the debug options.
    // The press is timed by a monotonic clock in milliseconds, which tests
    // replace with their own.
    using HorlogeBug = std::function<qint64()>;
    void setHorlogeBug(HorlogeBug horloge);
    // The windows that the bug button opens (owned by the main window).
    void setFenetresBug(QWidget* formulaireDebug, QWidget* questionnaireBug);

    // --- Slate lines.
    void setLignesArdoise(double largeur, double haut, const QString& texte);
    QString texteArdoise() const;
    const std::array<QGraphicsSimpleTextItem*, NOMBRE_LIGNES_ARDOISE>& lignesArdoise() const
    {
        return ardoiseStatut_->lignes();
    }
    const QGraphicsPathItem* fondLignesArdoise() const { return ardoiseStatut_->fond(); }

    // --- Floating items.
    DisplayGLScoreAnimText* prochainScore();
    DisplayGLScoreAnimText* prochainMessage();
    DisplayGLScoreAnimPixmap* prochaineImage();
    const std::vector<std::unique_ptr<DisplayGLScoreAnimText>>& animationsScore() const { return animsScore_; }
    const std::vector<std::unique_ptr<DisplayGLScoreAnimPixmap>>& animationsImage() const { return animsImage_; }
    const std::vector<std::unique_ptr<DisplayGLScoreAnimText>>& animationsMessage() const { return animsMessage_; }
    // A line from the network or a peer, spaced DELAI_MESSAGE_RESEAU_MS
    // after the previous one; shown as plain text. Lines wait in order for
    // a free item: none is lost in a burst, but of a flood only the last
    // MessagesEnAttenteMax lines wait.
    static constexpr qsizetype MessagesEnAttenteMax = 50;
    void afficheMessageReseau(const QString& texte);
    QStringList messagesEnAttente() const { return fileMessages_; }
    // The demonstration of the floating items, from the debug options: the
    // next seasonal picture in turn (winter, summer, spring, autumn), one
    // of three sample network texts drawn at random, two scores and a
    // short "Match". Returns the picture's place in that turn.
    static constexpr int DUREE_MATCH_DEMONSTRATION_MS = 1500;
    int testeMessagesReseau();

    // --- Sounds and native hooks.
    ZB_Sound& son() { return son_; }
    // Plays an effect when the user's option allows it.
    bool joueSon(int effet);
    // Calls the vibration hook when the display options ask for it.
    void vibre(int millisecondes);
    // The score line of an online game, for the platform: the viewer's and
    // the other team's points, with the target (-1 none; 100000 a game by
    // rounds, then the rounds left). Only in an online game.
    void signaleScoreEnLigne(int points, int adversaire, int cible, int toursRestants);
    void setPartieEnLigne(bool enLigne);
    bool isPartieEnLigne() const { return enLigne_; }

    // --- Options.
    void setOptionsAffichage(const OptionsAffichage& options);
    const OptionsAffichage& optionsAffichage() const { return options_; }
    bool isAutomatique() const { return automatique_; }

    // --- Layout.
    // The table area (left of the right panel), in scene coordinates.
    QRectF zoneTable() const;
    double decalageTable() const { return decalageTable_; }
    void setDecalageTable(double decalage);
    bool isPanneauDroitAffiche() const { return panneauDroitAffiche_; }
    void setDisposition(bool large);

    // --- In-scene dialogs.
    // Puts a new dialog of class T (built from args, without parent) in the
    // scene, hidden at z, placed by placement (1: the strip right of the
    // table) and mode (1: inset in the table). A second call for the same
    // class adds nothing and returns the dialog already there.
    template <typename T, typename... Args>
    T* addDialog(double z, int placement, int mode, Args&&... args)
    {
        static_assert(std::is_base_of<GM_WidgetAuto, T>::value, "in-scene dialogs are GM_WidgetAuto");
        if (QGraphicsProxyWidget* proxy = boites_.dialogueDeClasse(typeid(T))) {
            qWarning().noquote() << "DisplayGLScene::addDialog: a dialog of this class is already in the scene";
            return static_cast<T*>(proxy->widget());
        }
        T* dialogue = new T(std::forward<Args>(args)...);
        ajouteDialogue(dialogue, z, placement, mode);
        return dialogue;
    }
    // The same for a widget already built; a widget added twice keeps its
    // first proxy, which is returned.
    QGraphicsProxyWidget* ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode);
    QList<QGraphicsProxyWidget*> dialogues() const { return boites_.dialogues(); }
    // Closes every open dialog (except those of the right strip in the wide
    // layout) and the message boxes; true when one was closed.
    bool fermeDialogues();
    // Closes the open side panels (settings, chat); true when one was open.
    bool fermePanneaux();
    // A box, window or band that may hold the keyboard: when it hides with
    // it, the keyboard goes back to the table rather than stay with what is
    // no longer on screen.
    void suitClavier(QGraphicsProxyWidget* proxy);

    // --- Seasonal art.
    // The pictures of the first enabled season that holds the day drift
    // over the table; the season's index (0 winter .. 3 autumn), or -1.
    int showSeasonalArt(const QDate& jour);
    // Sends the picture over the table in each free column of the ring;
    // the number of items started (none on a table too small to hold it).
    int spawnSeasonal(const QPixmap& image, int direction);

    // --- Resets and display modes.
    void stopAnimationsAndCloseDialogs();
    void setCacheModeAll(QGraphicsItem::CacheMode mode);
    void buildCardObjects();
    virtual void setFont(const QFont& police);
    double zBackground() const;
    void setZBackground(double valeur);

    // --- Parts for the view, the panels and the tests.
    DisplayGLSceneDialog* dialogueChat() const { return dialogueChat_; }
    QPlainTextEdit* journalChat() const { return journalChat_; }
    QLineEdit* ligneChat() const { return ligneChat_; }
    DisplayGLSceneDialog* dialogueReglages() const { return dialogueReglages_; }
    PanelAtouts* panelAtouts() const { return panelAtouts_; }
    QWidget* conteneurAtouts() const { return conteneurAtouts_; }
    QGraphicsProxyWidget* proxyAtouts() const { return proxyAtouts_; }
    QPushButton* boutonAnnulerArriere() const { return boutonArriere_; }
    QPushButton* boutonAnnulerAvant() const { return boutonAvant_; }
    QGraphicsProxyWidget* proxyAnnulerArriere() const { return proxyArriere_; }
    QGraphicsProxyWidget* proxyAnnulerAvant() const { return proxyAvant_; }
    QPushButton* boutonConnexion() const { return boutonConnexion_; }
    QGraphicsProxyWidget* proxyConnexion() const { return proxyConnexion_; }
    QPushButton* boutonAide() const { return boutonAide_; }
    QGraphicsProxyWidget* proxyAide() const { return proxyAide_; }
    QPushButton* boutonBug() const { return boutonBug_; }
    QGraphicsProxyWidget* proxyBug() const { return proxyBug_; }
    QList<AnalyseJoueur*> analyses() const;
    QList<QSharedPointer<DisplayGLHumanCarte>> cartes() const { return mains_.sprites(); }
    DisplayGLJeuDeCartes& jeuDeCartes() { return jeuDeCartes_; }
    const std::array<Siege, NOMBRE_SIEGES>& sieges() const { return sieges_; }
    bool isFondConstruit() const { return fondConstruit_; }
    QTimer& timerAide() { return timerAide_; }
    QTimer& timerSurlignage() { return conseil_.timerSurlignage(); }
    QTimer& timerBoite() { return boites_.timer(); }
    QTimer& timerSuiteAuto() { return timerSuiteAuto_; }
    QTimer& timerNotification() { return timerNotification_; }
    GL_ObjectSquare* notification() const { return notification_.get(); }
    QString motAction() const { return motAction_; }
    // The paint engine, or null once the view deleted it.
    DisplayGLPaintA* moteur() const;
    // Places the engine's objects and asks it to repaint.
    void rafraichitCouche();

    // --- The mouse on the table: the bottom seat's cards are lifted,
    // dragged and played, a drag pans the view, a quick flick is a swipe
    // (scene_geometrie::directionGlissement).
    static constexpr double PANORAMIQUE_X_MAX = 480.0;
    static constexpr double PART_MAIN_SANS_SURVOL = 0.14;
    static constexpr double DIVISEUR_MONTEE_JEU = 10.0;
    static constexpr double DIVISEUR_ECART_JEU = 3.0;
    static constexpr int VIBRATION_CARTE_MS = 10;
    // The hand card under a scene point, or null.
    DisplayGLHumanCarte* carteSous(const QPointF& point) const;
    // The clock of presses, in milliseconds, for the swipe's duration;
    // tests hand their own.
    using HorlogeSouris = SceneSouris::Horloge;
    void setHorlogeSouris(HorlogeSouris horloge) { souris_.setHorloge(std::move(horloge)); }
    DisplayGLHumanCarte* carteGlissee() const { return souris_.carteGlissee(); }
    DisplayGLHumanCarte* carteSelectionnee() const { return souris_.carteSelectionnee(); }
    DisplayGLHumanCarte* carteSurvolee() const { return souris_.carteSurvolee(); }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

signals:
    void signalAnnuler(bool isForward);
    void signalRightPanelVisibleChanged(bool isVisible);
    void signalButtonConnectPressed();
    void signalBug(QString const& userFeedback);
    void signalSwipeTriggered(QSwipeGesture::SwipeDirection direction);
    void signalScreenshotCompleted(QImage const& image);
    // A box has just been put on screen.
    void signalMessageBoxShown(uint id);
    // The scene's texts are in the language now shown (the texts others
    // gave it, such as the seat panel's help, are theirs to translate).
    void signalRetraduit();

public slots:
    void OnPhoneBackKeyEvent();
    void OnPhoneMenuKeyEvent();
    void OnSceneRectChanged(QRectF const& rect);
    void OnHelpCardHightlight();
    void OnHelpTimeout();
    void OnChatTextChanged();
    void OnAnnulerBackwards();
    void OnAnnulerForward();
    void OnHelpPressed();
    void OnMouseOver(DisplayGLHumanCarte* carte);
    void OnMouseDoubleClicked(DisplayGLHumanCarte* carte);
    void OnResizeRightPanel();
    void OnButtonConnectPressed();
    void OnChangeCardStyle();
    void OnBug();
    void OnBugPressed();
    void OnBugReleased();
    void OnMessageBoxAccepted();
    void OnMessageBoxRejected();
    void OnMessageBoxAccepted_Timer();
    void OnMessageBoxRejected_Timer();
    void OnDebugTest();
    void OnNotifyHide();
    void OnRamasseAuto();
    void OnRefreshScene();
    void OnTutorialClosed(uint eventId, bool isCompleted);
    // The rules box of the welcome was read: the first deal may go ahead.
    void OnReglesLues(int bouton);
    void OnChangeDisplayMode();
    void OnMessageBoxExecInMainLoop();
    // Starts the waiting network lines that have a free item.
    void OnMessagesReseau();

protected:
    // A language change reaches the scene through its box form, a window
    // of its own.
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    // While a box or form is in front, the keys are its own: Return answers
    // a message box's default button, Esc its cancel (else OK, else No),
    // and no key reaches the widgets behind it.
    void keyPressEvent(QKeyEvent* evenement) override;
    // The keyboard held by an item no longer on screen goes to the table.
    void rendsClavierCache_();
    void keyReleaseEvent(QKeyEvent* evenement) override;
    // Tab from the table goes to the box or form in front, else first to
    // the settings panel's tab, the main commands; on from there along the
    // buttons as they come. Only the person's Tab leaves the table for a
    // button: the keyboard handed on to the scene as something else goes
    // stays the table's.
    bool focusNextPrevChild(bool next) override;
    // Notes a Tab pressed while the scene answers it.
    bool event(QEvent* evenement) override;
    // The keyboard comes back to the item that had it: the scene's own
    // memory of it lasts one focus-out only, and a menu opened by Alt takes
    // the keyboard twice (its popup, then the bar) before giving it back.
    void focusInEvent(QFocusEvent* evenement) override;
    void focusOutEvent(QFocusEvent* evenement) override;

private:
    void construitBoutons_();
    QPushButton* construitBouton_(QGraphicsProxyWidget*& proxy, const QString& icone, const QSize& tailleIcone);
    void calculePanneauDroit_(double largeur, double hauteur);
    void placeOutils_();
    void appliqueVue_();
    // The layer's height in the table, with or without the band under it.
    double hauteurCouche_(bool sousLaBande) const;
    void construitFond_();
    // Cuts the seasonal pictures' frame around the slate and the bubbles
    // on show, where the 3-D layer last drew them. Asked at every paint of
    // the layer (the widget engine paints it at every object's update), it
    // runs once per turn of the event loop and cuts anew only when one of
    // them moved: a cut costs far more than a paint of the layer.
    void demandeDetourSaisons_();
    void detoureSaisons_();
    // Where an object of the layer showed when last drawn, in scene
    // coordinates; empty when the engine cannot tell or it is not shown.
    QRectF rectVu_(const GL_ObjectSquare* objet) const;
    // Its outline there, in scene coordinates; empty when the engine cannot
    // tell.
    QPolygonF contourVu_(const GL_ObjectSquare* objet) const;
    QPolygonF contourVu_(int id) const;
    // Where the cards of the hand shown at a position lay when last drawn,
    // in scene coordinates; empty when none showed.
    QRectF rectMainVue_(int position) const;
    void changeStyleCartes_(int style, bool silencieux);
    // The face other seats' cards show: back unless the table shows every
    // hand.
    int faceAutres_() const;
    // The cards of the trick that belong to no announcement go to the
    // winner's pile; no announcement waits for its card any more.
    void ramassePli_(int gagnant, const std::array<AnnoncesJoueur, 4>& annonces);
    // "R:<pixel ratio>, X:<dpi>, Y:<dpi>" of the screen the table is drawn on.
    QString texteEcran_() const;
    // The help box's rules line: the article of the game kind played, in
    // the language shown.
    void metLienRegles_();

    // Owned helpers first, so that they are there for the items below.
    QSharedPointer<DisplayGLWidget> holder_;
    std::array<Siege, NOMBRE_SIEGES> sieges_;
    QList<QPointer<AnalyseJoueur>> analyses_;
    DisplayGLJeuDeCartes jeuDeCartes_;
    // The hands: their sprites, which show, where they rest.
    SceneMains mains_{*this, jeuDeCartes_};
    ZB_DeckJass deck_;
    bool aUnePartie_ = false;
    bool automatique_;
    bool belote_;
    // The welcome's hold on the first deal: none, the form, the rules box.
    enum Accueil { AccueilAucun, AccueilFormulaire, AccueilRegles };
    Accueil accueil_ = AccueilAucun;
    // An automatic continuation came while held: it runs once released.
    bool suiteRetenue_ = false;
    bool captures_;
    bool modeAffichage2_;
    bool secondDrapeau_ = false;
    bool panneauDroitVisible_ = false;
    int modeVue_ = 0;
    bool navigationAnnuler_ = false;
    bool joueurExclu_ = false;
    int joueurLocal_ = -1;
    // The user's own record while the local seat shows another player.
    std::optional<OptionsDuJoueur> joueurLocalAffiche_;
    int siegeBas_ = 0;
    bool miroir_ = false;
    // The name plates on the cloth, with the deal's facts they follow.
    ScenePlaques plaques_;
    // The part of the cloth's picture the slate covers where the layer
    // last drew them, a little wider all round; empty when none.
    QRectF couvertTapis_(const QPolygonF& tapisVu, const QPolygonF& ardoiseVue) const;
    QPolygonF ardoiseVue_() const;

    // The mouse on the table.
    Joueur* joueurBas_() const;
    DisplayGLPanelDeJoueur* panneauBas_() const;
    // The mouse acts on nothing: the user is excluded, or the welcome
    // holds the table.
    bool saisieBloquee_() const;
    // The bottom seat's player answers by hand and its panel waits for a
    // card: the hand is offered to the mouse.
    bool mainOfferte_() const;
    // Writes the view's pan offsets back to 0.
    void remetPanoramique_();
    // A click at point that lands on the table under the box in front (a
    // hand card, the trump and bid band): the box's keys and clicks are the
    // only input until it goes.
    bool clicSousUneBoite_(const QPointF& point) const;
    // The end of every click on the table, over a card or not: the marked
    // card is put down, the drag ends and the pending deal or collect is
    // performed.
    void finDeClic_();
    SceneSouris souris_;
    // The item that had the keyboard when the scene last lost it.
    QPointer<QGraphicsObject> focusPerdu_;
    // A Tab key is being answered.
    bool toucheTab_ = false;

    double facteurDurees_ = 1.0;
    int dernierEtat_ = 0;
    int schemaCouleurs_ = 0;
    void appliqueDurees_();
    int objectifDonne_ = 0;
    int donnesRestantes_ = 0;
    int styleContre_ = 3;
    ZB_StatusMise statusMise_;
    double ratioPixels_ = 1.0;
    OptionsAffichage options_;
    QString dossierCache_;
    QString chaineDemarrage_;

    mutable QMutex mutexPartie_;
    QSharedPointer<Partie> partie_;
    // The computer's advice for the local human: the search, the advised
    // card's tint and the help box's wait.
    SceneConseil conseil_{*this};

    // The message boxes and in-scene forms.
    SceneBoites boites_;

    QDateTime debut_;
    QTimer timerAide_;
    // The state the temporary text was shown in: it tells of that moment
    // only.
    int etatTexteTemporaire_ = -1;
    std::function<QString()> texteTemporaire_;
    // When the deal's last card reaches a hand shown face up.
    QDeadlineTimer mainComplete_;
    // The cards this deal has dealt to the hands on the screen so far.
    SceneTapis::Cartes cartesDonnees_{};
    QTimer timerMessages_;
    QStringList fileMessages_;
    HorlogeBug horlogeBug_;
    qint64 appuiBug_ = -1;
    ButCapture butCapture_ = CaptureMagasin;
    int numeroCapture_ = 0;
    QString dernierFichierCapture_;
    ZB_Sound son_;
    QString motAction_;
    QString legendeCapture_;
    QString couleurLegende1_;
    QString couleurLegende2_;
    double hauteurBandeLegende_ = 0.0;
    DisplayACloseCallback* fermeture_;
    GM_NativeA* natif_;
    QPointer<QWidget> panneauDroit_;
    QPointer<QWidget> fenetre_;
    bool enLigne_ = false;
    QColor couleurFond_;

    // Layout.
    QRectF dernierRect_;
    double dernierDecalage_ = -1.0;
    bool dispose_ = false;
    bool enDisposition_ = false;
    double decalageTable_ = 0.0;
    double largeurTable_ = 0.0;
    double hauteurTable_ = 0.0;
    // The top of the trump and bid band: while it shows, the layer is
    // framed above it.
    double hautAtouts_ = 0.0;
    // The room the band may take, right above the raised hand; the band
    // takes only its rows' height of it, at its bottom, so that the table
    // above is framed as large as it can be.
    QRectF placeAtouts_;
    bool bandeAPlacer_ = false;
    // Gives the band its rows' height at the bottom of its room; true when
    // its top moved.
    bool placeBandeAtouts_();
    bool dispositionLarge_ = false;
    bool panneauDroitAffiche_ = false;
    std::array<QRectF, 2> zones_;
    QDateTime prochainMessage_;

    // Items, in the order they are made.
    // The slate and status lines, with the status texts and the
    // scoreboard's record.
    std::unique_ptr<SceneArdoise> ardoiseStatut_;
    // Lays the lines out again once the engine has drawn the slate
    // elsewhere.
    void suitArdoise_();
    // Holds the seasonal pictures, clipped around what must be read.
    SceneCadreSaisons saisons_;
    DisplayGLSceneDialog* dialogueChat_ = nullptr;
    QPlainTextEdit* journalChat_ = nullptr;
    QLineEdit* ligneChat_ = nullptr;
    QGraphicsProxyWidget* proxyAtouts_ = nullptr;
    QWidget* conteneurAtouts_ = nullptr;
    PanelAtouts* panelAtouts_ = nullptr;
    QGraphicsProxyWidget* proxyArriere_ = nullptr;
    QPushButton* boutonArriere_ = nullptr;
    QGraphicsProxyWidget* proxyAvant_ = nullptr;
    QPushButton* boutonAvant_ = nullptr;
    QGraphicsProxyWidget* proxyConnexion_ = nullptr;
    QPushButton* boutonConnexion_ = nullptr;
    QIcon iconeDeconnecte_;
    QIcon iconeConnecte_;
    QIcon iconeEnCours_;
    DisplayGLSceneDialog* dialogueReglages_ = nullptr;
    QGraphicsProxyWidget* proxyAide_ = nullptr;
    QPushButton* boutonAide_ = nullptr;
    QGraphicsProxyWidget* proxyBug_ = nullptr;
    QPushButton* boutonBug_ = nullptr;
    bool boutonBugVisible_ = true;
    std::vector<std::unique_ptr<DisplayGLScoreAnimText>> animsScore_;
    std::vector<std::unique_ptr<DisplayGLScoreAnimPixmap>> animsImage_;
    std::vector<std::unique_ptr<DisplayGLScoreAnimText>> animsMessage_;
    size_t curseurScore_ = 0;
    size_t curseurImage_ = 0;
    // Runs of testeMessagesReseau, which picks its picture in turn.
    int demonstrations_ = 0;
    size_t curseurMessage_ = 0;
    QPixmap pixmapVide_;

    // The 3-D layer.
    bool fondConstruit_ = false;
    std::unique_ptr<GL_ObjectSquare> fond_;
    std::unique_ptr<GL_ObjectSquare> tapis_;
    std::unique_ptr<GL_ObjectSquare> ardoise_;
    std::unique_ptr<GL_ObjectSquare> notification_;
    // The speech bubbles and the cards on the cloth.
    SceneBulles bulles_;
    SceneTapis cartesTapis_;
    // How the table is looked at, for the cards on the cloth.
    SceneTapis::Vue vueTapis_() const;
    // The cards (by number) that the announcements hold.
    SceneTapis::Cartes cartesAnnoncees_(const AnnoncesJoueur* annonces, size_t nombre) const;
    QPropertyAnimation* animationFond_ = nullptr;
    bool enMouvement_ = false;

    // The status line, the scoreboard and the advice.
    void programmeSuiteAuto_(int delaiMs);
    // The status is kept as its untranslated text and the seats it names,
    // so that it follows a language change; action puts the action word
    // first.
    void setStatut_(const char* source, std::initializer_list<const Joueur*> noms = {}, bool action = false);
    void prompt_(const char* source, std::initializer_list<const Joueur*> noms = {}, bool action = false);
    QList<SceneArdoise::Argument> arguments_(std::initializer_list<const Joueur*> noms) const;
    void montreInvite_();
    // The seat's name as the plates and the status show it, in the
    // language shown (the user's own at the local seat while it shows
    // another player); empty when nobody sits there.
    QString nomDuSiege_(int siege) const;
    void afficheEtatCarte_(Joueur* acteur);
    void animeScores_(const ZB_PointsA& points, int equipe);
    // The time between two floating scores started together.
    int pasEntreScores_() const;
    void dessineArdoise_(const ZB_PointsDonne& points, int multiplicateur, int equipeBarree);
    // The scoreboard again as last given, without animation.
    void redessineArdoise_();
    // Deals a card of a seat's hand to its place there, shown after delaiMs;
    // the time until it shows in a hand on the screen (0: none shown).
    int donneCarte_(int siege, const Carte* carte, int place, int delaiMs, const SceneTapis::Vue& vue);
    // Questions about the hand wait until its last card, shown after
    // derniereCarteMs, is in its place.
    void attendMainComplete_(int derniereCarteMs);
    // The same in the engine's context, once the board was drawn; whether
    // it was drawn again.
    bool redessineArdoiseSeule_();
    int etatCourant_ = 0;
    bool mainJouable_ = false;
    QTimer timerSuiteAuto_;
    // A prompt given while the hand is still being dealt, shown with the
    // band that asks, once the last card is in its place; any other status
    // drops it.
    struct Invite
    {
        const char* source = nullptr;
        QList<SceneArdoise::Argument> args;
        bool action = false;
    };
    Invite invite_;
    QTimer timerInvite_;
    QTimer timerNotification_;
};
