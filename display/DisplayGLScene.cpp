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
#include "JoueurHumain.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
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

namespace {

// A card search answers within a second or two; a request or a scene that
// waits longer for the advice place gives up rather than hang the window.
constexpr int ATTENTE_CONSEIL_MAX_MS = 10000;
constexpr double TAILLE_FOND = 7.5;
constexpr double TAILLE_TAPIS = 1.5;
constexpr double LARGEUR_ARDOISE = 0.97;
constexpr double HAUTEUR_ARDOISE = 1.09;
constexpr double LARGEUR_BULLE = 0.7;
constexpr double HAUTEUR_BULLE = 0.28;
constexpr double PARTS_LARGEUR_LARGE = 1.5;
constexpr double PART_TABLE_LARGE = 0.65;
constexpr double FACTEUR_ECHELLE_VUE = 1.2;
// The camera record's first field kept for the scene: the view's zoom for
// tables higher than wide.
constexpr int CHAMP_ZOOM_VUE = 8;
constexpr double ASPECT_MIN = 0.59;
constexpr double RETRAIT_ZONE = 3.0;
constexpr double ECHELLE_MIN = 0.05;
constexpr int VARIANTE_COINCHE = 2;
constexpr double DIVISEUR_ECART_SAISON = 20.0;
constexpr double PART_HAUTEUR_SAISON = 0.5;
constexpr double COLONNES_SAISON_LARGEUR = 15.0;
constexpr double PART_COLONNE_SAISON = 0.125;
constexpr int COLONNES_SAISON = 8;
constexpr int DELAI_SAISON_MAX_MS = 20000;
constexpr int CHIFFRES_NUMERO_CAPTURE = 3;
constexpr double PART_POLICE_PLAQUE = 0.06;
constexpr int COTE_SIGNE_ATOUT = 35;
constexpr int LARGEUR_MULTIPLICATEUR = 39;
constexpr double LARGEUR_PLAQUE = 500.0;
constexpr double HAUTEUR_PLAQUE = 47.0;
constexpr int RETRAIT_PLAQUE_LOIN = 55;
constexpr int RETRAIT_PLAQUE_PRES = 8;
constexpr int SCHEMA_SOMBRE = 2;
// The states in which the announcements have been shown to all.
constexpr int PREMIER_ETAT_ANNONCES_VUES = 45;
constexpr int DERNIER_ETAT_ANNONCES_VUES = 52;
constexpr int ECLAIRCI_LIGNES = 150;
constexpr int ASSOMBRI_LIGNES = 800;
constexpr double PART_FOND_LIGNES = 0.3;
constexpr int VARIANTE_CONTREE = 3;
// Bids asked before this many turns take the turned card's suit.
constexpr int TOURS_PRISE_RETOURNEE = 4;
constexpr double MARGE_TEXTE_BULLE = 0.06;
constexpr double PART_POINTE_BULLE = 0.25;
constexpr double PART_POLICE_BULLE = 0.11;
constexpr int TOURS_PAR_PAQUET = 3;
constexpr int PAS_CARTE_MS = 50;
constexpr int PAS_SIEGE_MS = 150;
// A packet's last card comes 100 ms after its first; the next packet 800 ms
// after that.
constexpr int PAS_PAQUET_MS = 900;
constexpr int MODE_VUE_SANS_ANIMATION = 1;
constexpr int MODE_VUE_TOUT_VISIBLE = 4;
constexpr double PART_ENCART_X = 0.09;
constexpr double PART_ENCART_Y = 0.17;
constexpr double PART_ENCART_L = 0.82;
constexpr double PART_ENCART_H = 0.66;
constexpr double PART_HAUT_CHAT = 0.16;
constexpr double PART_BANDE_BAS = 0.22;
constexpr double PART_HAUTEUR_BOUTON = 0.13;
constexpr double PART_LARGEUR_BOUTON = 0.08;
constexpr double PART_HAUTEUR_CHAT = 0.25;
constexpr double PART_ICONE_LARGEUR = 0.6315789;
constexpr double PART_ICONE_HAUTEUR = 0.43636364;
constexpr double DIVISEUR_ICONE_BOITE = 10.0;
constexpr double DECALAGE_ICONE_BOITE = 3.0;
constexpr int DUREE_FOND_MS = 1200;
constexpr double DISTANCE_CAMERA_LOIN = 4.5;
constexpr int ALPHA_PANNEAU_LEGENDE = 100;
constexpr double HAUTEUR_BANDE_LEGENDE = 300.0;
constexpr double FACTEUR_POLICE_LEGENDE = 1.45;
constexpr double RAYON_PANNEAU_LEGENDE = 40.0;
constexpr double MARGE_PANNEAU_LEGENDE = 20.0;
// Pixels of a widget-engine picture per table unit, times its base scale:
// the engine's own constants.
constexpr double PIXELS_TAPIS_WIDGET = TAILLE_TAPIS * 480.0 * 0.35;
const QColor FOND_MESSAGE_RESEAU(255, 255, 240, 220);

int arrondi(double v)
{
    return static_cast<int>(std::lround(v));
}

QImage puissanceDeDeux(const QImage& image)
{
    if (image.isNull())
        return image;
    return image.scaled(GL_ObjectSquare::puissanceDeDeuxSuperieure(image.width()),
                        GL_ObjectSquare::puissanceDeDeuxSuperieure(image.height()), Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
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
    , debut_(QDateTime::currentDateTimeUtc())
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
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i)
        cartes_.append(QSharedPointer<DisplayGLHumanCarte>());

    timerAide_.setInterval(DELAI_AIDE_MS);
    connect(&timerAide_, &QTimer::timeout, this, &DisplayGLScene::OnHelpTimeout);
    timerSurlignage_.setInterval(DELAI_SURLIGNAGE_MS);
    connect(&timerSurlignage_, &QTimer::timeout, this, &DisplayGLScene::OnHelpCardHightlight);
    timerSurlignage_.start();

    // 1. The slate lines.
    QFont policeArdoise = scaledFont(CLASSE_POLICE_ARDOISE);
    policeArdoise.setBold(true);
    for (QGraphicsSimpleTextItem*& ligne : lignes_) {
        ligne = new QGraphicsSimpleTextItem;
        ligne->setFont(policeArdoise);
        ligne->setZValue(Z_LIGNES_ARDOISE);
        ligne->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        addItem(ligne);
    }

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
    panelAtouts_ = new PanelAtouts(captures_);
    layoutAtouts->addWidget(panelAtouts_);
    proxyAtouts_ = addWidget(conteneurAtouts_);
    proxyAtouts_->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    conteneurAtouts_->hide();

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
    boutonConnexion_->setAttribute(Qt::WA_NoSystemBackground, false);

    // 7, 8. The two message boxes.
    construitBoite_(boite1_, false, Z_BOITE_CACHEE);
    construitBoite_(boite2_, true, Z_STATUT_CACHE);

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
    for (int i = 0; i < NOMBRE_ANIMS_IMAGE; ++i) {
        animsImage_.push_back(std::make_unique<DisplayGLScoreAnimPixmap>());
        ajouteAnimation(animsImage_.back().get());
    }
    for (int i = 0; i < NOMBRE_ANIMS_MESSAGE; ++i) {
        animsMessage_.push_back(std::make_unique<DisplayGLScoreAnimText>());
        ajouteAnimation(animsMessage_.back().get());
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
    for (Boite* boite : {&boite1_, &boite2_}) {
        QLabel* wiki = boite->ui->labelWiki;
        wiki->hide();
        wiki->setTextFormat(Qt::RichText);
        wiki->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                      | Qt::LinksAccessibleByKeyboard);
        wiki->setOpenExternalLinks(true);
        const QString lien = QString::fromLatin1(belote_ ? LIEN_REGLES_BELOTE : LIEN_REGLES_JASS);
        wiki->setText(tr("Règles plus détaillées: ") + QStringLiteral("<a href=\"%1\">%1</a>").arg(lien));
    }

    // The card set, then the cards as items.
    jeuDeCartes_.setSize(options_.cardStyle_, automatique_ ? DisplayGLJeuDeCartes::QUALITE_AUCUNE : options_.quality_,
                         ratioPixels_);
    pixmapVide_ = QPixmap();
    for (int siege = 0; siege < NOMBRE_SIEGES; ++siege)
        analyses_.append(QPointer<AnalyseJoueur>(new AnalyseJoueur(fenetre_.data(), options_.cardStyle_)));
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
        QSharedPointer<DisplayGLHumanCarte> carte = jeuDeCartes_.getCartePartagee(i);
        cartesJeu_.append(carte);
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
    timerBoite_.setSingleShot(true);
    timerBoite_.setInterval(1);
    connect(&timerBoite_, &QTimer::timeout, this, &DisplayGLScene::OnMessageBoxExecInMainLoop);

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
    if (conseilEnCours_.load()) {
        if (Joueur* joueur = joueurConseil_.data())
            joueur->annuleConseilCarte();
        if (!placeConseil_.tryAcquire(1, ATTENTE_CONSEIL_MAX_MS))
            qWarning() << "DisplayGLScene: an advice search did not answer before the scene closed";
    }
    timerAide_.stop();
    timerSurlignage_.stop();
    timerBoite_.stop();
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
    animsScore_.clear();
    animsImage_.clear();
    animsMessage_.clear();
    delete animationFond_;
    animationFond_ = nullptr;

    // The 3-D objects free their textures while the engine is there.
    for (auto& objet : objetsCartes_)
        objet.reset();
    for (auto& bulle : bulles_)
        bulle.reset();
    notification_.reset();
    ardoise_.reset();
    tapis_.reset();
    fond_.reset();

    // The card set owns the hand cards: they leave the scene, which must not
    // delete them.
    for (const QSharedPointer<DisplayGLHumanCarte>& carte : cartesJeu_) {
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
    for (Boite* boite : {&boite1_, &boite2_}) {
        for (QPushButton* bouton : boite->widget->findChildren<QPushButton*>())
            disconnect(bouton, nullptr, this, nullptr);
    }
    for (QPushButton* bouton : {boutonAide_, boutonConnexion_, boutonBug_, boutonArriere_, boutonAvant_})
        disconnect(bouton, nullptr, this, nullptr);
    disconnect(ligneChat_, nullptr, this, nullptr);
    disconnect(journalChat_, nullptr, nullptr, nullptr);
    clear();
    for (Boite* boite : {&boite1_, &boite2_}) {
        delete boite->ui;
        boite->ui = nullptr;
        boite->widget = nullptr;
        boite->proxy = nullptr;
    }
    setMessageBoxDisplayer(nullptr);
    holder_.reset();
}

// ---------------------------------------------------------------- building

QPushButton* DisplayGLScene::construitBouton_(QGraphicsProxyWidget*& proxy, const QString& icone,
                                              const QSize& tailleIcone)
{
    auto* bouton = new QPushButton;
    bouton->setIcon(QIcon(icone));
    bouton->setIconSize(tailleIcone);
    bouton->setAttribute(Qt::WA_NoSystemBackground);
    proxy = addWidget(bouton);
    proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    return bouton;
}

void DisplayGLScene::construitBoite_(Boite& boite, bool gardeOptionStyle, double z)
{
    boite.widget = new GM_WidgetAutoRound;
    boite.ui = new Ui::MessageBoxGl;
    boite.ui->setupUi(boite.widget);
    connect(boite.ui->pushButtonOK, &QPushButton::clicked, this, &DisplayGLScene::OnMessageBoxAccepted);
    connect(boite.ui->pushButtonOui, &QPushButton::clicked, this, &DisplayGLScene::OnMessageBoxAccepted);
    connect(boite.ui->pushButtonNon, &QPushButton::clicked, this, &DisplayGLScene::OnMessageBoxRejected);
    connect(boite.ui->pushButtonCancel, &QPushButton::clicked, this, &DisplayGLScene::OnMessageBoxRejected);
    boite.widget->hide();
    boite.proxy = addWidget(boite.widget);
    boite.proxy->setCacheMode(QGraphicsItem::NoCache);
    if (!gardeOptionStyle)
        boite.proxy->setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, false);
    boite.proxy->setZValue(z);
    boite.proxy->hide();
}

// ------------------------------------------------------------ message boxes

QString DisplayGLScene::texteBoite(const QString& texte)
{
    static const QRegularExpression sautsEchappes(QStringLiteral("&lt;br\\s*/?&gt;"),
                                                  QRegularExpression::CaseInsensitiveOption);
    QString sur = texte.toHtmlEscaped();
    sur.replace(sautsEchappes, QStringLiteral("<br>"));
    sur.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return sur;
}

QIcon DisplayGLScene::iconeBoite(int icone)
{
    QStyle* style = QApplication::style();
    switch (icone) {
    case GM::Information:
    case IconeAide:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case GM::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case GM::Critical:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case IconeTomate:
        return QIcon(QStringLiteral(":/images/tomato.png"));
    case IconeCoupe:
        return QIcon(QStringLiteral(":/images/cup.png"));
    case IconeSucces:
        return QIcon(QStringLiteral(":/images/achievement.png"));
    default:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
}

int DisplayGLScene::sonBoite(int icone)
{
    switch (icone) {
    case IconeTomate:
        return ZB_Sound::Blop;
    case IconeCoupe:
        return ZB_Sound::Tambour;
    case IconeSucces:
        return ZB_Sound::CarillonGrave;
    default:
        return -1;
    }
}

void DisplayGLScene::setAutoAnswer(bool autoReponse)
{
    autoReponse_.store(autoReponse);
}

bool DisplayGLScene::isAutoAnswer() const
{
    return autoReponse_.load();
}

qint64 DisplayGLScene::currentBoxId() const
{
    QMutexLocker lock(&mutexBoites_);
    return idBoiteCourante_;
}

void DisplayGLScene::setTutorialForm(GM_WidgetAuto* formulaire)
{
    formulaireTutoriel_ = formulaire;
}

void DisplayGLScene::execMessageBox(uint id)
{
    QMutexLocker lock(&mutexBoites_);
    if (static_cast<qint64>(id) == idBoiteCourante_)
        return;
    idBoiteCourante_ = id;
    affichagePrevu_.store(true);
    // From any thread: the box is shown by the GUI thread's event loop.
    QMetaObject::invokeMethod(&timerBoite_, "start", Qt::QueuedConnection, Q_ARG(int, 0));
}

bool DisplayGLScene::isMessageBoxPending()
{
    // Called with the queue's mutex held: an atomic, never a lock.
    return affichagePrevu_.load();
}

void DisplayGLScene::OnMessageBoxExecInMainLoop()
{
    affichagePrevu_.store(false);
    QMutexLocker lock(&mutexBoites_);
    if (idBoiteCourante_ < 0)
        return;
    const uint id = static_cast<uint>(idBoiteCourante_);
    GM_MessageBoxRequest requete;
    if (!copieMessageBox(id, requete)) {
        // Nothing under this id (answered or never queued): the queue must
        // not wait for it.
        qWarning() << "DisplayGLScene: no message box under id" << id;
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::NoButton);
        return;
    }
    if (requete.type_ == GM_MessageBoxRequest::Tutoriel) {
        if (!autoReponse_.load() && formulaireTutoriel_) {
            idTutoriel_ = id;
            formulaireTutoriel_->show();
            lock.unlock();
            emit signalMessageBoxShown(id);
            return;
        }
        lock.unlock();
        OnTutorialClosed(id, true);
        return;
    }
    if (autoReponse_.load()) {
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::Ok);
        return;
    }
    vibre(VIBRATION_BOITE_MS);
    if (requete.texte_.contains(QLatin1String(TEXTE_ERREUR_INCONNUE), Qt::CaseSensitive)) {
        // Not shown; answered at once, so that the boxes behind it still come.
        qWarning().noquote() << QStringLiteral("DisplayGLScene: box not shown: %1: %2")
                                    .arg(requete.titre_, requete.texte_);
        idBoiteCourante_ = -1;
        lock.unlock();
        messageBoxAnswered(id, GM::NoButton);
        return;
    }
    lock.unlock();
    showBox(boite1_.widget, boite1_.ui, boite1_.proxy, Z_BOITE, requete);
    emit signalMessageBoxShown(id);
}

