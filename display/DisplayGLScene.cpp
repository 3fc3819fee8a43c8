#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayGLWidget.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

namespace {

// The same outline but for less than that many pixels: the plates need no
// new paint for it.
bool memeContour(const QPolygonF& a, const QPolygonF& b, double ecart = 1.0)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (std::abs(a[i].x() - b[i].x()) >= ecart || std::abs(a[i].y() - b[i].y()) >= ecart)
            return false;
    return true;
}

} // namespace


DisplayGLScene::DisplayGLScene(QObject* proprietaire, QObject* vue, QSharedPointer<DisplayGLWidget> holder,
                               QWidget* panneauDroit, DisplayACloseCallback* fermeture, bool modeAffichage2,
                               const OptionsAffichage& options, bool belote, bool captures, bool automatique,
                               const QString& dossierCache, const QString& chaineDemarrage, QWidget* fenetre,
                               GM_NativeA* natif)
    : QGraphicsScene(vue)
    , holder_(std::move(holder))
    , jeuDeCartes_(dossierCache)
    , automatique_(automatique)
    , belote_(belote)
    , captures_(captures)
    , modeAffichage2_(modeAffichage2)
    , options_(options)
    , dossierCache_(dossierCache)
    , chaineDemarrage_(chaineDemarrage)
    , boites_(*this)
    , debut_(QDateTime::currentDateTimeUtc())
    , horlogeBug_([] {
        static QElapsedTimer depuis;
        if (!depuis.isValid())
            depuis.start();
        return depuis.elapsed();
    })
    , son_(automatique)
    , fermeture_(fermeture)
    , natif_(natif)
    , panneauDroit_(panneauDroit)
    , fenetre_(fenetre)
{
    // The owner receives signalAnnuler, signalBug and
    // signalRightPanelVisibleChanged; it connects them to its own slots.
    Q_UNUSED(proprietaire);
    setMessageBoxDisplayer(this);
    if (auto* moteurGL = dynamic_cast<DisplayGLPaintOpenGL*>(moteur()))
        moteurGL->setMessageBoxDisplayer(this);
    if (holder_ && holder_->engineWidget())
        setSceneRect(QRectF(holder_->engineWidget()->rect()));
    if (panneauDroit_)
        ratioPixels_ = panneauDroit_->devicePixelRatioF();
    son_.setSoundOn(options_.sounds_);

    timerAide_.setInterval(DELAI_AIDE_MS);
    connect(&timerAide_, &QTimer::timeout, this, &DisplayGLScene::OnHelpTimeout);
    timerSuiteAuto_.setSingleShot(true);
    connect(&timerSuiteAuto_, &QTimer::timeout, this, &DisplayGLScene::OnRamasseAuto);
    timerInvite_.setSingleShot(true);
    connect(&timerInvite_, &QTimer::timeout, this, [this] { montreInvite_(); });
    timerNotification_.setSingleShot(true);
    connect(&timerNotification_, &QTimer::timeout, this, &DisplayGLScene::OnNotifyHide);

    // 1. The slate lines.
    ardoiseStatut_ = std::make_unique<SceneArdoise>(*this);
    ardoiseStatut_->setNommeSiege([this](int siege) { return nomDuSiege_(siege); });

    // 2. The chat panel.
    dialogueChat_ = new DisplayGLSceneDialog(0, 1, QStringLiteral(":/images/right.png"));
    journalChat_ = new QPlainTextEdit;
    journalChat_->setReadOnly(true);
    journalChat_->setMaximumBlockCount(BLOCS_CHAT_MAX);
    journalChat_->setFrameShadow(QFrame::Plain);
    journalChat_->setFrameShape(QFrame::NoFrame);
    ligneChat_ = new QLineEdit;
    ligneChat_->setReadOnly(true);
    dialogueChat_->layoutContenu()->setSpacing(ESPACEMENT_PANNEAUX);
    dialogueChat_->layoutContenu()->addWidget(journalChat_, 0, 0);
    dialogueChat_->layoutContenu()->addWidget(ligneChat_, 1, 0);
    connect(journalChat_, &QPlainTextEdit::textChanged, dialogueChat_, &DisplayGLSceneDialog::expand);
    connect(ligneChat_, &QLineEdit::returnPressed, this, &DisplayGLScene::OnChatTextChanged);
    ligneChat_->hide();
    addItem(dialogueChat_);
    dialogueChat_->setZValue(Z_CHAT);
    dialogueChat_->hide();

    // 3. The trump and bid panel in its container.
    conteneurAtouts_ = new QWidget;
    auto* layoutAtouts = new QVBoxLayout(conteneurAtouts_);
    layoutAtouts->setSpacing(ESPACEMENT_PANNEAUX);
    // The bottom band sets the container's size; the buttons fit in it and
    // the bottom hand shows between them.
    layoutAtouts->setSizeConstraint(QLayout::SetNoConstraint);
    conteneurAtouts_->setAttribute(Qt::WA_TranslucentBackground);
    panelAtouts_ = new PanelAtouts(captures_);
    // A question asked takes the keyboard, but not from a window over the
    // table the user is typing in: the keys would choose a trump. Showing
    // the band takes it by itself; it goes back then.
    panelAtouts_->setClavierPris([this] { return boites_.dialogueDe(focusItem()) != nullptr; });
    connect(this, &QGraphicsScene::focusItemChanged, this,
            [this](QGraphicsItem* nouveau, QGraphicsItem* ancien, Qt::FocusReason raison) {
                // A window or box that goes leaves the keyboard to nobody: a
                // question still asked takes it back.
                if (nouveau == nullptr) {
                    QTimer::singleShot(0, this, [this] {
                        if (!focusItem() && hasFocus() && proxyAtouts_->isVisible())
                            panelAtouts_->focusPremier();
                    });
                    return;
                }
                // A box, band or window that hides hands the keyboard on
                // along the tab chain, to a side button (connect, undo, bug,
                // gear) that Space would then press: it goes back to the
                // table instead. A Tab the user pressed starts from an item
                // on screen.
                if (ancien != nullptr && !ancien->isVisible()
                    && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason)) {
                    setFocusItem(nullptr);
                    return;
                }
                QGraphicsProxyWidget* dialogue = boites_.dialogueDe(ancien);
                if (nouveau != proxyAtouts_ || dialogue == nullptr || raison == Qt::MouseFocusReason)
                    return;
                // At once: keys already queued would reach the band before a
                // later turn of the loop gave the keyboard back.
                dialogue->setFocus(Qt::OtherFocusReason);
            });
    layoutAtouts->addWidget(panelAtouts_);
    proxyAtouts_ = addWidget(conteneurAtouts_);
    suitClavier(proxyAtouts_);
    proxyAtouts_->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    // Over the tool buttons, should a style's buttons make the strip wider
    // than the room between them: a question asked is never hidden.
    proxyAtouts_->setZValue(Z_ATOUTS);
    conteneurAtouts_->hide();
    // Its rows change with the question asked: the band follows them.
    conteneurAtouts_->installEventFilter(this);
    // The band lies over the lower part of the table: while it shows, the
    // layer (bubbles and plates included) is framed above it.
    connect(proxyAtouts_, &QGraphicsObject::visibleChanged, this, [this] {
        placeBandeAtouts_();
        appliqueVue_();
        rafraichitCouche();
        // The plates' names keep their size on the smaller cloth.
        redessineCartes(plaques_.repere().atout);
        // A question asked takes the keyboard, from wherever in the window
        // it was (but a window the user types in).
        if (!proxyAtouts_->isVisible() || panelAtouts_->clavierPris())
            return;
        for (QGraphicsView* vue : views())
            if (vue->isActiveWindow() && !vue->hasFocus())
                vue->setFocus(Qt::OtherFocusReason);
        panelAtouts_->focusPremier();
    });

    // 4 to 6. Undo back and forward, connection state.
    const QSize iconeCarree(COTE_ICONE_BOUTON, COTE_ICONE_BOUTON);
    boutonArriere_ = construitBouton_(proxyArriere_, QStringLiteral(":/images/back.png"), iconeCarree);
    proxyArriere_->hide();
    boutonAvant_ = construitBouton_(proxyAvant_, QStringLiteral(":/images/forward.png"), iconeCarree);
    proxyAvant_->hide();
    iconeDeconnecte_ = QIcon(QStringLiteral(":/images/disconnected.png"));
    iconeConnecte_ = QIcon(QStringLiteral(":/images/connected.png"));
    iconeEnCours_ = QIcon(QStringLiteral(":/images/inprogress.png"));
    boutonConnexion_ = construitBouton_(proxyConnexion_, QStringLiteral(":/images/disconnected.png"),
                                        QSize(COTE_ICONE_BOUTON, HAUTEUR_ICONE_CONNEXION));
    boutonConnexion_->setIcon(iconeDeconnecte_);

    // 7, 8. The two message boxes.
    boites_.construit();

    // 9. The settings panel, holding the main window's right panel.
    dialogueReglages_ = new DisplayGLSceneDialog(1, 0, QStringLiteral(":/images/settings.png"));
    if (panneauDroit_)
        dialogueReglages_->layoutContenu()->addWidget(panneauDroit_, 0, 0);
    addItem(dialogueReglages_);
    dialogueReglages_->setZValue(Z_REGLAGES);

    // 10, 11. Help and bug buttons.
    const QSize iconeOutil(COTE_ICONE_BOUTON, HAUTEUR_ICONE_OUTIL);
    boutonAide_ = construitBouton_(proxyAide_, QStringLiteral(":/images/question.png"), iconeOutil);
    boutonBug_ = construitBouton_(proxyBug_, QStringLiteral(":/images/bug.png"), iconeOutil);

    // 12. Floating items: the score ring, the picture ring, the message ring.
    auto ajouteAnimation = [this](DisplayGLScoreAnim* animation) {
        animation->item()->setZValue(Z_ANIMATIONS);
        addItem(animation->item());
    };
    for (int i = 0; i < NOMBRE_ANIMS_SCORE; ++i) {
        animsScore_.push_back(std::make_unique<DisplayGLScoreAnimText>());
        ajouteAnimation(animsScore_.back().get());
    }
    addItem(saisons_.construit(Z_SAISONS));
    for (int i = 0; i < NOMBRE_ANIMS_IMAGE; ++i) {
        animsImage_.push_back(std::make_unique<DisplayGLScoreAnimPixmap>());
        ajouteAnimation(animsImage_.back().get());
        animsImage_.back()->item()->setParentItem(saisons_.item());
    }
    for (int i = 0; i < NOMBRE_ANIMS_MESSAGE; ++i) {
        animsMessage_.push_back(std::make_unique<DisplayGLScoreAnimText>());
        ajouteAnimation(animsMessage_.back().get());
        animsMessage_.back()->item()->setZValue(Z_MESSAGES);
    }

    couleurFond_ = palette().color(QPalette::Window);
    setBackgroundBrush(couleurFond_);

    connect(boutonAide_, &QPushButton::clicked, this, &DisplayGLScene::OnHelpPressed);
    connect(boutonConnexion_, &QPushButton::clicked, this, &DisplayGLScene::OnButtonConnectPressed);
    connect(boutonBug_, &QPushButton::clicked, this, &DisplayGLScene::OnBug);
    connect(boutonBug_, &QPushButton::pressed, this, &DisplayGLScene::OnBugPressed);
    connect(boutonBug_, &QPushButton::released, this, &DisplayGLScene::OnBugReleased);
    connect(boutonArriere_, &QPushButton::clicked, this, &DisplayGLScene::OnAnnulerBackwards);
    connect(boutonAvant_, &QPushButton::clicked, this, &DisplayGLScene::OnAnnulerForward);
    connect(this, &QGraphicsScene::sceneRectChanged, this, &DisplayGLScene::OnSceneRectChanged);

    // The rules link of the help box.
    metLienRegles_();

    // The card set, then the cards as items.
    jeuDeCartes_.setSize(options_.cardStyle_, automatique_ ? DisplayGLJeuDeCartes::QUALITE_AUCUNE : options_.quality_,
                         ratioPixels_);
    pixmapVide_ = QPixmap();
    for (int siege = 0; siege < NOMBRE_SIEGES; ++siege)
        analyses_.append(QPointer<AnalyseJoueur>(new AnalyseJoueur(fenetre_.data(), options_.cardStyle_)));
    for (const QSharedPointer<DisplayGLHumanCarte>& carte : mains_.sprites()) {
        if (!carte)
            continue;
        connect(carte.data(), &DisplayGLHumanCarte::signalMouseOver, this, &DisplayGLScene::OnMouseOver);
        connect(carte.data(), &DisplayGLHumanCarte::signalMouseDoubleClicked, this,
                &DisplayGLScene::OnMouseDoubleClicked);
        addItem(carte.data());
    }
    changeStyleCartes_(options_.cardStyle_, true);
    motAction_ = captures_ ? tr("Touchez l'écran") : tr("Cliquez");

    timerMessages_.setSingleShot(true);
    connect(&timerMessages_, &QTimer::timeout, this, &DisplayGLScene::OnMessagesReseau);

    animationFond_ = new QPropertyAnimation(this, "zBackground", this);
    animationFond_->setDuration(DUREE_FOND_MS);
    animationFond_->setStartValue(DISTANCE_CAMERA_LOIN);
    animationFond_->setEndValue(DISTANCE_CAMERA_TABLE);

    OnSceneRectChanged(sceneRect());
}

