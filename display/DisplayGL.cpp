#include "DisplayGL.h"

#include "AnalyseJoueur.h"
#include "DisplayACloseCallback.h"
#include "DisplayGLCapturesMagasin.h"
#include "DisplayGLPaintA.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLWidget.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "PanelAtouts.h"
#include "TypeDePartie.h"
#include "ZB_Settings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGestureEvent>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// One screenshot sequence at a time in the process: -1 when none runs.
int compteurCaptures = -1;
// The view that runs it: the sequence ends with that view.
const DisplayGL* vueDesCaptures = nullptr;

constexpr int MODE_AFFICHAGE_ORDINATEUR = 2;
constexpr int TOUCHE_RETOUR = 1;
constexpr int STYLE_PAQUET_BELOTE = 2;
constexpr int CLASSE_POLICE_APPLICATION = 2;
constexpr double ECART_ECHELLES_MIN = 0.01;
constexpr double POURCENT = 100.0;

double ratioEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const double ratio = ecran != nullptr ? ecran->devicePixelRatio() : 1.0;
    return ratio > 0.0 ? ratio : 1.0;
}

} // namespace

DisplayGL::DisplayGL(QObject* proprietaire, QWidget* panneauDroit, int modeAffichage,
                     DisplayACloseCallback* fermeture, QSharedPointer<DisplayGLWidget> holder,
                     const OptionsAffichage& options, ZB_Settings* demarrage, GM_NativeA* natif)
    : QGraphicsView(static_cast<QWidget*>(nullptr))
    , DisplayA(fermeture, modeAffichage)
    , fermetureVue_(fermeture)
    , demarrage_(demarrage)
    , holder_(holder)
{
    static const ZB_Settings defaut;
    const ZB_Settings& d = demarrage_ != nullptr ? *demarrage_ : defaut;

    fenetre_ = new QWidget(this, Qt::Dialog);
    fenetre_->setLayout(new QGridLayout);

    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setRenderHint(QPainter::Antialiasing, false);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    DisplayGLPaintA* moteur = holder_ ? holder_->paintEngine() : nullptr;
    if (moteur != nullptr)
        setViewport(moteur->widget());

    scene_ = new DisplayGLScene(proprietaire, this, holder_, panneauDroit, fermeture,
                                modeAffichage == MODE_AFFICHAGE_ORDINATEUR, options, d.belote != 0,
                                d.screenshotMode != 0, d.automatique != 0, d.cardCacheFolder, d.startupString2,
                                fenetre_, natif);
    setScene(scene_);
    if (moteur != nullptr)
        moteur->setScene(scene_);

    connect(scene_, &DisplayGLScene::signalButtonConnectPressed, this, &DisplayGL::OnButtonConnectPressed);
    connect(scene_, &DisplayGLScene::signalRetraduit, this, &DisplayGL::OnRetraduit);
    if (moteur != nullptr && moteur->widget() != nullptr)
        setWindowTitle(moteur->widget()->windowTitle());

    for (int siege = 0; siege < DisplayGLScene::NOMBRE_SIEGES; ++siege) {
        QSharedPointer<DisplayGLPanelDeJoueur> panneau = scene_->creePanneau(this);
        connect(panneau.data(), &DisplayGLPanelDeJoueur::signalSetHelpText, this, &DisplayGL::OnSetHelpText);
        panneaux_.append(panneau);
    }

    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    show();

    const double r = ratioEcran();
    if (d.testTileNb != ZB_Settings::AUCUNE_TUILE) {
        resize(static_cast<int>(LARGEUR_TUILE / r), static_cast<int>(HAUTEUR_TUILE / r));
        move(positionTuile(d.testTileNb));
    } else if (d.screenshotMode == 0) {
        resize(static_cast<int>(LARGEUR_DEFAUT / r), static_cast<int>(HAUTEUR_DEFAUT / r));
    }

    fenetre_->setGeometry(geometry());
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::SwipeGesture);
    connect(scene_, &DisplayGLScene::signalSwipeTriggered, this, &DisplayGL::OnSwipeTriggered);
    connect(scene_, &DisplayGLScene::signalScreenshotCompleted, this, &DisplayGL::OnScreenshotCompleted);
}