void DisplayGLScene::showBox(GM_WidgetAutoRound* widget, Ui::MessageBoxGl* form, QGraphicsProxyWidget* proxy,
                             double z, const GM_MessageBoxRequest& request)
{
    if (!widget || !form || !proxy)
        return;
    stopAnimationsAndCloseDialogs();
    const int icone = static_cast<int>(request.icone_);
    const QRectF table = zoneTable();
    GM_WidgetAuto::setLabelPixmapScaled(form->labelIcon, table.width(), table.height(), iconeBoite(icone),
                                        ratioPixels_, DIVISEUR_ICONE_BOITE, DECALAGE_ICONE_BOITE);
    const int effet = sonBoite(icone);
    if (effet >= 0)
        joueSon(effet);
    form->labelText->setText(request.titre_);
    widget->setWindowTitle(request.titre_);
    const int boutons = static_cast<int>(request.boutons_);
    form->pushButtonOK->setVisible((boutons & GM::Ok) != 0);
    form->pushButtonOui->setVisible((boutons & GM::Yes) != 0);
    form->pushButtonNon->setVisible((boutons & GM::No) != 0);
    form->pushButtonCancel->setVisible((boutons & GM::Cancel) != 0);

    const QString texte = texteBoite(request.texte_);
    if (historique_.size() > HISTORIQUE_MAX)
        historique_.removeFirst();
    historique_.append(texte);
    form->labelMessage->setText(texte);
    const bool aide = icone == IconeAide;
    form->labelWiki->setVisible(aide);
    form->labelMessage->setAlignment(aide ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);

    const QFont police = scaledFont(CLASSE_POLICE_BOITE);
    proxy->setFont(police);
    widget->setFont(police);
    // The title reads as one, at the same size as the text.
    QFont titre = police;
    titre.setBold(true);
    form->labelText->setFont(titre);
    form->labelMessage->setFont(police);
    form->labelWiki->setFont(police);

    proxy->setZValue(z);
    dernierGenre_ = icone;
    placeBox(widget, proxy, table);
    widget->show();
    proxy->show();
}

double DisplayGLScene::hauteurBoite(double hauteurTable) const
{
    if (dernierGenre_ == IconeAide)
        return hauteurTable;
    const QString titre = boite1_.ui ? boite1_.ui->labelText->text() : QString();
    if (titre == tr("Fin de partie.") || titre == tr("End of the game."))
        return hauteurTable / HAUTEUR_BOITE_FIN;
    return hauteurTable / HAUTEUR_BOITE;
}

void DisplayGLScene::placeBox(QWidget* widget, QGraphicsProxyWidget* proxy, const QRectF& rect)
{
    if (!widget || !proxy)
        return;
    const double hauteur = std::max(0.0, hauteurBoite(rect.height()));
    const double largeur = std::max(0.0, rect.width());
    widget->setFixedWidth(arrondi(largeur));
    widget->setFixedHeight(arrondi(hauteur));
    proxy->setGeometry(QRectF(rect.x(), rect.y() + (rect.height() - hauteur) / 2.0, largeur, hauteur));
}

void DisplayGLScene::updateMessageBox(const GM_MessageBoxRequest& request, int id)
{
    // Emitters call this on their own thread; the widgets are the GUI's.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, request, id] { updateMessageBox(request, id); }, Qt::QueuedConnection);
        return;
    }
    if (id < 0) {
        showBox(boite2_.widget, boite2_.ui, boite2_.proxy, Z_BOITE_MISE_A_JOUR, request);
        return;
    }
    const uint boite = static_cast<uint>(id);
    GM_MessageBoxRequest copie;
    if (!copieMessageBox(boite, copie)) {
        qWarning() << "DisplayGLScene: text update for a box that is gone:" << id;
        return;
    }
    copie.texte_ = request.texte_;
    remplaceTexte(boite, copie.titre_, copie.texte_);
    // A box still waiting in the queue shows the new text when its turn
    // comes; only the box on screen is shown again now.
    if (currentBoxId() == id && boite1_.widget->isVisible())
        showBox(boite1_.widget, boite1_.ui, boite1_.proxy, Z_BOITE_MISE_A_JOUR, copie);
}

void DisplayGLScene::closeStatusBox()
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this] { closeStatusBox(); }, Qt::QueuedConnection);
        return;
    }
    fermeStatut_();
}

void DisplayGLScene::fermeStatut_()
{
    boite2_.widget->hide();
    boite2_.proxy->hide();
    boite2_.proxy->setZValue(Z_STATUT_CACHE);
}

GM::StandardButton DisplayGLScene::boutonDuSignal_(QObject* emetteur, bool* dansStatut) const
{
    *dansStatut = false;
    if (!emetteur)
        return GM::NoButton;
    for (const Boite* boite : {&boite1_, &boite2_}) {
        GM::StandardButton bouton = GM::NoButton;
        if (emetteur == boite->ui->pushButtonOK)
            bouton = GM::Ok;
        else if (emetteur == boite->ui->pushButtonOui)
            bouton = GM::Yes;
        else if (emetteur == boite->ui->pushButtonNon)
            bouton = GM::No;
        else if (emetteur == boite->ui->pushButtonCancel)
            bouton = GM::Cancel;
        if (bouton != GM::NoButton) {
            *dansStatut = boite == &boite2_;
            return bouton;
        }
    }
    return GM::NoButton;
}

void DisplayGLScene::OnMessageBoxAccepted()
{
    bool statut = false;
    const GM::StandardButton bouton = boutonDuSignal_(sender(), &statut);
    if (statut) {
        // The status box is no queued box: its button only closes it.
        QTimer::singleShot(0, this, [this] { fermeStatut_(); });
        return;
    }
    const qint64 id = currentBoxId();
    QTimer::singleShot(0, this, [this, id, bouton] { repondBoite_(id, bouton, true); });
}

void DisplayGLScene::OnMessageBoxRejected()
{
    bool statut = false;
    const GM::StandardButton bouton = boutonDuSignal_(sender(), &statut);
    if (statut) {
        QTimer::singleShot(0, this, [this] { fermeStatut_(); });
        return;
    }
    const qint64 id = currentBoxId();
    QTimer::singleShot(0, this, [this, id, bouton] { repondBoite_(id, bouton, false); });
}