DisplayGLScene::~DisplayGLScene()
{
    // The delay thread calls this object's overrides: it stops first.
    arreteFileDAttente();
    // A search thread still working for the advice would answer a dead scene.
    conseil_.arrete();
    timerAide_.stop();
    timerSuiteAuto_.stop();
    timerInvite_.stop();
    timerNotification_.stop();
    timerMessages_.stop();
    disconnect(this, &QGraphicsScene::sceneRectChanged, this, &DisplayGLScene::OnSceneRectChanged);

    stopAnimationsAndCloseDialogs();
    if (auto* moteurGL = dynamic_cast<DisplayGLPaintOpenGL*>(moteur()))
        moteurGL->setMessageBoxDisplayer(nullptr);
    if (DisplayGLPaintA* m = moteur())
        m->setScene(nullptr);

    for (const QPointer<AnalyseJoueur>& analyse : analyses_)
        delete analyse.data();
    analyses_.clear();
    pixmapVide_ = QPixmap();
    ardoiseStatut_->scoresDeLaDonne().clear();
    animsScore_.clear();
    animsImage_.clear();
    animsMessage_.clear();
    delete animationFond_;
    animationFond_ = nullptr;

    // The 3-D objects free their textures while the engine is there.
    cartesTapis_.libere();
    bulles_.libere();
    notification_.reset();
    ardoise_.reset();
    tapis_.reset();
    fond_.reset();

    // The card set owns the hand cards: they leave the scene, which must not
    // delete them.
    for (const QSharedPointer<DisplayGLHumanCarte>& carte : mains_.sprites()) {
        if (!carte)
            continue;
        disconnect(carte.data(), nullptr, this, nullptr);
        if (carte->scene() == this)
            removeItem(carte.data());
    }
    // The right panel belongs to the main window.
    if (panneauDroit_) {
        panneauDroit_->hide();
        panneauDroit_->setParent(nullptr);
    }
    boites_.deconnecte();
    for (QPushButton* bouton : {boutonAide_, boutonConnexion_, boutonBug_, boutonArriere_, boutonAvant_})
        disconnect(bouton, nullptr, this, nullptr);
    disconnect(ligneChat_, nullptr, this, nullptr);
    disconnect(journalChat_, nullptr, nullptr, nullptr);
    clear();
    boites_.oublieBoites();
    setMessageBoxDisplayer(nullptr);
    holder_.reset();
}

