#pragma once

#include "DisplayA.h"

#include <QGraphicsView>
#include <QMenuBar>
#include <QList>
#include <QPointer>
#include <QSharedPointer>
#include <QSize>
#include <QSwipeGesture>

class DisplayGLPanelDeJoueur;
class DisplayGLScene;
class DisplayGLWidget;
class GM_NativeA;
class OptionsAffichage;
struct ZB_Settings;

// The table window: the graphics view whose viewport is the paint engine's
// widget and whose scene is the table scene. It is the screen the tables and
// players talk to (DisplayA), and it owns the four seat panels.
//
// Rules:
// - Every DisplayA operation reaches the scene; the view keeps only what is
//   its own: the wait cursor, the window widget, the view mode, the close
//   request and the screenshot sequence.
// - At most one wait cursor of this view is on the application's cursor
//   stack at any time: setCurseur while one is shown changes its shape,
//   restaureCurseur takes it off, and the view's destruction never leaves it
//   behind.
// - Closing the window is the owner's decision (DisplayACloseCallback):
//   the close event is ignored unless the right panel covers the table.
// - Destruction releases the panels, then the scene (which stops a running
//   advice search first), then the view; the paint engine belongs to its
//   holder.
// GUI thread only.
class DisplayGL : public QGraphicsView, public DisplayA
{
    Q_OBJECT

public:
    static constexpr int LARGEUR_DEFAUT = 800;
    static constexpr int HAUTEUR_DEFAUT = 600;
    static constexpr int LARGEUR_TUILE = 200;
    static constexpr int HAUTEUR_TUILE = 250;
    static constexpr int TUILES_PAR_LIGNE = 20;
    static constexpr int LIGNES_DE_TUILES = 4;
    static constexpr int DELAI_CAPTURE_MS = 1000;
    static constexpr int MARGE_CAPTURE = 4;
    // The share of a store screenshot's height that its caption band takes.
    static constexpr double PART_BANDE_LEGENDE = 0.075;

    DisplayGL(QObject* proprietaire, QWidget* panneauDroit, int modeAffichage, DisplayACloseCallback* fermeture,
              QSharedPointer<DisplayGLWidget> holder, const OptionsAffichage& options, ZB_Settings* demarrage,
              GM_NativeA* natif);
    ~DisplayGL() override;

    DisplayGLScene* scene() const { return scene_; }
    // The owner's menu bar, kept above the table; null removes it.
    void setMenuBar(QMenuBar* barre);
    QMenuBar* menuBar() const { return barreMenus_.data(); }
    // Re-fonts the slate, the scene's texts and the fitted widgets after the
    // application font changed.
    void applyFonts();
    // Where a test tile goes: its cell in the 20 x 4 grid (tile 80 wraps to
    // the first row).
    static QPoint positionTuile(int tuile);
    // The caption band of a store screenshot of that height and scale, in
    // scene units for that device pixel ratio.
    static int hauteurBandeLegende(double hauteur, double echelle, double ratio);
    // What a swipe gesture raises: the horizontal direction when it is left
    // or right, else up; a swipe down or a gesture not finished raises
    // nothing (false).
    static bool directionBalayage(QSwipeGesture::SwipeDirection horizontale, QSwipeGesture::SwipeDirection verticale,
                                  Qt::GestureState etat, QSwipeGesture::SwipeDirection* direction);
    bool isCurseurPose() const { return curseurPose_; }
    int modeVue() const { return modeVue_; }
    QWidget* fenetre() const { return fenetre_; }
    int compteurCapture() const;

    // --- DisplayA.
    void setJoueur(int noJoueur, Joueur* joueur) override;
    void afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur, bool atoutImpose) override;
    void afficheCarteJouee(int noJoueur, Carte* carte) override;
    void afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces) override;
    void setPartie(QSharedPointer<Partie> partie) override;
    void setOptionsDePartie(const OptionsDePartie& options) override;
    void redessineCartes(int atoutEnCours) override;
    void nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes) override;
    void setModeVue(int mode) override;
    void afficheTable() override;
    void afficheBoutonsAnnuler(bool arriere, bool avant) override;
    void effaceBulles(int inutilise, const AnnoncesJoueur& annonces) override;
    void afficheCartesDistribuees(Carte* carteRetournee) override;
    void afficheResteDistribue() override;
    void afficheBulleJoueur(int noJoueur, const AnnoncesJoueur& annonces) override;
    void afficheBulleMise(int noJoueur, const ZB_StatusMise& mise, int variante) override;
    void appliqueCouleurs(int schema, const QPalette& palette) override;
    void afficheExclusion(bool autreJoueur) override;
    void afficheRedistribution() override;
    void setNoJoueurLocal(int noJoueur) override;
    void setNomJoueurLocal(const OptionsDuJoueur* joueur) override;
    void afficheAttenteDuJeu() override;
    void afficheMessageReseau(const QString& texte) override;
    void testeMessagesReseau() override;
    void setPanneauDroitVisible(bool visible) override;
    void afficheRejointPartieEnLigne(bool enLigne, const QString& nomTable) override;
    void afficheNombreSurBouton(int bouton, int nombre) override;
    void rafraichit() override;
    void finDeDonne(bool garderGenerateur = false) override;
    void afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                        const QList<int>& siegesStock, int equipeBarree) override;
    void afficheBulleAnnonce(int noJoueur) override;
    QWidget* getWidget() override;
    ZB_AnalyseJoueurA* getAnalyseJoueur(int noJoueur) override;
    DisplayAPanelDeJoueur* getPanelDeJoueur(int noJoueur) override;
    void setCurseur(int forme) override;
    void restaureCurseur() override;
    void gereToucheMedia(int touche) override;
    void setTexteAide(const QString& texte) override;
    bool estModeVueActif() override;
    void setFenetreVisible(bool visible) override;
    bool estFenetreVisible() override;
    void setModeAffichage(int mode, bool drapeau) override;

    // Releases a seat's panel (the seat then has none).
    void liberePanel(int noJoueur);

signals:
    void signalButtonConnectPressed();
    void signalSizeChanged();
    void signalSpecialKeyPressed(int touche);
    void signalFontChange(double pourcent);
    void signalSwipeTriggered(QSwipeGesture::SwipeDirection direction);

public slots:
    void OnCloseOpenDialog();
    void OnScreenShotToSave();
    void OnSetHelpText(QString const& texte);
    // The scene's texts were translated again: so is the seat panel's help.
    void OnRetraduit();
    void OnButtonConnectPressed();
    void OnSwipeTriggered(QSwipeGesture::SwipeDirection const& direction);
    void OnScreenshotCompleted(QImage const& image);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeBarreMenus_();

    DisplayGLScene* scene_ = nullptr;
    DisplayACloseCallback* fermetureVue_;
    QList<QSharedPointer<DisplayGLPanelDeJoueur>> panneaux_;
    // The panel whose explanation the status line shows (null when the
    // game set the help text, or none is shown).
    QPointer<DisplayGLPanelDeJoueur> panneauAide_;
    bool premierRedimensionnement_ = true;
    QWidget* fenetre_ = nullptr;
    ZB_Settings* demarrage_;
    QSharedPointer<DisplayGLWidget> holder_;
    QPointer<QMenuBar> barreMenus_;
    int modeVue_ = 0;
    bool curseurPose_ = false;
    QSize tailleAvantCaptures_;
};