void DisplayGLScene::OnMessageBoxAccepted_Timer()
{
    repondBoite_(-1, GM::NoButton, true);
}

void DisplayGLScene::OnMessageBoxRejected_Timer()
{
    repondBoite_(-1, GM::NoButton, false);
}

void DisplayGLScene::repondBoite_(qint64 idVu, GM::StandardButton bouton, bool accepte)
{
    QMutexLocker lock(&mutexBoites_);
    if (idBoiteCourante_ < 0 || (idVu >= 0 && idVu != idBoiteCourante_))
        return;
    const uint id = static_cast<uint>(idBoiteCourante_);
    GM::StandardButton reponse = bouton;
    if (reponse == GM::NoButton) {
        // No button named (a key, a closing dialog): the box's own accept or
        // reject button, Yes or No when it has none.
        GM_MessageBoxRequest requete;
        const int boutons = copieMessageBox(id, requete) ? static_cast<int>(requete.boutons_) : 0;
        if (accepte)
            reponse = (boutons & GM::Yes) ? GM::Yes : ((boutons & GM::Ok) ? GM::Ok : GM::Yes);
        else
            reponse = (boutons & GM::Cancel) ? GM::Cancel : GM::No;
    }
    boite1_.widget->hide();
    boite1_.proxy->hide();
    boite1_.proxy->setZValue(Z_BOITE_CACHEE);
    fermeStatut_();
    if (!accepte && formulaireTutoriel_)
        formulaireTutoriel_->hide();
    idBoiteCourante_ = -1;
    lock.unlock();
    messageBoxAnswered(id, reponse);
}

void DisplayGLScene::OnTutorialClosed(uint eventId, bool isCompleted)
{
    // The tutorial's own answer (its chosen level) goes to its receiver
    // with the welcome form; here the box leaves the queue.
    Q_UNUSED(isCompleted);
    {
        QMutexLocker lock(&mutexBoites_);
        // A late close of a tutorial that is no longer current must not
        // take the place of the box now on screen.
        if (idBoiteCourante_ == static_cast<qint64>(eventId))
            idBoiteCourante_ = -1;
    }
    messageBoxAnswered(eventId, GM::Ok);
}

// ------------------------------------------------------------------ advice

void DisplayGLScene::carteConseillee(Carte* carte, bool erreur)
{
    // On the search thread.
    {
        QMutexLocker lock(&mutexCarteConseil_);
        carteConseil_ = erreur ? nullptr : carte;
    }
    if (conseilEnCours_.exchange(false))
        placeConseil_.release();
}

bool DisplayGLScene::demandeConseil(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout)
{
    if (!joueur)
        return false;
    if (!placeConseil_.tryAcquire()) {
        // The search for an earlier request is stale: it is stopped, and its
        // answer gives the place back.
        if (Joueur* ancien = joueurConseil_.data())
            ancien->annuleConseilCarte();
        if (!placeConseil_.tryAcquire(1, ATTENTE_CONSEIL_MAX_MS)) {
            qWarning() << "DisplayGLScene: the previous advice search does not answer; no advice this time";
            return false;
        }
    }
    effaceCarteConseil();
    joueurConseil_ = joueur;
    chronoConseil_.start();
    conseilEnCours_.store(true);
    joueur->demandeConseilCarte(std::move(partie), nullptr, joueurAtout, this);
    return true;
}

bool DisplayGLScene::attendConseil(int delaiMs)
{
    if (!placeConseil_.tryAcquire(1, delaiMs))
        return false;
    placeConseil_.release();
    return true;
}

Carte* DisplayGLScene::carteConseil() const
{
    QMutexLocker lock(&mutexCarteConseil_);
    return carteConseil_;
}

void DisplayGLScene::effaceCarteConseil()
{
    QMutexLocker lock(&mutexCarteConseil_);
    carteConseil_ = nullptr;
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
    }
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
            cacheBulles_(modeVue_ != MODE_VUE_SANS_ANIMATION);
        }
    } else {
        // Cards still flying belong to the game that left.
        carteRetournee_ = nullptr;
        for (GL_ObjectCube*& cube : cartesSurTable_)
            cube = nullptr;
        for (auto& objet : objetsCartes_)
            if (objet) {
                objet->stopAnimation();
                objet->hide();
            }
        for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i)
            if (DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(i))
                sprite->setState(DisplayGLHumanCarte::Cachee, false, 0);
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

// ------------------------------------------------------------------- grabs

void DisplayGLScene::setLegendeCapture(const QString& legende, const QString& couleur1, const QString& couleur2)
{
    legendeCapture_ = legende;
    couleurLegende1_ = couleur1;
    couleurLegende2_ = couleur2;
}

void DisplayGLScene::PortableGrabFrameBuffer_Completed(const QImage& image)
{
    QImage copie = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!legendeCapture_.isEmpty() && !copie.isNull()) {
        QPainter peintre(&copie);
        peintre.setRenderHint(QPainter::Antialiasing);
        QColor blanc(Qt::white);
        blanc.setAlpha(ALPHA_PANNEAU_LEGENDE);
        const QRectF bande(0.0, copie.height() - HAUTEUR_BANDE_LEGENDE, copie.width(), HAUTEUR_BANDE_LEGENDE);
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(blanc);
        peintre.drawRoundedRect(bande.adjusted(MARGE_PANNEAU_LEGENDE, -MARGE_PANNEAU_LEGENDE, -MARGE_PANNEAU_LEGENDE,
                                               -MARGE_PANNEAU_LEGENDE),
                                RAYON_PANNEAU_LEGENDE, RAYON_PANNEAU_LEGENDE);
        peintre.fillRect(bande, QColor(couleurLegende1_));
        QFont police(QStringLiteral("Comic Sans MS"));
        const QFont defaut;
        if (defaut.pixelSize() > 0)
            police.setPixelSize(arrondi(defaut.pixelSize() * FACTEUR_POLICE_LEGENDE));
        else
            police.setPointSizeF(defaut.pointSizeF() * FACTEUR_POLICE_LEGENDE);
        peintre.setFont(police);
        peintre.setPen(QColor(couleurLegende2_));
        peintre.drawText(bande, Qt::AlignCenter, legendeCapture_);
    }
    // The purpose was set when the grab was asked; the next grab is a store
    // screenshot unless asked otherwise.
    const ButCapture but = butCapture_;
    butCapture_ = CaptureMagasin;
    const QString nom = but == CaptureBug
        ? QStringLiteral("bugReportScreenshot")
        : QStringLiteral("storeScreenshot_%1").arg(++numeroCapture_, CHIFFRES_NUMERO_CAPTURE, 10, QLatin1Char('0'));
    if (!copie.isNull()) {
        dernierFichierCapture_ = QStringLiteral("%1%2.png").arg(appDataPath(QString()), nom);
        if (!copie.save(dernierFichierCapture_))
            qWarning().noquote() << "DisplayGLScene: the screenshot could not be saved as" << dernierFichierCapture_;
    }
    if (but == CaptureMagasin) {
        emit signalScreenshotCompleted(copie);
        return;
    }
    if (questionnaireBug_)
        questionnaireBug_->show();
}

void DisplayGLScene::demandeCapture(ButCapture but)
{
    butCapture_ = but;
    if (DisplayGLPaintA* m = moteur())
        m->PortableGrabFrameBuffer(this);
}

void DisplayGLScene::OnBugPressed()
{
    chronoBug_.start();
}

void DisplayGLScene::OnBugReleased()
{
}

void DisplayGLScene::OnBug()
{
    const qint64 tenu = chronoBug_.isValid() ? chronoBug_.elapsed() : 0;
    if (tenu <= DUREE_APPUI_CAPTURE_MS) {
        setLegendeCapture(QString(), QStringLiteral("black"), QStringLiteral("black"));
        demandeCapture(CaptureBug);
        return;
    }
    if (formulaireDebug_)
        formulaireDebug_->show();
}

// ------------------------------------------------------------- slate lines