// ---------------------------------------------------------------- building

QPushButton* DisplayGLScene::construitBouton_(QGraphicsProxyWidget*& proxy, const QString& icone,
                                              const QSize& tailleIcone)
{
    auto* bouton = new QPushButton;
    // A click leaves the keyboard with the table: Space and Return would
    // press the button again. Tab still reaches it.
    bouton->setFocusPolicy(Qt::TabFocus);
    bouton->setIcon(QIcon(icone));
    bouton->setIconSize(tailleIcone);
    bouton->setAttribute(Qt::WA_NoSystemBackground);
    proxy = addWidget(bouton);
    proxy->setFocusPolicy(Qt::TabFocus);
    proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    return bouton;
}

// -------------------------------------------------------------------- game

void DisplayGLScene::setPartie(QSharedPointer<Partie> partie)
{
    {
        QMutexLocker lock(&mutexPartie_);
        if (dialogueReglages_->isOpen())
            dialogueReglages_->collapse();
        partie_ = std::move(partie);
        aUnePartie_ = !partie_.isNull();
        plaques_.setPartieDeLaDonne(aUnePartie_);
    }
    // The game played decides the rules link, whatever kind the program
    // started with.
    if (aUnePartie_)
        setBelote(partie_->typeDePartie_.genre_ == TypeDePartie::GenreBelote);
    if (!fondConstruit_ && !automatique_) {
        if (DisplayGLPaintA* m = moteur()) {
            m->makeCurrent();
            if (!fondConstruit_)
                construitFond_();
            m->doneCurrent();
        }
    }
    if (aUnePartie_) {
        if (!automatique_) {
            redessineCartes(this->partie()->atoutEnCours_);
            bulles_.cache(modeVue_ != MODE_VUE_SANS_ANIMATION);
        }
    } else {
        // Cards still flying belong to the game that left.
        cartesTapis_.oublie();
        mains_.cacheTout();
        for (Siege& siege : sieges_)
            siege = Siege();
        redessineCartes(0);
    }
    rafraichitCouche();
}