DisplayGL::~DisplayGL()
{
    if (vueDesCaptures == this) {
        vueDesCaptures = nullptr;
        compteurCaptures = -1;
    }
    // A wait cursor of this view must not outlive it.
    if (curseurPose_) {
        QGuiApplication::restoreOverrideCursor();
        curseurPose_ = false;
    }
    // The scene's seats hold the panels too: they let go first, so that
    // each panel dies here, before the scene whose items it points at.
    if (scene_ != nullptr)
        for (int siege = 0; siege < DisplayGLScene::NOMBRE_SIEGES; ++siege)
            scene_->setJoueur(siege, nullptr);
    panneaux_.clear();
    DisplayGLScene* scene = scene_;
    scene_ = nullptr;
    setScene(nullptr);
    delete scene;
}

QPoint DisplayGL::positionTuile(int tuile)
{
    const int t = std::max(tuile, 0);
    return QPoint((t % TUILES_PAR_LIGNE) * LARGEUR_TUILE, ((t / TUILES_PAR_LIGNE) % LIGNES_DE_TUILES) * HAUTEUR_TUILE);
}

int DisplayGL::compteurCapture() const
{
    return compteurCaptures;
}

void DisplayGL::setMenuBar(QMenuBar* barre)
{
    if (barreMenus_ && barreMenus_ != barre)
        barreMenus_->hide();
    barreMenus_ = barre;
    if (barre != nullptr) {
        barre->setParent(this);
        barre->show();
    }
    placeBarreMenus_();
}

void DisplayGL::placeBarreMenus_()
{
    QMenuBar* barre = barreMenus_.data();
    if (barre == nullptr) {
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    const int hauteur = barre->sizeHint().height();
    barre->setGeometry(0, 0, width(), hauteur);
    barre->raise();
    setViewportMargins(0, hauteur, 0, 0);
}

void DisplayGL::applyFonts()
{
    if (scene_ == nullptr)
        return;
    QFont gras = scaledFont(DisplayGLScene::CLASSE_POLICE_ARDOISE);
    gras.setBold(true);
    for (QGraphicsSimpleTextItem* ligne : scene_->lignesArdoise())
        if (ligne != nullptr)
            ligne->setFont(gras);
    // Size class 2 is the application font itself.
    scene_->setFont(scaledFont(CLASSE_POLICE_APPLICATION));
    if (scene_->panelAtouts() != nullptr)
        scene_->panelAtouts()->adjustToSize();
    for (const DisplayGLScene::Boite* boite : {&scene_->boitePrincipale(), &scene_->boiteStatut()})
        if (boite->widget != nullptr)
            boite->widget->adjustToSize();
}

// --- DisplayA: what the tables and players ask of the screen.

void DisplayGL::setJoueur(int noJoueur, Joueur* joueur)
{
    QSharedPointer<DisplayGLPanelDeJoueur> panneau;
    if (noJoueur >= 0 && noJoueur < panneaux_.size())
        panneau = panneaux_[noJoueur];
    scene_->setJoueur(noJoueur, joueur, panneau);
}

void DisplayGL::afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur, bool atoutImpose)
{
    scene_->afficheEtat(etat, acteur, second, noJoueur, atoutImpose);
}

void DisplayGL::afficheCarteJouee(int noJoueur, Carte* carte)
{
    scene_->afficheCarteJouee(noJoueur, carte);
}

void DisplayGL::afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces)
{
    scene_->afficheCartesAnnonces(inutilise, gagnant, annonces);
}

void DisplayGL::setPartie(QSharedPointer<Partie> partie)
{
    // A game starts from the plain view, as a view mode does.
    resetTransform();
    scene_->setPartie(std::move(partie));
}

void DisplayGL::setOptionsDePartie(const OptionsDePartie& options)
{
    // Only the custom preset depends on the game's kind: the table of
    // presets is read as it is, never rebuilt under a running game.
    const TypeDePartie type = options.idPreset_ == TypeDePartie::ID_PERSONALISE
                                  ? options.typeDePartie_
                                  : TypeDePartie::getTypeDePartie(options.idPreset_);
    scene_->setStyleContre(type.contrat_);
    scene_->setBelote(type.genre_ == TypeDePartie::GenreBelote);
    // An exclusion lasts the game it happened in: the game starting now,
    // hosted again or local, gives the user's seat back to the user.
    scene_->setJoueurExclu(false);
}