QStringList DisplayGLScene::coupeLignes(const QString& texte, const QFontMetrics& metriques, double largeur)
{
    const double utile = std::max(largeur - MARGE_LIGNE_ARDOISE, 0.0);
    QString resultat;
    QString reste = texte;
    while (!reste.isEmpty()) {
        int n = 0;
        while (n < reste.size() && metriques.horizontalAdvance(reste.left(n + 1)) <= utile)
            ++n;
        if (n == reste.size()) {
            resultat += reste;
            break;
        }
        // Character n overflows. Cut at the last blank up to it (not the
        // first character), or else where it overflows; a line always takes
        // at least one character, so that a narrow slate cannot loop.
        const int blanc = reste.lastIndexOf(QLatin1Char(' '), n);
        if (blanc > 0) {
            resultat += reste.left(blanc) + QLatin1Char('\n');
            reste = reste.mid(blanc + 1);
        } else {
            const int coupe = std::max(n, 1);
            resultat += reste.left(coupe) + QLatin1Char('\n');
            reste = reste.mid(coupe);
        }
    }
    return resultat.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void DisplayGLScene::setLignesArdoise(double largeur, double haut, const QString& texte)
{
    const QStringList lignes = coupeLignes(texte, QFontMetrics(lignes_[0]->font()), largeur);
    double y = haut + HAUT_LIGNES_ARDOISE;
    for (int i = 0; i < NOMBRE_LIGNES_ARDOISE; ++i) {
        QGraphicsSimpleTextItem* ligne = lignes_[static_cast<size_t>(i)];
        ligne->setText(i < lignes.size() ? lignes[i] : QString());
        const QRectF boite = ligne->boundingRect();
        ligne->setPos((largeur - boite.width()) / 2.0, y);
        y += boite.height();
        ligne->update();
    }
}

QString DisplayGLScene::texteArdoise() const
{
    QString texte;
    for (const QGraphicsSimpleTextItem* ligne : lignes_) {
        if (ligne->text().isEmpty())
            continue;
        if (!texte.isEmpty())
            texte += QLatin1Char(' ');
        texte += ligne->text();
    }
    return texte;
}

// ---------------------------------------------------------- floating items

DisplayGLScoreAnimText* DisplayGLScene::prochainScore()
{
    DisplayGLScoreAnimText* anim = animsScore_[curseurScore_].get();
    curseurScore_ = (curseurScore_ + 1) % animsScore_.size();
    return anim;
}

DisplayGLScoreAnimText* DisplayGLScene::prochainMessage()
{
    DisplayGLScoreAnimText* anim = animsMessage_[curseurMessage_].get();
    curseurMessage_ = (curseurMessage_ + 1) % animsMessage_.size();
    return anim;
}

DisplayGLScoreAnimPixmap* DisplayGLScene::prochaineImage()
{
    DisplayGLScoreAnimPixmap* anim = animsImage_[curseurImage_].get();
    curseurImage_ = (curseurImage_ + 1) % animsImage_.size();
    return anim;
}

void DisplayGLScene::afficheMessageReseau(const QString& texte)
{
    if (!texte.endsWith(QLatin1Char('.')))
        qDebug().noquote() << QStringLiteral("DisplayGLScene::afficheMessageReseau message not ending with dot. ")
                                  + texte;
    fileMessages_.append(texte);
    OnMessagesReseau();
}

void DisplayGLScene::OnMessagesReseau()
{
    auto libre = [this](size_t index) {
        const DisplayGLScoreAnimText* item = animsMessage_[index].get();
        return !item->isDelayRunning() && !item->driver()->isRunning();
    };
    while (!fileMessages_.isEmpty()) {
        const QDateTime maintenant = QDateTime::currentDateTimeUtc();
        qint64 delai = prochainMessage_.isValid()
            ? maintenant.msecsTo(prochainMessage_.addMSecs(DELAI_MESSAGE_RESEAU_MS))
            : -1;
        // Quiet for a while: the ring starts over at its first item.
        if (delai < 0) {
            delai = 0;
            if (libre(0))
                curseurMessage_ = 0;
        }
        // A burst longer than the ring waits for an item to be free, rather
        // than taking one whose line is still waiting or showing.
        if (!libre(curseurMessage_)) {
            if (!timerMessages_.isActive())
                timerMessages_.start(DELAI_MESSAGE_RESEAU_MS);
            return;
        }
        prochainMessage()->startMessage(fileMessages_.takeFirst(), zoneTable(), decalageTable_, FOND_MESSAGE_RESEAU,
                                        static_cast<int>(delai));
        prochainMessage_ = maintenant.addMSecs(delai);
    }
}

// ---------------------------------------------------- sounds, native hooks

bool DisplayGLScene::joueSon(int effet)
{
    if (!options_.sounds_ || automatique_)
        return false;
    return son_.play(effet);
}

void DisplayGLScene::vibre(int millisecondes)
{
    if (options_.vibrate_ && natif_)
        natif_->vibrate(millisecondes);
}

QString DisplayGLScene::suffixeScore(int cible, int toursRestants)
{
    if (cible == -1)
        return QString();
    if (cible == 100000)
        return tr(" / %1 Tours Restants").arg(toursRestants);
    return QStringLiteral(" / %1").arg(cible);
}

void DisplayGLScene::signaleScoreEnLigne(int points, int adversaire, int cible, int toursRestants)
{
    if (enLigne_ && natif_)
        natif_->discordSetActivityScore(points, adversaire, suffixeScore(cible, toursRestants));
}

void DisplayGLScene::setPartieEnLigne(bool enLigne)
{
    enLigne_ = enLigne;
    proxyAide_->setVisible(!enLigne_);
    boutonConnexion_->setEnabled(!enLigne_);
}

// ----------------------------------------------------------------- options

void DisplayGLScene::setOptionsAffichage(const OptionsAffichage& options)
{
    options_ = options;
    son_.setSoundOn(options_.sounds_);
}

// ------------------------------------------------------------------ layout

QRectF DisplayGLScene::zoneTable() const
{
    return zones_[0];
}

void DisplayGLScene::setDecalageTable(double decalage)
{
    decalageTable_ = std::isfinite(decalage) ? std::max(0.0, decalage) : 0.0;
    OnSceneRectChanged(sceneRect());
}

void DisplayGLScene::setDisposition(bool large)
{
    if (dispositionLarge_ == large)
        return;
    dispositionLarge_ = large;
    dispose_ = false;
    OnSceneRectChanged(sceneRect());
}

void DisplayGLScene::calculePanneauDroit_(double largeur, double hauteur)
{
    const bool large = dispositionLarge_ && largeur > PARTS_LARGEUR_LARGE * hauteur;
    largeurTable_ = large ? PART_TABLE_LARGE * largeur : largeur;
    hauteurTable_ = std::max(0.0, hauteur - decalageTable_);
    const bool affiche = std::lround(largeur) > std::lround(largeurTable_);
    if (affiche != panneauDroitAffiche_) {
        panneauDroitAffiche_ = affiche;
        emit signalRightPanelVisibleChanged(affiche);
    }
    QMetaObject::invokeMethod(this, "OnResizeRightPanel", Qt::QueuedConnection);
}

double DisplayGLScene::echelleTable(double largeur, double hauteur)
{
    if (!std::isfinite(largeur) || !std::isfinite(hauteur) || hauteur <= 0.0)
        return 1.0;
    const double aspect = std::max(0.0, largeur) / hauteur;
    const double echelle = aspect < ASPECT_MIN ? 1.0 - 2.0 * (ASPECT_MIN - aspect) : 1.0;
    // A table far higher than wide would otherwise be drawn mirrored or not
    // at all.
    return std::max(ECHELLE_MIN, echelle);
}

void DisplayGLScene::appliqueVue_()
{
    DisplayGLPaintA* m = moteur();
    if (!m)
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    using V = DisplayGLPaintA::ViewParameters;
    p[V::LargeurVisible] = largeurTable_;
    p[V::HauteurVisible] = hauteurTable_;
    p[V::Table] = 1.0;
    const bool openGL = holder_ && holder_->isOpenGL();
    if (openGL) {
        p[V::FacteurHauteur] = FACTEUR_HAUTEUR_OPENGL;
    } else {
        const double cote = std::min(largeurTable_, hauteurTable_);
        p[V::FacteurHauteur] = std::max(ECHELLE_MIN, PART_TAPIS_HAUTEUR * cote / PIXELS_TAPIS_WIDGET);
    }
    // The view's own zoom for tables higher than wide.
    const double k = largeurTable_ > 0.0 ? hauteurTable_ / largeurTable_ : 0.0;
    const double f = FACTEUR_ECHELLE_VUE * k;
    p[CHAMP_ZOOM_VUE] = f > 0.0 && f < 1.0 ? 1.0 / f : 1.0;
    if (p != m->viewParameters())
        m->setViewParameters(p);
}

QRect DisplayGLScene::geometrieDialogue(const QRectF& table, double largeurScene, int placement, int mode)
{
    QRectF r = table;
    if (placement == 1 && largeurScene > r.width()) {
        const double ancienne = r.width();
        r = QRectF(ancienne, r.y(), largeurScene - ancienne, r.height());
    }
    r.setHeight(std::max(0.0, r.height() - RETRAIT_ZONE));
    if (mode == 1)
        return QRect(arrondi(r.x() + PART_ENCART_X * r.width()), arrondi(r.y() + PART_ENCART_Y * r.height()),
                     arrondi(PART_ENCART_L * r.width()), arrondi(PART_ENCART_H * r.height()));
    return QRect(arrondi(r.x()), arrondi(r.y()), arrondi(r.width()), arrondi(r.height()));
}

void DisplayGLScene::placeDialogue_(int index)
{
    QGraphicsProxyWidget* proxy = dialogues_.value(index);
    if (!proxy)
        return;
    auto* widget = qobject_cast<GM_WidgetAuto*>(proxy->widget());
    if (!widget)
        return;
    const QRectF table(0.0, decalageTable_, largeurTable_, hauteurTable_);
    widget->setGeometryFixed(
        geometrieDialogue(table, sceneRect().width(), placementsDialogues_[index], modesDialogues_[index]));
}

QGraphicsProxyWidget* DisplayGLScene::ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode)
{
    if (!widget)
        return nullptr;
    for (QGraphicsProxyWidget* proxy : dialogues_) {
        if (proxy && proxy->widget() == widget) {
            qWarning() << "DisplayGLScene: dialog added twice, kept where it is";
            return proxy;
        }
    }
    if (widget->parentWidget())
        widget->setParent(nullptr);
    widget->setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    widget->setWindowFlag(Qt::MaximizeUsingFullscreenGeometryHint, false);
    widget->hide();
    auto* proxy = new QGraphicsProxyWidget;
    proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    proxy->setWidget(widget);
    proxy->setZValue(z);
    proxy->hide();
    addItem(proxy);
    dialogues_.append(proxy);
    placementsDialogues_.append(placement);
    modesDialogues_.append(mode);
    drapeauxDialogues_.append(true);
    placeDialogue_(static_cast<int>(dialogues_.size()) - 1);
    return proxy;
}

bool DisplayGLScene::fermeDialogues()
{
    bool ferme = false;
    const bool large = dispositionLarge_ && panneauDroitAffiche_;
    for (int i = 0; i < dialogues_.size(); ++i) {
        QGraphicsProxyWidget* proxy = dialogues_[i];
        if (!proxy || !proxy->isVisible() || !proxy->widget())
            continue;
        if (large && placementsDialogues_[i] == 1)
            continue;
        proxy->widget()->close();
        proxy->hide();
        ferme = true;
    }
    if (ferme) {
        setActiveWindow(nullptr);
        for (Boite* boite : {&boite1_, &boite2_}) {
            boite->widget->hide();
            boite->proxy->hide();
        }
        QTimer::singleShot(0, this, &DisplayGLScene::OnMessageBoxRejected_Timer);
        QTimer::singleShot(0, this, &DisplayGLScene::OnMessageBoxAccepted_Timer);
    }
    return ferme;
}

void DisplayGLScene::placeOutils_()
{
    const double x = 0.0;
    const double w = largeurTable_;
    const double h = hauteurTable_;
    const int d = arrondi(PART_LARGEUR_BOUTON * w);
    const int c = arrondi(PART_HAUTEUR_BOUTON * h);
    const QSize icone(arrondi(PART_ICONE_LARGEUR * d), arrondi(PART_ICONE_HAUTEUR * c));
    const double s = ratioPixels_ > 0.0 ? ratioPixels_ : 1.0;
    const double t = dialogueReglages_->geometry().bottom();
    const double droite = x + w - d - 3.0 / s;
    auto place = [&](QGraphicsProxyWidget* proxy, QPushButton* bouton, double px, double py) {
        bouton->setFixedSize(d, c);
        bouton->setIconSize(icone);
        proxy->setPos(px, py);
    };
    place(proxyArriere_, boutonArriere_, x, t + 2.0 / s);
    place(proxyAvant_, boutonAvant_, x + d + 2.0, t + 2.0 / s);
    place(proxyConnexion_, boutonConnexion_, droite, t + 2.0 / s);
    place(proxyAide_, boutonAide_, droite, t - 2.0 * c - 2.0 / s);
    place(proxyBug_, boutonBug_, droite, t - 3.0 * c - 4.0 / s);
    proxyBug_->setVisible(boutonBugVisible_);
}