QSharedPointer<Partie> DisplayGLScene::partie() const
{
    QMutexLocker lock(&mutexPartie_);
    return partie_;
}

bool DisplayGLScene::aUnePartie() const
{
    QMutexLocker lock(&mutexPartie_);
    return aUnePartie_;
}

// ---------------------------------------------------------------- 3-D layer

DisplayGLPaintA* DisplayGLScene::moteur() const
{
    return holder_ ? holder_->paintEngine() : nullptr;
}

void DisplayGLScene::rafraichitCouche()
{
    if (DisplayGLPaintA* m = moteur())
        m->update();
    // The widget engine has drawn the layer by now.
    suitArdoise_();
}

void DisplayGLScene::createGLObjects()
{
    if (automatique_)
        return;
    if (!fondConstruit_) {
        construitFond_();
        return;
    }
    // A new OpenGL context: every object needs its picture again.
    const int theme = options_.appStyle_;
    for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get()})
        if (carre)
            carre->reloadTheme(theme);
    bulles_.rechargeTheme(theme);
    buildCardObjects();
    // The cloth's, the slate's and the bubbles' pictures came back bare: the
    // score and what the players said would be gone until the next change.
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    if (ardoiseStatut_->isDessinee())
        redessineArdoise_();
    bulles_.redessine(font());
}