void DisplayGL::redessineCartes(int atoutEnCours)
{
    const bool automatique = demarrage_ != nullptr && demarrage_->automatique != 0;
    if (scene_->aUnePartie() && !scene_->isNavigationAnnuler() && !automatique)
        scene_->redessineCartes(atoutEnCours);
}

void DisplayGL::nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes)
{
    scene_->nouvelleDonne(cartesParJoueur, objectif, donnesRestantes);
}

void DisplayGL::setModeVue(int mode)
{
    resetTransform();
    modeVue_ = mode;
    scene_->setModeVue(mode);
}

void DisplayGL::afficheTable()
{
    modeVue_ = 0;
    scene_->afficheTable();
    if (scene_->proxyAnnulerArriere() != nullptr)
        scene_->proxyAnnulerArriere()->show();
}

void DisplayGL::afficheBoutonsAnnuler(bool arriere, bool avant)
{
    if (QGraphicsProxyWidget* proxy = scene_->proxyAnnulerArriere(); proxy != nullptr && !proxy->isVisible())
        proxy->show();
    if (scene_->boutonAnnulerArriere() != nullptr)
        scene_->boutonAnnulerArriere()->setEnabled(arriere);
    if (scene_->proxyAnnulerAvant() != nullptr)
        scene_->proxyAnnulerAvant()->setVisible(avant);
    if (scene_->boutonAnnulerAvant() != nullptr)
        scene_->boutonAnnulerAvant()->setEnabled(avant);
}

void DisplayGL::effaceBulles(int inutilise, const AnnoncesJoueur& annonces)
{
    scene_->effaceBulles(inutilise, annonces);
}

void DisplayGL::afficheCartesDistribuees(Carte* carteRetournee)
{
    scene_->afficheCartesDistribuees(carteRetournee);
}

void DisplayGL::afficheResteDistribue()
{
    scene_->afficheResteDistribue();
}

void DisplayGL::afficheBulleJoueur(int noJoueur, const AnnoncesJoueur& annonces)
{
    scene_->afficheBulleJoueur(noJoueur, annonces);
}

void DisplayGL::afficheBulleMise(int noJoueur, const ZB_StatusMise& mise, int variante)
{
    scene_->afficheBulleMise(noJoueur, mise, variante);
}

void DisplayGL::appliqueCouleurs(int schema, const QPalette& palette)
{
    scene_->appliqueCouleurs(schema, palette);
}

void DisplayGL::afficheExclusion(bool autreJoueur)
{
    scene_->messageBox(GM::Warning, tr("Exclusion"),
                       tr("Vous avez été écarté de la partie\npour avoir pris trop de temps."), GM::Ok);
    if (!autreJoueur)
        scene_->setJoueurExclu(true);
}

void DisplayGL::afficheRedistribution()
{
    scene_->afficheRedistribution();
}

void DisplayGL::setNoJoueurLocal(int noJoueur)
{
    scene_->setNoJoueurLocal(noJoueur);
}

void DisplayGL::setNomJoueurLocal(const OptionsDuJoueur* joueur)
{
    scene_->setNomJoueurLocal(joueur);
}

void DisplayGL::afficheAttenteDuJeu()
{
    // A turn's countdown left from an earlier online game counts nothing.
    setTexteAide(QString());
    scene_->statutAttente();
}

void DisplayGL::afficheMessageReseau(const QString& texte)
{
    scene_->afficheMessageReseau(texte);
}

void DisplayGL::testeMessagesReseau()
{
    scene_->testeMessagesReseau();
}

void DisplayGL::setPanneauDroitVisible(bool visible)
{
    scene_->setPanneauDroitVisible(visible);
    if (!visible) {
        scene_->update();
        return;
    }
    scene_->stopAnimationsAndCloseDialogs();
    OnCloseOpenDialog();
}