void DisplayGLScene::OnSceneRectChanged(QRectF const& rect)
{
    // Placing items can move the scene's rectangle while it follows its
    // items (no rectangle set): that comes back here, and waits.
    if (enDisposition_ || (dispose_ && rect == dernierRect_ && decalageTable_ == dernierDecalage_))
        return;
    const QScopedValueRollback<bool> garde(enDisposition_, true);
    // A scene without a rectangle of its own grows with its items, and the
    // layout sizes items by the rectangle: it would grow without end. The
    // rectangle laid out for becomes the scene's own.
    if (!rect.isNull())
        setSceneRect(rect);
    dispose_ = true;
    dernierRect_ = rect;
    dernierDecalage_ = decalageTable_;
    calculePanneauDroit_(std::max(0.0, rect.width()), std::max(0.0, rect.height()));
    const QRectF r(0.0, decalageTable_, largeurTable_, hauteurTable_);
    const double x = r.x();
    const double y = r.y();
    const double w = r.width();
    const double h = r.height();
    zones_[0] = QRectF(x, y, w, std::max(0.0, h - RETRAIT_ZONE));
    zones_[1] = rect.width() > w ? QRectF(r.right(), y, rect.width() - r.right(), std::max(0.0, h - RETRAIT_ZONE))
                                 : zones_[0];
    for (int i = 0; i < dialogues_.size(); ++i)
        placeDialogue_(i);

    const int a = arrondi(PART_HAUT_CHAT * h);
    const int b = arrondi(PART_BANDE_BAS * h);
    const int e = arrondi(PART_HAUTEUR_CHAT * h);
    for (auto& image : animsImage_)
        image->stop();
    setLignesArdoise(w, decalageTable_, texteArdoise());
    dialogueChat_->setZone(QRectF(x, y + a, w, e), r.size(), ratioPixels_);
    dialogueReglages_->setZone(r, r.size(), ratioPixels_);
    dialogueReglages_->setZValue(Z_REGLAGES);
    placeOutils_();

    const double hauteur1 = boite1_.proxy->geometry().height();
    boite1_.proxy->setGeometry(QRectF(x, y + (h - y - hauteur1) / 2.0, w, hauteur1));
    boite2_.widget->setFixedSize(arrondi(w), arrondi(h));
    boite2_.proxy->setGeometry(QRectF(x, y, arrondi(w), arrondi(h)));
    proxyAtouts_->setGeometry(QRectF(x, y + h - b, w, b));
    if (boite1_.widget->isVisible())
        placeBox(boite1_.widget, boite1_.proxy, zoneTable());
    disposeMains_();
    appliqueVue_();
    rafraichitCouche();
}

void DisplayGLScene::OnResizeRightPanel()
{
    const double largeur = panneauDroitAffiche_ ? sceneRect().width() - largeurTable_ : sceneRect().width();
    for (int i = 0; i < dialogues_.size(); ++i) {
        QGraphicsProxyWidget* proxy = dialogues_[i];
        if (!proxy || placementsDialogues_[i] != 1 || !proxy->widget())
            continue;
        QWidget* widget = proxy->widget();
        if (widget->width() != arrondi(largeur))
            widget->setFixedWidth(std::max(0, arrondi(largeur)));
    }
}

void DisplayGLScene::disposeMains_()
{
    if (automatique_)
        return;
    const QRectF main = zoneTable();
    if (main.width() <= 0.0 || main.height() <= 0.0)
        return;
    const double espacement = main.width() / DisplayGLHumanCarte::CARTES_PAR_MAIN;
    for (const Siege& siege : sieges_) {
        if (!siege.joueur || siege.numero < 0)
            continue;
        const EnsembleDeCartes& cartes = siege.joueur->main_;
        const int n = std::min<int>(static_cast<int>(cartes.getNombreDeCartes()), DisplayGLHumanCarte::CARTES_PAR_MAIN);
        int i = 0;
        for (Carte* carte : cartes) {
            if (i >= n)
                break;
            if (DisplayGLHumanCarte* sprite = carte ? jeuDeCartes_.getCarte(carte->getIndex()) : nullptr)
                sprite->placeInHand(main, espacement, DisplayGLHumanCarte::CARTES_PAR_MAIN - n, i);
            ++i;
        }
    }
}

// ------------------------------------------------------------------- seats

int DisplayGLScene::positionAffichage(int siege, int siegeBas, bool miroir)
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return -1;
    const int bas = (siegeBas >= 0 && siegeBas < NOMBRE_SIEGES) ? siegeBas : 0;
    const int p = (siege - bas + NOMBRE_SIEGES) % NOMBRE_SIEGES;
    if (miroir && (p == 1 || p == 3))
        return 4 - p;
    return p;
}

int DisplayGLScene::positionAffichage(int siege) const
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return -1;
    return positionAffichage(siege, siegeBas_, sieges_[static_cast<size_t>(siege)].miroir != 0);
}

int DisplayGLScene::delaiDistribution(int tour, int siege)
{
    if (tour < 0 || siege < 0)
        return 0;
    return (tour / TOURS_PAR_PAQUET) * PAS_PAQUET_MS + (tour % TOURS_PAR_PAQUET) * PAS_CARTE_MS + siege * PAS_SIEGE_MS;
}

void DisplayGLScene::setJoueur(int siege, Joueur* joueur, QSharedPointer<DisplayGLPanelDeJoueur> panneau)
{
    if (siege < 0 || siege >= NOMBRE_SIEGES) {
        qWarning().noquote() << "DisplayGLScene::setJoueur: no seat" << siege;
        return;
    }
    Siege& s = sieges_[static_cast<size_t>(siege)];
    if (!joueur) {
        s = Siege();
        return;
    }
    if (automatique_)
        return;
    s.joueur = joueur;
    s.numero = siege;
    s.utilisePanneau = joueur->estJoueurManuel() ? 1 : 0;
    s.miroir = miroir_ ? 1 : 0;
    s.panneau = std::move(panneau);
    const bool enAttente = joueur->modeJeu_ == Joueur::ModeEnAttenteDEntree && joueur->options_.distant_ == 0;
    if (s.utilisePanneau || enAttente || siege == joueurLocal_)
        siegeBas_ = siege;
    if (siege == joueurLocal_) {
        if (auto* humain = dynamic_cast<JoueurHumain*>(joueur))
            humain->demandePanneau_ = true;
    }
    disposeMains_();
    if (const QSharedPointer<Partie> jeu = partie())
        redessineCartes(jeu->atoutEnCours_);
    rafraichitCouche();
}

void DisplayGLScene::setFacteurDurees(double facteur)
{
    facteurDurees_ = std::isfinite(facteur) && facteur > 0.0 ? std::min(facteur, 1.0) : 1.0;
    appliqueDurees_();
}

void DisplayGLScene::appliqueDurees_()
{
    for (auto& objet : objetsCartes_)
        if (objet)
            objet->setDureeMouvement(arrondi(GL_ObjectCube::DUREE_MOUVEMENT_MS * facteurDurees_));
    for (GL_ObjectSquare* carre : {bulles_[0].get(), bulles_[1].get(), bulles_[2].get(), bulles_[3].get(),
                                   notification_.get()})
        if (carre)
            carre->setDureeAnimation(arrondi(GL_ObjectSquare::DUREE_ANIMATION_MS * facteurDurees_));
}

void DisplayGLScene::setModeVue(int mode)
{
    modeVue_ = mode;
}

GL_ObjectCube* DisplayGLScene::objetCarte(int index) const
{
    if (index < 0 || index >= DisplayGLJeuDeCartes::NOMBRE_CARTES)
        return nullptr;
    return objetsCartes_[static_cast<size_t>(index)].get();
}

GL_ObjectCube* DisplayGLScene::carteSurTable(int position) const
{
    if (position < 0 || position >= NOMBRE_SIEGES)
        return nullptr;
    return cartesSurTable_[static_cast<size_t>(position)];
}

bool DisplayGLScene::isExposee(int index) const
{
    return index >= 0 && index < DisplayGLJeuDeCartes::NOMBRE_CARTES && exposees_[static_cast<size_t>(index)];
}

int DisplayGLScene::faceAutres_() const
{
    return modeVue_ == MODE_VUE_TOUT_VISIBLE ? GL_ObjectCube::Front : GL_ObjectCube::Back;
}

bool DisplayGLScene::estMainVisible_(int siege) const
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return false;
    return siege == siegeBas_ || sieges_[static_cast<size_t>(siege)].utilisePanneau != 0;
}

void DisplayGLScene::cacheBulles_(bool anime)
{
    for (auto& bulle : bulles_)
        if (bulle)
            bulle->setShown(false, anime);
}

void DisplayGLScene::videTable_()
{
    for (GL_ObjectCube*& cube : cartesSurTable_) {
        if (cube && cube != carteRetournee_)
            cube->hide();
        cube = nullptr;
    }
}

void DisplayGLScene::nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes)
{
    objectifDonne_ = objectif;
    donnesRestantes_ = donnesRestantes;
    if (automatique_)
        return;
    if (!fondConstruit_)
        construitFond_();
    videTable_();
    const bool sansAnimation = modeVue_ == MODE_VUE_SANS_ANIMATION;
    if (navigationAnnuler_ || sansAnimation) {
        animationFond_->stop();
        setZBackground(DISTANCE_CAMERA_TABLE);
    } else if (zBackground() > DISTANCE_CAMERA_TABLE) {
        animationFond_->stop();
        animationFond_->setDuration(std::max(1, arrondi(DUREE_FOND_MS * facteurDurees_)));
        animationFond_->start();
    }
    disposeMains_();
    const int tours = std::clamp(cartesParJoueur, 0, DisplayGLHumanCarte::CARTES_PAR_MAIN);
    std::array<int, NOMBRE_SIEGES> prises{};
    std::array<std::vector<Carte*>, NOMBRE_SIEGES> mains;
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (siege.joueur && siege.numero >= 0)
            for (Carte* carte : siege.joueur->main_)
                if (carte)
                    mains[static_cast<size_t>(j)].push_back(carte);
    }
    for (int tour = 0; tour < tours; ++tour) {
        for (int j = 0; j < NOMBRE_SIEGES; ++j) {
            auto& main = mains[static_cast<size_t>(j)];
            int& prise = prises[static_cast<size_t>(j)];
            if (prise >= static_cast<int>(main.size()))
                continue;
            Carte* carte = main[static_cast<size_t>(prise++)];
            const int index = carte->getIndex();
            const int delai = arrondi(delaiDistribution(tour, j) * facteurDurees_);
            GL_ObjectCube* cube = objetCarte(index);
            DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(index);
            const bool retournee = cube && cube == carteRetournee_;
            // A card still flying to a pile would hide itself on arrival,
            // after the deal showed it.
            if (cube && !retournee)
                cube->stopAnimation();
            // The turned card stays face up through the deal.
            if (cube && !retournee) {
                cube->setFace(faceAutres_());
                if (index >= 0 && index < DisplayGLJeuDeCartes::NOMBRE_CARTES)
                    exposees_[static_cast<size_t>(index)] = false;
            }
            if (!estMainVisible_(j)) {
                if (sprite)
                    sprite->setState(DisplayGLHumanCarte::Cachee, false, 0);
                if (cube && !retournee) {
                    cube->setPlacement(DisplayGLPaintA::placementMain(positionAffichage(j), prise - 1));
                    if (sansAnimation)
                        cube->show();
                    else
                        cube->showAfter(delai);
                }
            } else {
                if (cube && !retournee)
                    cube->hide();
                if (sprite)
                    sprite->setState(DisplayGLHumanCarte::EnMain, !sansAnimation, sansAnimation ? 0 : delai);
            }
        }
    }
    showSeasonalArt(QDate::currentDate());
    rafraichitCouche();
}

void DisplayGLScene::afficheCartesDistribuees(Carte* carteRetournee)
{
    if (automatique_)
        return;
    if (!fondConstruit_)
        construitFond_();
    if (!carteRetournee) {
        carteRetournee_ = nullptr;
        rafraichitCouche();
        return;
    }
    GL_ObjectCube* cube = objetCarte(carteRetournee->getIndex());
    if (!cube)
        return;
    carteRetournee_ = cube;
    cube->stopAnimation();
    cube->show();
    cube->setPlacement(DisplayGLPaintA::TurnedCard);
    cube->moveStep(DisplayGLPaintA::TurnedCard);
    if (cube->getFace() != GL_ObjectCube::Front)
        cube->setFace(GL_ObjectCube::Front);
    rafraichitCouche();
}