void DisplayGLScene::construitFond_()
{
    if (automatique_ || fondConstruit_ || !holder_)
        return;
    // Set first: the squares below ask the engine, which may ask back.
    fondConstruit_ = true;
    buildCardObjects();
    const int theme = options_.appStyle_;
    auto carre = [this, theme](double largeur, double hauteur, const char* fichier, int kind) {
        auto objet = std::make_unique<GL_ObjectSquare>(holder_, largeur, hauteur, QString::fromLatin1(fichier), kind);
        objet->reloadTheme(theme);
        return objet;
    };
    // Only the cloth, painted again at every card, keeps its bare picture:
    // nothing is drawn on the wood, and the slate and the bubbles, drawn on
    // once a trick or a bid, load theirs again (a few milliseconds) rather
    // than hold a copy beside the engine's.
    fond_ = carre(TAILLE_FOND, TAILLE_FOND, "background.png", DisplayGLPaintA::Background);
    fond_->setGardeImage(false);
    tapis_ = carre(TAILLE_TAPIS, TAILLE_TAPIS, "tapis.png", DisplayGLPaintA::Cloth);
    ardoise_ = carre(LARGEUR_ARDOISE, HAUTEUR_ARDOISE, "ardoise.png", DisplayGLPaintA::Slate);
    ardoise_->setGardeImage(false);
    for (int i = 0; i < NOMBRE_SIEGES; ++i)
        bulles_.setObjet(i, carre(LARGEUR_BULLE, HAUTEUR_BULLE, "cartoon_bulle.png", DisplayGLPaintA::SeatBubble + i));
    notification_ = carre(LARGEUR_BULLE, HAUTEUR_BULLE, "network_bulle.png", DisplayGLPaintA::NotificationBubble);
    notification_->setGardeImage(false);
    notification_->setShown(false, false);
    appliqueDurees_();
    redessineCartes(0);
    mains_.dispose();
}

void DisplayGLScene::buildCardObjects()
{
    if (automatique_ || !holder_)
        return;
    cartesTapis_.construit(holder_, jeuDeCartes_, arrondi(GL_ObjectCube::DUREE_MOUVEMENT_MS * facteurDurees_));
}