void DisplayGL::afficheRejointPartieEnLigne(bool enLigne, const QString& nomTable)
{
    scene_->afficheRejointPartieEnLigne(enLigne, nomTable);
}

void DisplayGL::afficheNombreSurBouton(int bouton, int nombre)
{
    scene_->afficheNombreSurBouton(bouton, nombre);
}

void DisplayGL::rafraichit()
{
    update();
    scene_->update();
}

void DisplayGL::finDeDonne(bool garderGenerateur)
{
    Q_UNUSED(garderGenerateur);
    restaureCurseur();
    scene_->finDeDonne();
}

void DisplayGL::afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                               const QList<int>& siegesStock, int equipeBarree)
{
    scene_->afficheArdoise(points, totalEquipe0, totalEquipe1, multiplicateur, siegesStock, equipeBarree);
}

void DisplayGL::afficheBulleAnnonce(int noJoueur)
{
    scene_->afficheBulleAnnonce(noJoueur);
}

QWidget* DisplayGL::getWidget()
{
    return viewport();
}

ZB_AnalyseJoueurA* DisplayGL::getAnalyseJoueur(int noJoueur)
{
    const QList<AnalyseJoueur*> analyses = scene_->analyses();
    if (noJoueur < 0 || noJoueur >= analyses.size())
        return nullptr;
    return analyses[noJoueur];
}

DisplayAPanelDeJoueur* DisplayGL::getPanelDeJoueur(int noJoueur)
{
    if (noJoueur < 0 || noJoueur >= panneaux_.size())
        return nullptr;
    return panneaux_[noJoueur].data();
}

void DisplayGL::liberePanel(int noJoueur)
{
    if (noJoueur < 0 || noJoueur >= panneaux_.size())
        return;
    panneaux_[noJoueur].reset();
}

void DisplayGL::setCurseur(int forme)
{
    if (estModeVueActif())
        return;
    const QCursor curseur(static_cast<Qt::CursorShape>(forme));
    // Tables ask for the wait cursor at every step: one override is kept
    // and reshaped, never stacked, so that one restore always clears it.
    if (curseurPose_) {
        QGuiApplication::changeOverrideCursor(curseur);
        return;
    }
    QGuiApplication::setOverrideCursor(curseur);
    curseurPose_ = true;
}

void DisplayGL::restaureCurseur()
{
    if (!curseurPose_)
        return;
    QGuiApplication::restoreOverrideCursor();
    curseurPose_ = false;
}

void DisplayGL::gereToucheMedia(int touche)
{
    DisplayGLSceneDialog* reglages = scene_->dialogueReglages();
    if (touche == TOUCHE_RETOUR) {
        if (scene_->fermeDialogues())
            return;
        if (reglages != nullptr && reglages->isOpen()) {
            scene_->stopAnimationsAndCloseDialogs();
        } else if (!scene_->boitePrincipale().proxy || !scene_->boitePrincipale().proxy->isVisible()) {
            if (fermetureVue_ != nullptr)
                fermetureVue_->userRequestedClose(nullptr);
        } else {
            QTimer::singleShot(0, scene_, &DisplayGLScene::OnMessageBoxRejected_Timer);
        }
        return;
    }
    if (reglages == nullptr)
        return;
    if (reglages->isOpen())
        reglages->collapse();
    else
        reglages->expand();
}

void DisplayGL::setTexteAide(const QString& texte)
{
    panneauAide_ = nullptr;
    scene_->setTexteAide(texte);
}

bool DisplayGL::estModeVueActif()
{
    return modeVue_ != 0;
}

void DisplayGL::setFenetreVisible(bool visible)
{
    fenetre_->setVisible(visible);
}

bool DisplayGL::estFenetreVisible()
{
    return fenetre_->isVisible();
}

void DisplayGL::setModeAffichage(int mode, bool drapeau)
{
    modeAffichage_ = mode;
    scene_->setModeAffichage2(mode == MODE_AFFICHAGE_ORDINATEUR, drapeau);
}

// --- Slots.

void DisplayGL::OnCloseOpenDialog()
{
    scene_->fermeDialogues();
}