void DisplayGLScene::afficheCarteJouee(int siege, Carte* carte)
{
    if (automatique_ || !carte)
        return;
    const int p = positionAffichage(siege);
    GL_ObjectCube* cube = objetCarte(carte->getIndex());
    if (p < 0 || !cube)
        return;
    const bool anime = modeVue_ != MODE_VUE_SANS_ANIMATION;
    const QSharedPointer<Partie> jeu = partie();
    if (jeu && jeu->cartesJoueesValides_.estVide())
        cacheBulles_(anime);
    if (cube == carteRetournee_)
        carteRetournee_ = nullptr;
    // The table tells the end of a trick only where announcements are
    // settled: a trick still lying there when its winner leads the next one
    // goes to that seat's pile now.
    if (cartesSurTable_[static_cast<size_t>(p)])
        ramassePli_(siege, {});
    cartesSurTable_[static_cast<size_t>(p)] = cube;
    cube->setFace(GL_ObjectCube::Front);
    cube->show();
    cube->setPlacement(DisplayGLPaintA::TrickPlace + p);
    cube->moveStep(DisplayGLPaintA::TableEdge + p);
    if (anime) {
        if (DisplayGLPaintA* m = moteur()) {
            const QVector3D but = m->placePosition(cube->getFrontId(), DisplayGLPaintA::TrickPlace + p);
            cube->moveTo(but.x(), but.y(), but.z(), false);
        }
    }
    if (bullesPendantes_[static_cast<size_t>(p)])
        if (GL_ObjectSquare* objet = bulle(p))
            objet->setShown(true, anime);
    if (DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(carte->getIndex()))
        sprite->setState(DisplayGLHumanCarte::Cachee, false, 0);
    rafraichitCouche();
}

void DisplayGLScene::afficheCartesAnnonces(int inutilise, int gagnant,
                                           const std::array<AnnoncesJoueur, 4>& annonces)
{
    Q_UNUSED(inutilise)
    if (automatique_)
        return;
    ramassePli_(gagnant, annonces);
    rafraichitCouche();
}

void DisplayGLScene::ramassePli_(int gagnant, const std::array<AnnoncesJoueur, 4>& annonces)
{
    const int pile = positionAffichage(gagnant);
    const bool anime = modeVue_ != MODE_VUE_SANS_ANIMATION;
    for (int p = 0; p < NOMBRE_SIEGES; ++p) {
        GL_ObjectCube* cube = cartesSurTable_[static_cast<size_t>(p)];
        if (!cube)
            continue;
        int index = -1;
        for (size_t i = 0; i < objetsCartes_.size(); ++i)
            if (objetsCartes_[i].get() == cube)
                index = static_cast<int>(i);
        const Carte* carte = jeuDeCartes_.getCarte(index) ? jeuDeCartes_.getCarte(index)->getCarte() : nullptr;
        bool annoncee = false;
        for (const AnnoncesJoueur& a : annonces)
            annoncee = annoncee || (carte && a.contientCarte(carte));
        // An announced card stays to be seen.
        if (annoncee)
            continue;
        // Out of the trick first: showing or moving a card may paint the
        // layer at once, which would put it back at its trick place.
        cartesSurTable_[static_cast<size_t>(p)] = nullptr;
        if (!anime || pile < 0) {
            cube->hide();
        } else if (DisplayGLPaintA* m = moteur()) {
            const QVector3D but = m->placePosition(cube->getFrontId(), DisplayGLPaintA::Pile + pile);
            cube->setPlacement(DisplayGLPaintA::Pile + pile);
            cube->moveTo(but.x(), but.y(), but.z(), true);
        } else {
            cube->hide();
        }
    }
    bullesPendantes_.fill(false);
    cacheBulles_(anime);
    if (dernierEtat_ >= PREMIER_ETAT_ANNONCES_VUES && dernierEtat_ <= DERNIER_ETAT_ANNONCES_VUES) {
        for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
            GL_ObjectCube* cube = objetCarte(i);
            if (!exposees_[static_cast<size_t>(i)] || !cube
                || std::find(cartesSurTable_.begin(), cartesSurTable_.end(), cube) != cartesSurTable_.end())
                continue;
            exposees_[static_cast<size_t>(i)] = false;
            cube->setFace(faceAutres_());
        }
    }
}

void DisplayGLScene::effaceBulles(int inutilise, const AnnoncesJoueur& annonces)
{
    Q_UNUSED(inutilise)
    if (automatique_)
        return;
    cacheBulles_(modeVue_ != MODE_VUE_SANS_ANIMATION);
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
        DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(i);
        const Carte* carte = sprite ? sprite->getCarte() : nullptr;
        if (!carte || !annonces.contientCarte(carte))
            continue;
        exposees_[static_cast<size_t>(i)] = true;
        if (GL_ObjectCube* cube = objetCarte(i))
            cube->setFace(GL_ObjectCube::Front);
    }
    rafraichitCouche();
}

// ------------------------------------------------------------------ plates

QString DisplayGLScene::textePlaque(const QString& nom, bool aChoisi, bool commence, int contrat, int typeContrat,
                                    int objectif)
{
    if (!aChoisi)
        return nom;
    const QString texte = QStringLiteral(" %1").arg(nom);
    if (contrat == TypeDePartie::ContratChibre)
        return commence ? texte : QStringLiteral("² %1").arg(nom);
    if (contrat != TypeDePartie::ContratCoinche && contrat != TypeDePartie::ContratContre)
        return texte;
    const bool coinche = contrat == TypeDePartie::ContratCoinche;
    switch (typeContrat) {
    case ZB_StatusMise::Simple:
        return texte + QStringLiteral(", Mise %1").arg(objectif);
    case ZB_StatusMise::Contre:
        return texte + (coinche ? QStringLiteral(", Coinchée %1") : QStringLiteral(", Contrée %1")).arg(objectif);
    case ZB_StatusMise::Surcontre:
        return texte
            + (coinche ? QStringLiteral(", Surcoinchée %1") : QStringLiteral(", Surcontrée %1")).arg(objectif);
    case ZB_StatusMise::Capot:
        return texte + QStringLiteral(", Capot");
    case ZB_StatusMise::CapotContre:
        return texte + (coinche ? QStringLiteral(", Capot Coinché") : QStringLiteral(", Capot Contré"));
    case ZB_StatusMise::CapotSurcontre:
        return texte + (coinche ? QStringLiteral(", Capot Surcoinché") : QStringLiteral(", Capot Surcontré"));
    default:
        return texte;
    }
}

void DisplayGLScene::redessineCartes(int atout)
{
    if (automatique_ || !tapis_ || navigationAnnuler_)
        return;
    QImage image = tapis_->getImage();
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    const QSharedPointer<Partie> jeu = partie();
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont police = font();
    police.setPixelSize(std::max(1, arrondi(PART_POLICE_PLAQUE * h)));
    const QString dossier = jeuDeCartes_.cheminDuJeu();
    const bool atoutValide = atout > 0 && atout < TypeDePartie::NOMBRE_MODES;
    const QImage signe = atoutValide && !dossier.isEmpty()
        ? QImage(dossier + QString::number(atout) + QStringLiteral("_btn.png"))
              .scaled(COTE_SIGNE_ATOUT, COTE_SIGNE_ATOUT, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        : QImage();
    if (!signe.isNull()) {
        const QPointF coin((w - signe.width()) / 2.0, (h - signe.height()) / 2.0);
        peintre.drawImage(coin, signe);
        if (jeu && jeu->multiplicateur_ != 1) {
            peintre.setFont(police);
            peintre.setPen(schemaCouleurs_ == SCHEMA_SOMBRE ? QColor(Qt::white) : QColor(Qt::black));
            peintre.drawText(QRectF(coin.x() + signe.width(), coin.y(), LARGEUR_MULTIPLICATEUR, signe.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("x%1").arg(jeu->multiplicateur_));
        }
    }
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0)
            continue;
        const int p = positionAffichage(j);
        const bool aChoisi = jeu && atoutValide && jeu->joueurQuiAChoisiAtout_ == j;
        const int objectif = jeu && jeu->getPoints() ? jeu->getPoints()->objectifMise_ : 0;
        const QString texte = textePlaque(siege.joueur->options_.getNomAffiche(), aChoisi,
                                          jeu && jeu->joueurQuiACommence_ == j,
                                          jeu ? jeu->typeDePartie_.contrat_ : 0,
                                          jeu ? jeu->mise_.typeContrat_ : 0, objectif);
        peintre.save();
        switch (p) {
        case 0:
            peintre.translate(arrondi(w / 2.0 - LARGEUR_PLAQUE / 2.0), arrondi(h - RETRAIT_PLAQUE_LOIN));
            break;
        case 1:
            peintre.translate(arrondi(w - RETRAIT_PLAQUE_LOIN), arrondi(h / 2.0 + LARGEUR_PLAQUE / 2.0));
            peintre.rotate(-90.0);
            break;
        case 2:
            peintre.translate(arrondi(w / 2.0 - LARGEUR_PLAQUE / 2.0), RETRAIT_PLAQUE_PRES);
            break;
        default:
            peintre.translate(RETRAIT_PLAQUE_PRES, arrondi(h / 2.0 + LARGEUR_PLAQUE / 2.0));
            peintre.rotate(-90.0);
            break;
        }
        QFont policePlaque = police;
        const int mode = siege.joueur->modeJeu_;
        policePlaque.setStrikeOut(mode == Joueur::ModeOrdinateurAbsent || mode == Joueur::ModeRemplacant
                                  || mode == Joueur::ModeEnAttenteDEntree || mode == Joueur::ModeHorsLigne);
        peintre.setFont(policePlaque);
        peintre.setPen(schemaCouleurs_ == SCHEMA_SOMBRE ? QColor(Qt::white) : QColor(Qt::black));
        const QRectF boite(0.0, 0.0, LARGEUR_PLAQUE, HAUTEUR_PLAQUE);
        peintre.drawText(boite, Qt::AlignCenter, texte);
        if (aChoisi && !signe.isNull()) {
            const double largeurTexte = QFontMetricsF(policePlaque).horizontalAdvance(texte);
            peintre.drawImage(QPointF(boite.center().x() - largeurTexte / 2.0 - signe.width(),
                                      boite.center().y() - signe.height() / 2.0),
                              signe);
        }
        peintre.restore();
    }
    peintre.end();
    imageTapis_ = image;
    tapis_->setObjectImage(image);
    rafraichitCouche();
}