void DisplayGLScene::paintGLLayer()
{
    DisplayGLPaintA* m = moteur();
    if (!m || !fondConstruit_)
        return;
    const double r = ratioPixels_ > 0.0 ? ratioPixels_ : 1.0;
    const double largeur = largeurTable_ * r;
    const double hauteur = hauteurTable_ * r;
    // The whole table: the OpenGL camera takes the viewport's shape and
    // frames the table inside it. OpenGL counts from the bottom, where a
    // store screenshot's caption band lies below the table.
    m->setViewport(0, arrondi(hauteurBandeLegende_ * r), arrondi(largeur), arrondi(hauteur));
    if (panneauDroitVisible_)
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    const double echelle = scene_geometrie::echelleTable(largeurTable_, hauteurTable_);
    if (p[DisplayGLPaintA::ViewParameters::Echelle] != echelle) {
        p[DisplayGLPaintA::ViewParameters::Echelle] = echelle;
        m->setViewParameters(p);
    }
    m->beginFrame(couleurFond_);
    const DisplayGLPaintA::TransformRecord neutre;
    // The texts a player reads during the auction, and the card bid on,
    // stay readable while the band makes the rest of the layer smaller.
    DisplayGLPaintA::TransformRecord texte;
    texte.scale = static_cast<float>(agrandissementTextes());
    for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get()})
        if (carre)
            carre->draw(carre == ardoise_.get() ? texte : neutre);
    SceneTapis::Cartes dessinees{};
    cartesTapis_.dessinePli(dessinees, texte.scale);
    // The hands nobody at this screen plays: their cards wherever the deal
    // put them, face as the deal chose.
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0 || mains_.estVisible(j))
            continue;
        const int p = positionAffichage(j);
        int i = 0;
        for (Carte* carte : siege.joueur->main_) {
            GL_ObjectCube* cube = carte ? objetCarte(carte->getIndex()) : nullptr;
            // A card already played (still in a hand the table has not
            // updated yet) keeps its trick or pile place.
            const bool enMain = cube && cube->getPlacement() >= DisplayGLPaintA::Hand
                                && cube->getPlacement() < DisplayGLPaintA::SeatBubble;
            if (enMain && cube != cartesTapis_.retournee() && i < DisplayGLPaintA::PLACES_PAR_MAIN
                && cube->isShown())
                cartesTapis_.dessine(cube, DisplayGLPaintA::placementMain(p, i), dessinees);
            ++i;
        }
    }
    for (int i = 0; i < NOMBRE_SIEGES; ++i)
        if (sieges_[static_cast<size_t>(i)].numero >= 0)
            if (GL_ObjectSquare* objet = bulle(positionAffichage(i)))
                objet->draw(texte);
    m->endFrame();
    // The widget engine keeps what it drew last: a card out of this frame
    // must leave it.
    cartesTapis_.retireDuMoteur(*m, &dessinees);
    demandeDetourSaisons_();
}

void DisplayGLScene::drawBackground(QPainter* painter, const QRectF& rect)
{
    if (panneauDroitVisible_)
        return;
    QGraphicsScene::drawBackground(painter, rect);
    const QPaintEngine* moteurPeintre = painter->paintEngine();
    if (!moteurPeintre)
        return;
    const QPaintEngine::Type type = moteurPeintre->type();
    if (type != QPaintEngine::OpenGL && type != QPaintEngine::OpenGL2)
        return;
    painter->beginNativePainting();
    paintGLLayer();
    painter->endNativePainting();
    const QPolygonF ardoise = contourVu_(ardoise_.get());
    // Not while the scene paints: the next frame shows the lines moved.
    if (ardoiseStatut_->doitSuivre(ardoise_ && ardoise_->isShown() ? ardoise.boundingRect() : QRectF()))
        QMetaObject::invokeMethod(this, [this] { suitArdoise_(); }, Qt::QueuedConnection);
    // Nor the plates, when the slate came to cover another part of the
    // cloth: only then, not at every frame of a move (a cloth painted anew
    // costs more than a frame).
    const QPolygonF ardoiseVue = ardoise_ && ardoise_->isShown() ? ardoise : QPolygonF();
    const QPolygonF tapisVu = contourVu_(tapis_.get());
    ScenePlaques::Repere& repere = plaques_.repere();
    if (!repere.aRepeindre && (!memeContour(ardoiseVue, repere.ardoiseVu) || !memeContour(tapisVu, repere.tapisVu))) {
        repere.ardoiseVu = ardoiseVue;
        repere.tapisVu = tapisVu;
        const QRectF couvert = couvertTapis_(tapisVu, ardoiseVue);
        if (couvert.isEmpty() != repere.couvert.isEmpty()
            || !memeContour(QPolygonF(couvert), QPolygonF(repere.couvert), MARGE_COUVERT_TAPIS)) {
            repere.aRepeindre = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    plaques_.repere().aRepeindre = false;
                    redessineCartes(plaques_.repere().atout);
                },
                Qt::QueuedConnection);
        }
    }
}