void DisplayGL::OnSetHelpText(QString const& texte)
{
    panneauAide_ = texte.isEmpty() ? nullptr : qobject_cast<DisplayGLPanelDeJoueur*>(sender());
    scene_->setTexteAide(texte);
}

void DisplayGL::OnRetraduit()
{
    if (panneauAide_)
        panneauAide_->retraduitAideCarte();
}

void DisplayGL::OnButtonConnectPressed()
{
    emit signalButtonConnectPressed();
}

void DisplayGL::OnSwipeTriggered(QSwipeGesture::SwipeDirection const& direction)
{
    emit signalSwipeTriggered(direction);
}

void DisplayGL::OnScreenShotToSave()
{
    const QString plateforme = demarrage_ != nullptr ? demarrage_->screenshotPlatform : QString();
    const std::vector<DisplayGLCapturesMagasin::Preset>& presets = DisplayGLCapturesMagasin::presets(plateforme);
    if (presets.empty()) {
        scene_->messageBox(GM::Warning, QStringLiteral("Error"),
                           QStringLiteral("Can't generate screenshot: Unknown platform '%1'.").arg(plateforme),
                           GM::Ok);
        return;
    }
    if (compteurCaptures < 0) {
        tailleAvantCaptures_ = size();
        compteurCaptures = 0;
        vueDesCaptures = this;
        OnScreenshotCompleted(QImage());
        return;
    }
    const int langue = demarrage_ != nullptr ? demarrage_->screenshotLanguage : 0;
    const DisplayGLCapturesMagasin::Preset& p = presets[static_cast<size_t>(compteurCaptures - 1)];
    scene_->setLegendeCapture(DisplayGLCapturesMagasin::legende(p.legende, langue, plateforme),
                              QString::fromLatin1(p.couleur1), QString::fromLatin1(p.couleur2));
    scene_->demandeCapture(DisplayGLScene::CaptureMagasin);
}

int DisplayGL::hauteurBandeLegende(double hauteur, double echelle, double ratio)
{
    const double r = ratio > 0.0 ? ratio : 1.0;
    return static_cast<int>(static_cast<double>(std::lround(hauteur * echelle * PART_BANDE_LEGENDE)) / r);
}

void DisplayGL::OnScreenshotCompleted(QImage const& image)
{
    Q_UNUSED(image);
    if (compteurCaptures < 0 || vueDesCaptures != this)
        return; // a bug-report grab, not a step of this view's sequence
    const QString plateforme = demarrage_ != nullptr ? demarrage_->screenshotPlatform : QString();
    const std::vector<DisplayGLCapturesMagasin::Preset>& presets = DisplayGLCapturesMagasin::presets(plateforme);
    const int dernier = static_cast<int>(presets.size());
    if (compteurCaptures >= dernier) {
        resize(tailleAvantCaptures_);
        scene_->messageBox(GM::Information, QStringLiteral("Information"),
                           QStringLiteral("Completed screenshot saves"), GM::Ok);
        scene_->setCacheModeAll(QGraphicsItem::DeviceCoordinateCache);
        compteurCaptures = -1;
        vueDesCaptures = nullptr;
        scene_->setLegendeCapture(QString(), QString(), QString());
        scene_->setHauteurBandeLegende(0.0);
        emit signalFontChange(POURCENT);
        scene_->OnSceneRectChanged(scene_->sceneRect());
        return;
    }
    const DisplayGLCapturesMagasin::Preset& p = presets[static_cast<size_t>(compteurCaptures)];
    const int langue = demarrage_ != nullptr ? demarrage_->screenshotLanguage : 0;
    scene_->setCacheModeAll(QGraphicsItem::NoCache);
    OnCloseOpenDialog();
    if (fermetureVue_ != nullptr)
        fermetureVue_->startMarketingScenario(p.scenario, langue, p.argument);
    OptionsAffichage options = scene_->optionsAffichage();
    options.cardStyle_ = (p.jeuBelote != 0 ? 1 : 0) + (demarrage_ != nullptr && demarrage_->belote != 0 ? STYLE_PAQUET_BELOTE : 0);
    scene_->setOptionsAffichage(options);
    scene_->OnChangeCardStyle();

    const double w = p.largeur + MARGE_CAPTURE;
    const double h = p.hauteur + MARGE_CAPTURE;
    double s = 1.0;
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (p.ajuste != 0 && ecran != nullptr) {
        const QRect dispo = ecran->availableGeometry();
        if (dispo.width() < w || dispo.height() < h) {
            const double a = dispo.height() / h;
            const double b = dispo.width() / w;
            if (std::abs(a - b) > ECART_ECHELLES_MIN)
                s = std::min(a, b);
        }
    }
    // The caption's band grows with the picture; the table is laid out above
    // it.
    const bool legende = !DisplayGLCapturesMagasin::legende(p.legende, langue, plateforme).isEmpty();
    const double ratio = scene_->devicePixelRatio() > 0.0 ? scene_->devicePixelRatio() : 1.0;
    scene_->setHauteurBandeLegende(legende ? hauteurBandeLegende(h, s, ratio) : 0.0);
    resize(static_cast<int>(std::lround(w * s)), static_cast<int>(std::lround(h * s)));
    emit signalFontChange(p.echellePolice * POURCENT);
    ++compteurCaptures;
    QTimer::singleShot(DELAI_CAPTURE_MS, this, &DisplayGL::OnScreenShotToSave);
}