void DisplayGLScene::appliqueCouleurs(int schema, const QPalette& palette)
{
    schemaCouleurs_ = schema;
    if (dialogueReglages_ && dialogueReglages_->isOpen())
        dialogueReglages_->collapse();
    couleurFond_ = palette.color(QPalette::Window);
    setBackgroundBrush(couleurFond_);
    if (!automatique_) {
        DisplayGLPaintA* m = moteur();
        if (m)
            m->makeCurrent();
        if (!fondConstruit_)
            construitFond_();
        for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get()})
            if (carre)
                carre->reloadTheme(options_.appStyle_);
        for (int p = 0; p < NOMBRE_SIEGES; ++p)
            if (GL_ObjectSquare* objet = bulle(p)) {
                objet->reloadTheme(options_.appStyle_);
                if (!textesBulles_[static_cast<size_t>(p)].isEmpty())
                    dessineBulle_(p);
            }
        if (m)
            m->doneCurrent();
    }
    // The status lines: a fill between the lightened window colour and red,
    // outlined in the darkened window colour.
    const QColor clair = couleurFond_.lighter(ECLAIRCI_LIGNES);
    const QColor rouge(Qt::red);
    const auto melange = [](int a, int b) { return arrondi(PART_FOND_LIGNES * a + (1.0 - PART_FOND_LIGNES) * b); };
    const QColor remplissage(melange(clair.red(), rouge.red()), melange(clair.green(), rouge.green()),
                             melange(clair.blue(), rouge.blue()));
    QPen contour(couleurFond_.darker(ASSOMBRI_LIGNES));
    contour.setWidthF(1.0 / (ratioPixels_ > 0.0 ? ratioPixels_ : 1.0));
    for (QGraphicsSimpleTextItem* ligne : lignes_) {
        ligne->setBrush(remplissage);
        ligne->setPen(contour);
    }
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
}

// ---------------------------------------------------------- seasonal art

int DisplayGLScene::showSeasonalArt(const QDate& jour)
{
    static const char* const IMAGES[] = {":/images/flocon1.png", ":/images/flower1.png", ":/images/sun1.png",
                                         ":/images/leaf1.png"};
    static const int DIRECTIONS[] = {0, 2, 3, 1};
    if (automatique_ || !jour.isValid())
        return -1;
    for (int saison = 0; saison < static_cast<int>(options_.saisons_.size()); ++saison) {
        const OptionsAffichage::Periode& periode = options_.saisons_[static_cast<size_t>(saison)];
        if (!periode.actif || !isDateInSeason(jour, periode.debut, periode.fin))
            continue;
        spawnSeasonal(QPixmap(QString::fromLatin1(IMAGES[saison])), DIRECTIONS[saison]);
        return saison;
    }
    return -1;
}

int DisplayGLScene::spawnSeasonal(const QPixmap& image, int direction)
{
    const QRectF zone = zoneTable();
    const double w = zone.width();
    const double h = zone.height();
    const int pasX = arrondi(w / DIVISEUR_ECART_SAISON);
    const int hauteurDepart = arrondi(h * PART_HAUTEUR_SAISON);
    // A table too small for a picture's column or fall shows none rather
    // than taking a remainder by zero.
    if (image.isNull() || image.width() <= 0 || pasX <= 0 || hauteurDepart <= 0 || !std::isfinite(w)
        || !std::isfinite(h))
        return 0;
    const double d = ratioPixels_ > 0.0 && std::isfinite(ratioPixels_) ? ratioPixels_ : 1.0;
    const double f = std::min(1.0, (w / COLONNES_SAISON_LARGEUR) / image.width());
    QPixmap petite = image.scaled(std::max(1, arrondi(image.width() * f * d)),
                                  std::max(1, arrondi(image.height() * f * d)), Qt::KeepAspectRatio,
                                  Qt::SmoothTransformation);
    petite.setDevicePixelRatio(d);
    QRandomGenerator* hasard = QRandomGenerator::global();
    int colonne = 0;
    int lances = 0;
    for (auto& anim : animsImage_) {
        const QPointF depart(colonne * (w * PART_COLONNE_SAISON) + hasard->bounded(pasX),
                             -static_cast<double>(hasard->bounded(hauteurDepart)));
        anim->startFall(direction, depart, petite, zone, decalageTable_, hasard->bounded(DELAI_SAISON_MAX_MS));
        colonne = (colonne + 1) % COLONNES_SAISON;
        ++lances;
    }
    return lances;
}

// ----------------------------------------------------------------- notices

QString DisplayGLScene::texteChibre(const Joueur* choisisseur, const Joueur* partenaire)
{
    if (!choisisseur || !partenaire)
        return QStringLiteral("Patientez...");
    const bool local = choisisseur->options_.ordinateur_ == 0 && choisisseur->options_.distant_ == 0
                       && choisisseur->modeJeu_ != Joueur::ModeEnAttenteDEntree;
    if (local)
        return QStringLiteral("Vous avez chibré. %1 choisit l'atout...").arg(partenaire->options_.getNomAffiche());
    return QStringLiteral("%1 a chibré. %2 choisit l'atout...")
        .arg(choisisseur->options_.getNomAffiche(), partenaire->options_.getNomAffiche());
}

void DisplayGLScene::afficheChibre(const Joueur* choisisseur, const Joueur* partenaire)
{
    setLignesArdoise(largeurTable_, decalageTable_, texteChibre(choisisseur, partenaire));
}

void DisplayGLScene::afficheRedistribution()
{
    if (automatique_)
        return;
    prochainScore()->startBanner(QStringLiteral("Redistribution"), zoneTable(), decalageTable_, 0);
    cacheBulles_(modeVue_ != MODE_VUE_SANS_ANIMATION);
    if (boutonAide_)
        boutonAide_->setEnabled(true);
}

void DisplayGLScene::setPanneauDroitVisible(bool visible)
{
    panneauDroitVisible_ = visible;
    if (!visible) {
        rafraichitCouche();
        update();
        return;
    }
    stopAnimationsAndCloseDialogs();
    fermeDialogues();
    // The widget engine keeps what it drew last as items of the scene: they
    // leave until the table shows again.
    if (DisplayGLPaintA* m = moteur()) {
        for (auto& objet : objetsCartes_)
            if (objet) {
                m->hideObject(objet->getFrontId());
                m->hideObject(objet->getBackId());
            }
        for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get(),
                                       bulles_[0].get(), bulles_[1].get(), bulles_[2].get(), bulles_[3].get()})
            if (carre)
                m->hideObject(carre->getId());
    }
}

// ----------------------------------------------------------------- bubbles

GL_ObjectSquare* DisplayGLScene::bulle(int position) const
{
    if (position < 0 || position >= NOMBRE_SIEGES)
        return nullptr;
    return bulles_[static_cast<size_t>(position)].get();
}

QString DisplayGLScene::texteBulle(int position) const
{
    if (position < 0 || position >= NOMBRE_SIEGES)
        return QString();
    return textesBulles_[static_cast<size_t>(position)];
}

bool DisplayGLScene::isBullePendante(int position) const
{
    return position >= 0 && position < NOMBRE_SIEGES && bullesPendantes_[static_cast<size_t>(position)];
}

QString DisplayGLScene::texteBulleMise(const ZB_StatusMise& mise, int variante, int style,
                                       const QString& texteCourant, bool* effaceRetournee)
{
    if (effaceRetournee)
        *effaceRetournee = false;
    if (!mise.miseFaite_)
        return QStringLiteral("Je passe");
    const QString mot = variante == VARIANTE_COINCHE ? QStringLiteral("Coinchée") : QStringLiteral("Contrée");
    switch (mise.typeContrat_) {
    case ZB_StatusMise::PasEncoreDeMise:
    case ZB_StatusMise::Simple:
    case ZB_StatusMise::PrendCouleurRetournee:
        if (variante == 0 || variante == VARIANTE_COINCHE || variante == VARIANTE_CONTREE)
            return QStringLiteral("%1 %2").arg(mise.pointsMise_).arg(getNomAtout(mise.atoutMise_, style));
        if (mise.tourMise_ < TOURS_PRISE_RETOURNEE) {
            if (effaceRetournee)
                *effaceRetournee = true;
            return QStringLiteral("Je prends");
        }
        return getNomAtout(mise.atoutMise_, style);
    case ZB_StatusMise::Contre:
    case ZB_StatusMise::CapotContre:
        return mot;
    case ZB_StatusMise::Surcontre:
    case ZB_StatusMise::CapotSurcontre:
        return QStringLiteral("Sur") + mot.toLower();
    case ZB_StatusMise::Capot:
        return QStringLiteral("Capot en %1").arg(getNomAtout(mise.atoutMise_, style));
    case ZB_StatusMise::DonneurForce:
        return QStringLiteral("Meuh!");
    default:
        return texteCourant;
    }
}

void DisplayGLScene::dessineBulle_(int position)
{
    GL_ObjectSquare* objet = bulle(position);
    if (!objet)
        return;
    QImage image = objet->getImage();
    if (image.isNull())
        return;
    const QString texte = textesBulles_[static_cast<size_t>(position)];
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    QFont police = font();
    const QRectF boite(image.width() * MARGE_TEXTE_BULLE, image.height() * MARGE_TEXTE_BULLE,
                       image.width() * (1.0 - 2.0 * MARGE_TEXTE_BULLE),
                       image.height() * (1.0 - 2.0 * MARGE_TEXTE_BULLE - PART_POINTE_BULLE));
    int taille = std::max(1, arrondi(PART_POLICE_BULLE * image.width()));
    // Long texts shrink until they fit the bubble's width.
    for (; taille > 1; --taille) {
        police.setPixelSize(taille);
        if (QFontMetricsF(police).horizontalAdvance(texte) <= boite.width())
            break;
    }
    police.setPixelSize(taille);
    police.setBold(true);
    peintre.setFont(police);
    peintre.setPen(Qt::black);
    peintre.drawText(boite, Qt::AlignCenter, texte);
    peintre.end();
    objet->setObjectImage(image);
}

void DisplayGLScene::afficheBulleJoueur(int siege, const AnnoncesJoueur& annonces)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    const bool pendante = annonces.actif_ != 0 && annonces.getTotalPoints() > 0;
    bullesPendantes_[static_cast<size_t>(p)] = pendante;
    if (!pendante)
        return;
    if (GL_ObjectSquare* objet = bulle(p))
        objet->setShown(false, false);
    textesBulles_[static_cast<size_t>(p)] = annonces.annonces_[0].getNom();
    dessineBulle_(p);
}

void DisplayGLScene::afficheBulleMise(int siege, const ZB_StatusMise& mise, int variante)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    const bool anime = modeVue_ != MODE_VUE_SANS_ANIMATION && mise.typeContrat_ != 0;
    const int suivante = (p + 1) % NOMBRE_SIEGES;
    if (!(suivante == positionDernierMiseur_ && !mise.miseFaite_))
        if (GL_ObjectSquare* objet = bulle(suivante))
            objet->setShown(false, anime);
    GL_ObjectSquare* objet = bulle(p);
    if (mise.typeContrat_ == 0) {
        if (objet)
            objet->setShown(false, false);
        statusMise_ = mise;
        if (m)
            m->doneCurrent();
        return;
    }
    if (objet)
        objet->setShown(true, anime);
    if (mise.miseFaite_)
        positionDernierMiseur_ = p;
    bool effaceRetournee = false;
    QString& texte = textesBulles_[static_cast<size_t>(p)];
    texte = texteBulleMise(mise, variante, jeuDeCartes_.getStyle(), texte, &effaceRetournee);
    if (effaceRetournee && !anime)
        carteRetournee_ = nullptr;
    if (carteRetournee_) {
        GL_ObjectCube* cube = carteRetournee_;
        if (!anime || !m) {
            cube->setPlacement(DisplayGLPaintA::Pile + p);
            cube->moveStep(DisplayGLPaintA::Pile + p);
        } else {
            const QVector3D but = m->placePosition(cube->getFrontId(), DisplayGLPaintA::Pile + p);
            cube->setPlacement(DisplayGLPaintA::Pile + p);
            cube->moveTo(but.x(), but.y(), but.z(), false);
        }
    }
    dessineBulle_(p);
    statusMise_ = mise;
    if (m)
        m->doneCurrent();
    rafraichitCouche();
}