QPolygonF DisplayGLScene::contourVu_(const GL_ObjectSquare* objet) const
{
    return objet ? contourVu_(objet->getId()) : QPolygonF();
}

QPolygonF DisplayGLScene::contourVu_(int id) const
{
    const DisplayGLPaintA* m = moteur();
    QPolygonF contour = m ? m->contourVu(id) : QPolygonF();
    if (contour.size() < 3)
        return {};
    // The viewport is the table's rectangle.
    for (QPointF& p : contour)
        p = QPointF(p.x() * largeurTable_, decalageTable_ + p.y() * hauteurTable_);
    return contour;
}

QRectF DisplayGLScene::rectVu_(const GL_ObjectSquare* objet) const
{
    if (!objet || !objet->isShown())
        return {};
    return contourVu_(objet).boundingRect();
}

QRectF DisplayGLScene::rectMainVue_(int position) const
{
    QRectF vue;
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0 || positionAffichage(j) != position)
            continue;
        const int debut = DisplayGLPaintA::placementMain(position, 0);
        for (const Carte* carte : siege.joueur->main_) {
            const GL_ObjectCube* cube = carte ? objetCarte(carte->getIndex()) : nullptr;
            if (!cube || !cube->isShown() || cube->getPlacement() < debut
                || cube->getPlacement() >= debut + DisplayGLPaintA::PLACES_PAR_MAIN)
                continue;
            const int id = cube->getFace() == GL_ObjectCube::Back ? cube->getBackId() : cube->getFrontId();
            vue |= contourVu_(id).boundingRect();
        }
    }
    return vue;
}

void DisplayGLScene::demandeDetourSaisons_()
{
    if (!saisons_.demande())
        return;
    // Not while the scene paints: the next frame takes it.
    QMetaObject::invokeMethod(this, [this] { detoureSaisons_(); }, Qt::QueuedConnection);
}

void DisplayGLScene::detoureSaisons_()
{
    saisons_.demandeServie();
    // The pictures pass behind what must be read: the slate and the bubbles
    // on show.
    QList<QPolygonF> trous;
    auto troue = [&trous](const QPolygonF& contour) {
        if (!contour.isEmpty())
            trous << contour;
    };
    troue(contourVu_(ardoise_.get()));
    for (int p = 0; p < NOMBRE_SIEGES; ++p)
        if (const GL_ObjectSquare* objet = bulle(p); objet && objet->isShown())
            troue(contourVu_(objet));
    // And the names on the cloth's plates, placed anew only when the cloth
    // or a plate moved.
    if (tapis_ && tapis_->isShown()) {
        QList<QPolygonF> lieux{contourVu_(tapis_.get())};
        for (int p = 0; p < NOMBRE_SIEGES; ++p)
            lieux << QPolygonF(plaques_.zone(p));
        for (const QPolygonF& plaque : saisons_.plaquesVues(lieux, QSizeF(tapis_->getImage().size())))
            troue(plaque);
    }
    saisons_.detoure(trous);
}

double DisplayGLScene::zBackground() const
{
    const DisplayGLPaintA* m = moteur();
    return m ? m->viewParameters()[DisplayGLPaintA::ViewParameters::HauteurOeil] : DISTANCE_CAMERA_LOIN;
}

void DisplayGLScene::setZBackground(double valeur)
{
    DisplayGLPaintA* m = moteur();
    if (!m || !std::isfinite(valeur))
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    p[DisplayGLPaintA::ViewParameters::HauteurOeil] = valeur;
    m->setViewParameters(p);
    m->update();
}

// ------------------------------------------------- resets and display modes