// --- Events.

bool DisplayGL::directionBalayage(QSwipeGesture::SwipeDirection horizontale, QSwipeGesture::SwipeDirection verticale,
                                  Qt::GestureState etat, QSwipeGesture::SwipeDirection* direction)
{
    if (etat != Qt::GestureFinished)
        return false;
    QSwipeGesture::SwipeDirection d = QSwipeGesture::NoDirection;
    if (horizontale == QSwipeGesture::Left || horizontale == QSwipeGesture::Right)
        d = horizontale;
    else if (verticale == QSwipeGesture::Up)
        d = QSwipeGesture::Up;
    else
        return false;
    if (direction != nullptr)
        *direction = d;
    return true;
}

bool DisplayGL::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Gesture: {
        auto* geste = static_cast<QGestureEvent*>(event);
        QSwipeGesture::SwipeDirection direction = QSwipeGesture::NoDirection;
        if (auto* balayage = static_cast<QSwipeGesture*>(geste->gesture(Qt::SwipeGesture));
            balayage != nullptr
            && directionBalayage(balayage->horizontalDirection(), balayage->verticalDirection(), balayage->state(),
                                 &direction))
            emit signalSwipeTriggered(direction);
        return true;
    }
    case QEvent::Close:
        if (scene_ != nullptr && scene_->isPanneauDroitVisible())
            return QGraphicsView::event(event);
        if (fermetureVue_ != nullptr)
            fermetureVue_->userRequestedClose(static_cast<QCloseEvent*>(event));
        event->ignore();
        return true;
    default:
        return QGraphicsView::event(event);
    }
}

void DisplayGL::keyPressEvent(QKeyEvent* event)
{
    // The box or form in front answers Esc as its own (a box's Cancel, the
    // welcome's Skip). Left to the table, Esc closes what is open over it,
    // as it would close windows of their own: the windows, else the side
    // panels.
    if (event->key() == Qt::Key_Escape && scene_ != nullptr) {
        QGraphicsView::keyPressEvent(event);
        if (event->isAccepted())
            return;
        if (scene_->fermeDialogues() || scene_->fermePanneaux())
            event->accept();
        return;
    }
    if (event->key() == Qt::Key_MediaPrevious)
        gereToucheMedia(TOUCHE_RETOUR);
    else if (event->key() == Qt::Key_MediaNext)
        gereToucheMedia(0);
    QGraphicsView::keyPressEvent(event);
}

void DisplayGL::resizeEvent(QResizeEvent* event)
{
    if (scene_ == nullptr)
        return;
    QGraphicsView::resizeEvent(event);
    placeBarreMenus_();
    // The table fills what the menu bar leaves of the window.
    const QSize zone = viewport() != nullptr ? viewport()->size() : size();
    scene_->setSceneRect(0, 0, zone.width(), zone.height());
    premierRedimensionnement_ = false;
    emit signalSizeChanged();
}