void DisplayGLScene::afficheBulleAnnonce(int siege)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    if (GL_ObjectSquare* objet = bulle(p))
        objet->setShown(true, modeVue_ != MODE_VUE_SANS_ANIMATION);
    const QSharedPointer<Partie> jeu = partie();
    const int jouees = jeu ? static_cast<int>(jeu->cartesJoueesValides_.getNombreDeCartes()) : 0;
    QString& texte = textesBulles_[static_cast<size_t>(p)];
    if (jouees < NOMBRE_SIEGES && bullesPendantes_[static_cast<size_t>(p)] && !texte.isEmpty())
        texte += QStringLiteral(" et ") + QStringLiteral("Belote");
    else
        texte = QStringLiteral("Belote");
    dessineBulle_(p);
    if (m)
        m->doneCurrent();
    rafraichitCouche();
}

void DisplayGLScene::finDeDonne()
{
    if (boutonArriere_)
        proxyArriere_->hide();
    if (boutonAvant_)
        proxyAvant_->hide();
    for (GL_ObjectCube*& cube : cartesSurTable_) {
        if (cube)
            cube->hide();
        cube = nullptr;
    }
    carteRetournee_ = nullptr;
    statusMise_ = ZB_StatusMise();
    siegeBas_ = 0;
    for (Siege& siege : sieges_)
        siege = Siege();
    for (auto& objet : bulles_)
        if (objet)
            objet->setShown(false, false);
    bullesPendantes_.fill(false);
    for (QString& texte : textesBulles_)
        texte.clear();
    positionDernierMiseur_ = -1;
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
        if (GL_ObjectCube* cube = objetCarte(i)) {
            cube->stopAnimation();
            cube->hide();
            cube->setFace(faceAutres_());
        }
        exposees_[static_cast<size_t>(i)] = false;
        if (DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(i))
            sprite->setState(DisplayGLHumanCarte::Cachee, false, 0);
    }
    redessineCartes(0);
    navigationAnnuler_ = false;
    rafraichitCouche();
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
    for (auto& bulle : bulles_)
        if (bulle)
            bulle->reloadTheme(theme);
    buildCardObjects();
    // The cloth's picture came back bare.
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
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
    fond_ = carre(TAILLE_FOND, TAILLE_FOND, "background.png", DisplayGLPaintA::Background);
    tapis_ = carre(TAILLE_TAPIS, TAILLE_TAPIS, "tapis.png", DisplayGLPaintA::Cloth);
    ardoise_ = carre(LARGEUR_ARDOISE, HAUTEUR_ARDOISE, "ardoise.png", DisplayGLPaintA::Slate);
    for (int i = 0; i < NOMBRE_SIEGES; ++i) {
        bulles_[static_cast<size_t>(i)] =
            carre(LARGEUR_BULLE, HAUTEUR_BULLE, "cartoon_bulle.png", DisplayGLPaintA::SeatBubble + i);
        bulles_[static_cast<size_t>(i)]->setShown(false, false);
    }
    notification_ = carre(LARGEUR_BULLE, HAUTEUR_BULLE, "network_bulle.png", DisplayGLPaintA::NotificationBubble);
    notification_->setShown(false, false);
    appliqueDurees_();
    redessineCartes(0);
    disposeMains_();
}

void DisplayGLScene::buildCardObjects()
{
    if (automatique_ || !holder_)
        return;
    const int style = jeuDeCartes_.getStyle();
    const QImage dos = puissanceDeDeux(QImage(DisplayGLJeuDeCartes::cheminDuJeu(style) + QStringLiteral("back.png")));
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
        DisplayGLHumanCarte* carte = jeuDeCartes_.getCarte(i);
        if (!carte)
            continue;
        const QImage face = puissanceDeDeux(carte->getNormalPicture().toImage());
        auto& objet = objetsCartes_[static_cast<size_t>(i)];
        if (objet) {
            objet->setPictures(qMakePair(face, dos));
            continue;
        }
        const Carte* c = carte->getCarte();
        const QString nom = c ? QStringLiteral("%1 de %2")
                                    .arg(getNomValeur(c->getValeur(), style), getNomAtout(c->getCouleur(), style))
                              : QString::number(i);
        objet = std::make_unique<GL_ObjectCube>(holder_, LARGEUR_CARTE_TABLE, HAUTEUR_CARTE_TABLE,
                                                qMakePair(face, dos), nom);
        objet->setDureeMouvement(arrondi(GL_ObjectCube::DUREE_MOUVEMENT_MS * facteurDurees_));
        objet->hide();
    }
}

void DisplayGLScene::paintGLLayer()
{
    DisplayGLPaintA* m = moteur();
    if (!m || !fondConstruit_)
        return;
    const double r = ratioPixels_ > 0.0 ? ratioPixels_ : 1.0;
    const double largeur = largeurTable_ * r;
    const double hauteur = hauteurTable_ * r;
    const double cote = std::max(largeur, hauteur);
    m->setViewport(arrondi((largeur - cote) / 2.0), arrondi((hauteur - cote) / 2.0), arrondi(cote), arrondi(cote));
    if (panneauDroitVisible_)
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    const double echelle = echelleTable(largeurTable_, hauteurTable_);
    if (p[DisplayGLPaintA::ViewParameters::Echelle] != echelle) {
        p[DisplayGLPaintA::ViewParameters::Echelle] = echelle;
        m->setViewParameters(p);
    }
    m->beginFrame(couleurFond_);
    const DisplayGLPaintA::TransformRecord neutre;
    for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get()})
        if (carre)
            carre->draw(neutre);
    std::array<bool, DisplayGLJeuDeCartes::NOMBRE_CARTES> dessinees{};
    auto dessineCarte = [&](GL_ObjectCube* cube, int placement) {
        if (!cube)
            return;
        cube->setPlacement(placement);
        cube->draw(neutre);
        for (size_t i = 0; i < objetsCartes_.size(); ++i)
            if (objetsCartes_[i].get() == cube)
                dessinees[i] = true;
    };
    for (int position = 0; position < NOMBRE_SIEGES; ++position)
        dessineCarte(cartesSurTable_[static_cast<size_t>(position)], DisplayGLPaintA::TrickPlace + position);
    dessineCarte(carteRetournee_, DisplayGLPaintA::TurnedCard);
    // The hands nobody at this screen plays: their cards wherever the deal
    // put them, face as the deal chose.
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0 || estMainVisible_(j))
            continue;
        const int p = positionAffichage(j);
        int i = 0;
        for (Carte* carte : siege.joueur->main_) {
            GL_ObjectCube* cube = carte ? objetCarte(carte->getIndex()) : nullptr;
            // A card already played (still in a hand the table has not
            // updated yet) keeps its trick or pile place.
            const bool enMain = cube && cube->getPlacement() >= DisplayGLPaintA::Hand
                                && cube->getPlacement() < DisplayGLPaintA::SeatBubble;
            if (enMain && cube != carteRetournee_ && i < DisplayGLPaintA::PLACES_PAR_MAIN && cube->isShown())
                dessineCarte(cube, DisplayGLPaintA::placementMain(p, i));
            ++i;
        }
    }
    for (int i = 0; i < NOMBRE_SIEGES; ++i)
        if (sieges_[static_cast<size_t>(i)].numero >= 0)
            if (GL_ObjectSquare* objet = bulle(positionAffichage(i)))
                objet->draw(neutre);
    m->endFrame();
    // The widget engine keeps what it drew last: a card out of this frame
    // must leave it.
    for (size_t i = 0; i < objetsCartes_.size(); ++i) {
        if (dessinees[i] || !objetsCartes_[i])
            continue;
        m->hideObject(objetsCartes_[i]->getFrontId());
        m->hideObject(objetsCartes_[i]->getBackId());
    }
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
    for (auto& objet : objetsCartes_)
        if (objet)
            objet->stopAnimation();
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
    timerAide_.stop();
    if (dialogueReglages_)
        dialogueReglages_->collapse();
    if (formulaireDebug_)
        formulaireDebug_->hide();
    if (questionnaireBug_)
        questionnaireBug_->hide();
}

void DisplayGLScene::setCacheModeAll(QGraphicsItem::CacheMode mode)
{
    for (QGraphicsSimpleTextItem* ligne : lignes_)
        ligne->setCacheMode(mode);
    for (QGraphicsItem* item : items())
        item->setCacheMode(mode);
}

void DisplayGLScene::OnChangeDisplayMode()
{
    const bool enCache = lignes_[0]->cacheMode() == QGraphicsItem::DeviceCoordinateCache;
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
    const QString texte = texteArdoise();
    for (QGraphicsSimpleTextItem* ligne : lignes_)
        ligne->setFont(policeArdoise);
    if (!texte.isEmpty())
        setLignesArdoise(largeurTable_, decalageTable_, texte);
    if (boite1_.widget->isVisible()) {
        const QFont policeBoite = scaledFont(CLASSE_POLICE_BOITE);
        boite1_.widget->setFont(policeBoite);
        boite1_.ui->labelMessage->setFont(policeBoite);
        boite1_.ui->labelWiki->setFont(policeBoite);
        boite1_.ui->labelText->setFont(policeBoite);
    }
}

void DisplayGLScene::changeStyleCartes_(int style, bool silencieux)
{
    if (dialogueReglages_ && dialogueReglages_->isOpen())
        dialogueReglages_->collapse();
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

void DisplayGLScene::OnHelpCardHightlight()
{
    // The advised card is tinted once human play is shown on the table.
}

void DisplayGLScene::OnHelpTimeout()
{
    timerAide_.stop();
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

void DisplayGLScene::OnHelpPressed()
{
    // The help box is composed with human play.
}

void DisplayGLScene::OnMouseOver(DisplayGLHumanCarte* carte)
{
    Q_UNUSED(carte);
}

void DisplayGLScene::OnMouseDoubleClicked(DisplayGLHumanCarte* carte)
{
    Q_UNUSED(carte);
}

void DisplayGLScene::OnButtonConnectPressed()
{
    emit signalButtonConnectPressed();
}

void DisplayGLScene::OnChangeCardStyle()
{
    changeStyleCartes_(options_.cardStyle_, false);
}

void DisplayGLScene::OnDebugTest()
{
}

void DisplayGLScene::OnNotifyHide()
{
    if (notification_)
        notification_->setShown(false, true);
}

void DisplayGLScene::OnRamasseAuto()
{
}

void DisplayGLScene::OnRefreshScene()
{
}