void DisplayGLScene::stopAnimationsAndCloseDialogs()
{
    enMouvement_ = false;
    cartesTapis_.arreteAnimations();
    if (animationFond_)
        animationFond_->stop();
    if (DisplayGLPaintA* m = moteur()) {
        DisplayGLPaintA::ViewParameters p = m->viewParameters();
        if (p[DisplayGLPaintA::ViewParameters::HauteurOeil] != DISTANCE_CAMERA_TABLE) {
            p[DisplayGLPaintA::ViewParameters::HauteurOeil] = DISTANCE_CAMERA_TABLE;
            m->setViewParameters(p);
        }
    }
    for (auto& anim : animsScore_)
        anim->stop();
    for (auto& anim : animsImage_)
        anim->stop();
    for (auto& anim : animsMessage_)
        anim->stop();
    fileMessages_.clear();
    timerMessages_.stop();
    // A temporary text cut short gives the lines back to the status.
    if (timerAide_.isActive()) {
        timerAide_.stop();
        refreshStatusText();
    }
    if (dialogueReglages_)
        dialogueReglages_->collapse();
    boites_.cacheFenetresBug();
}

void DisplayGLScene::setCacheModeAll(QGraphicsItem::CacheMode mode)
{
    ardoiseStatut_->setCacheMode(mode);
    for (QGraphicsItem* item : items())
        item->setCacheMode(mode);
}

void DisplayGLScene::OnChangeDisplayMode()
{
    const bool enCache = ardoiseStatut_->cacheMode() == QGraphicsItem::DeviceCoordinateCache;
    const QGraphicsItem::CacheMode mode = enCache ? QGraphicsItem::NoCache : QGraphicsItem::DeviceCoordinateCache;
    setCacheModeAll(mode);
    const QString nom =
        enCache ? QStringLiteral("QGraphicsItem::NoCache") : QStringLiteral("QGraphicsItem::DeviceCoordinateCache");
    messageBox(GM::Information, tr("Mode de secours"), tr("Le mode d'affichage a été changé en '%1'.").arg(nom),
               GM::Ok);
}

void DisplayGLScene::setFont(const QFont& police)
{
    QGraphicsScene::setFont(police);
    QFont policeArdoise = scaledFont(CLASSE_POLICE_ARDOISE);
    policeArdoise.setBold(true);
    const QString texte = ardoiseStatut_->texteSource();
    ardoiseStatut_->setPolice(policeArdoise);
    if (!texte.isEmpty())
        setLignesArdoise(largeurTable_, decalageTable_, texte);
    boites_.appliquePolice(zoneTable());
}

void DisplayGLScene::changeStyleCartes_(int style, bool silencieux)
{
    if (dialogueReglages_ && dialogueReglages_->isOpen())
        dialogueReglages_->collapse();
    // The trump buttons show the deck's own signs, and their tooltips name
    // the trumps as that deck does.
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode)
        panelAtouts_->setImageBouton(mode, style);
    if (!panelAtouts_->isScreenshotMode()) {
        const QSharedPointer<Partie> jeu = partie();
        panelAtouts_->rafraichitInfobulles(jeu ? jeu->typeDePartie_ : TypeDePartie());
    }
    if (automatique_)
        return;
    if (style != jeuDeCartes_.getStyle())
        jeuDeCartes_.setSize(style, options_.quality_, ratioPixels_);
    if (fondConstruit_ && !silencieux) {
        if (DisplayGLPaintA* m = moteur()) {
            m->makeCurrent();
            buildCardObjects();
            m->doneCurrent();
        }
    }
    // The trump sign on the cloth is drawn in the deck's style.
    if (const QSharedPointer<Partie> jeu = partie())
        redessineCartes(jeu->atoutEnCours_);
    update();
}

QList<AnalyseJoueur*> DisplayGLScene::analyses() const
{
    QList<AnalyseJoueur*> liste;
    for (const QPointer<AnalyseJoueur>& analyse : analyses_)
        liste.append(analyse.data());
    return liste;
}

// ------------------------------------------------------------------- slots

void DisplayGLScene::OnPhoneBackKeyEvent()
{
}

void DisplayGLScene::OnPhoneMenuKeyEvent()
{
}

void DisplayGLScene::OnChatTextChanged()
{
}

void DisplayGLScene::OnAnnulerBackwards()
{
    navigationAnnuler_ = true;
    emit signalAnnuler(false);
}

void DisplayGLScene::OnAnnulerForward()
{
    navigationAnnuler_ = true;
    emit signalAnnuler(true);
}

void DisplayGLScene::OnButtonConnectPressed()
{
    emit signalButtonConnectPressed();
}

void DisplayGLScene::OnChangeCardStyle()
{
    changeStyleCartes_(options_.cardStyle_, false);
}

void DisplayGLScene::OnRefreshScene()
{
}
