#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayGLWidget.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "GM_MemoireProcessus.h"
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ZB_PointsJass.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QGuiApplication>
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
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// ------------------------------------------------------------------ plates

void DisplayGLScene::setNomJoueurLocal(const OptionsDuJoueur* joueur)
{
    if (joueur ? joueurLocalAffiche_ == *joueur : !joueurLocalAffiche_)
        return;
    if (joueur)
        joueurLocalAffiche_ = *joueur;
    else
        joueurLocalAffiche_.reset();
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
}

void DisplayGLScene::redessineCartes(int atout)
{
    if (automatique_ || !tapis_ || navigationAnnuler_)
        return;
    ScenePlaques::Faits faits;
    faits.atout = atout;
    ScenePlaques::Repere& repere = plaques_.repere();
    repere.atout = atout;
    repere.tapisVu = contourVu_(tapis_.get());
    repere.ardoiseVu = ardoiseVue_();
    repere.couvert = couvertTapis_(repere.tapisVu, repere.ardoiseVu);
    if (!repere.couvert.isEmpty())
        faits.couvert = QPolygonF(repere.couvert);
    if (const QSharedPointer<Partie> jeu = partie()) {
        ScenePlaques::Contrat contrat;
        contrat.multiplicateur = jeu->multiplicateur_;
        contrat.choisisseur = jeu->joueurQuiAChoisiAtout_;
        contrat.premier = jeu->joueurQuiACommence_;
        contrat.regle = jeu->typeDePartie_.contrat_;
        contrat.typeMise = jeu->mise_.typeContrat_;
        // Past the end of its deal the game has let its points record go;
        // the bid it holds names the same amount.
        contrat.objectif = jeu->getPoints() ? jeu->getPoints()->objectifMise_ : jeu->mise_.pointsMise_;
        faits.contrat = contrat;
    }
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0)
            continue;
        ScenePlaques::Plaque& plaque = faits.plaques[static_cast<size_t>(j)];
        plaque.occupee = true;
        plaque.position = positionAffichage(j);
        plaque.nom = nomDuSiege_(j);
        // The second display flag turns the user's plate into a reading of
        // the screen the table is drawn for.
        if (secondDrapeau_ && plaque.nom == QObject::tr("Vous"))
            plaque.nom = texteEcran_();
        plaque.mode = siege.joueur->modeJeu_;
    }
    faits.schema = schemaCouleurs_;
    faits.police = font();
    faits.dossier = jeuDeCartes_.cheminDuJeu();
    faits.enLigne = enLigne_;
    faits.agrandissement = agrandissementTextes();
    if (plaques_.peint(*tapis_, faits))
        rafraichitCouche();
}

QRectF DisplayGLScene::couvertTapis_(const QPolygonF& tapisVu, const QPolygonF& ardoiseVue) const
{
    if (!tapis_)
        return {};
    const QRectF couvert =
        scene_geometrie::couvertDansLImage(tapisVu, QSizeF(tapis_->getImage().size()), ardoiseVue).boundingRect();
    return couvert.isEmpty() ? QRectF()
                             : couvert.adjusted(-MARGE_COUVERT_TAPIS, -MARGE_COUVERT_TAPIS, MARGE_COUVERT_TAPIS,
                                                MARGE_COUVERT_TAPIS);
}

QPolygonF DisplayGLScene::ardoiseVue_() const
{
    return ardoise_ && ardoise_->isShown() ? contourVu_(ardoise_.get()) : QPolygonF();
}

QString DisplayGLScene::texteEcran_() const
{
    const QList<QGraphicsView*> vues = views();
    const QWidget* vue = vues.isEmpty() ? nullptr : vues.first();
    const QScreen* ecran = vue != nullptr && vue->screen() != nullptr ? vue->screen() : QGuiApplication::primaryScreen();
    const double ratio = vue != nullptr ? vue->devicePixelRatioF() : (ecran != nullptr ? ecran->devicePixelRatio() : 1.0);
    const double dpiX = ecran != nullptr ? ecran->logicalDotsPerInchX() : 96.0;
    const double dpiY = ecran != nullptr ? ecran->logicalDotsPerInchY() : 96.0;
    return QStringLiteral("R:%1, X:%2, Y:%3").arg(ratio).arg(dpiX).arg(dpiY);
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
        bulles_.rechargeTheme(options_.appStyle_);
        bulles_.redessine(font());
        if (m)
            m->doneCurrent();
    }
    // The status lines: a fill between the lightened window colour and red,
    // outlined in the darkened window colour.
    const QColor clair = couleurFond_.lighter(ECLAIRCI_LIGNES);
    const QColor rouge(Qt::red);
    const auto melange = [](int a, int b) { return arrondi(PART_FOND_LIGNES * a + (1.0 - PART_FOND_LIGNES) * b); };
    // On a dark backing: the red of the line, lightened where the backing
    // would leave it too dim to read.
    const QColor remplissage =
        couleurLisible(QColor(melange(clair.red(), rouge.red()), melange(clair.green(), rouge.green()),
                              melange(clair.blue(), rouge.blue())),
                       FOND_LIGNES, CONTRASTE_LIGNES);
    QPen contour(couleurFond_.darker(ASSOMBRI_LIGNES));
    contour.setWidthF(1.0 / (ratioPixels_ > 0.0 ? ratioPixels_ : 1.0));
    ardoiseStatut_->setCouleurs(remplissage, contour);
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    redessineArdoiseSeule_();
}

// ---------------------------------------------------------- seasonal art

int DisplayGLScene::showSeasonalArt(const QDate& jour)
{
    if (automatique_ || !jour.isValid())
        return -1;
    for (int saison = 0; saison < static_cast<int>(options_.saisons_.size()); ++saison) {
        const OptionsAffichage::Periode& periode = options_.saisons_[static_cast<size_t>(saison)];
        if (!periode.actif || !isDateInSeason(jour, periode.debut, periode.fin))
            continue;
        const ImageDeSaison& image = IMAGES_SAISONS[saison];
        spawnSeasonal(QPixmap(QString::fromLatin1(image.chemin)), image.direction);
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

void DisplayGLScene::afficheChibre(const Joueur* choisisseur, const Joueur* partenaire)
{
    // The same text as scene_textes::texteChibre, kept as the status so that it follows
    // the help text and a language change.
    if (!choisisseur || !partenaire)
        setStatut_(QT_TR_NOOP("Patientez..."));
    else if (scene_textes::estChoisisseurLocal(*choisisseur))
        setStatut_(QT_TR_NOOP("Vous avez chibré. %1 choisit l'atout..."), {partenaire});
    else
        setStatut_(QT_TR_NOOP("%1 a chibré. %2 choisit l'atout..."),
                   {choisisseur, partenaire});
}

void DisplayGLScene::afficheRedistribution()
{
    if (automatique_)
        return;
    prochainScore()->startBanner(tr("Redistribution"), zoneTable(), decalageTable_, 0);
    bulles_.cache(modeVue_ != MODE_VUE_SANS_ANIMATION);
    if (boutonAide_)
        boutonAide_->setEnabled(true);
    // The cards are dealt again: a deal the user was asked for goes ahead
    // without a click.
    if (DisplayGLPanelDeJoueur* panneau = panneauBas_())
        panneau->executeAttente();
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
        cartesTapis_.retireDuMoteur(*m);
        for (GL_ObjectSquare* carre : {fond_.get(), tapis_.get(), ardoise_.get(), notification_.get(), bulle(0),
                                       bulle(1), bulle(2), bulle(3)})
            if (carre)
                m->hideObject(carre->getId());
    }
}

// ----------------------------------------------------------------- bubbles

GL_ObjectSquare* DisplayGLScene::bulle(int position) const
{
    return bulles_.objet(position);
}

QString DisplayGLScene::texteBulle(int position) const
{
    return bulles_.texte(position);
}

bool DisplayGLScene::isBullePendante(int position) const
{
    return bulles_.isPendante(position);
}

void DisplayGLScene::afficheBulleJoueur(int siege, const AnnoncesJoueur& annonces)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    const bool pendante = annonces.actif_ != 0 && annonces.getTotalPoints() > 0;
    bulles_.setPendante(p, pendante);
    if (!pendante)
        return;
    bulles_.montre(p, false, false);
    bulles_.dit(p, [annonce = annonces.annonces_[0]] { return annonce.getNom(); }, font());
}

void DisplayGLScene::afficheBulleMise(int siege, const ZB_StatusMise& mise, int variante)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    const SceneTapis::Vue vue = vueTapis_();
    bool effaceRetournee = false;
    if (!bulles_.ditMise(p, mise, variante, jeuDeCartes_.getStyle(), vue.anime, font(), effaceRetournee)) {
        statusMise_ = mise;
        if (m)
            m->doneCurrent();
        return;
    }
    cartesTapis_.prendRetournee(p, effaceRetournee, vue);
    statusMise_ = mise;
    // A double leaves the contract with the bid it doubles.
    const int type = mise.typeContrat_;
    if (mise.miseFaite_
        && (type == ZB_StatusMise::Simple || type == ZB_StatusMise::Capot || type == ZB_StatusMise::DonneurForce
            || type == ZB_StatusMise::PrendCouleurRetournee))
        plaques_.setSiegeMise(siege);
    if (m)
        m->doneCurrent();
    // The plates follow the bidding: none keeps the deal before's contract.
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
}

void DisplayGLScene::afficheBulleAnnonce(int siege)
{
    const int p = positionAffichage(siege);
    if (p < 0 || automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    bulles_.montre(p, true, modeVue_ != MODE_VUE_SANS_ANIMATION);
    const QSharedPointer<Partie> jeu = partie();
    const int jouees = jeu ? static_cast<int>(jeu->cartesJoueesValides_.getNombreDeCartes()) : 0;
    SceneBulles::Texte dit = bulles_.source(p);
    // The seat's announcement, still waiting for its card, goes with it.
    if (jouees < NOMBRE_SIEGES && bulles_.isPendante(p) && dit && !dit().isEmpty())
        bulles_.dit(p, [dit] { return tr("%1 et Belote").arg(dit()); }, font());
    else
        bulles_.dit(p, [] { return QStringLiteral("Belote"); }, font());
    if (m)
        m->doneCurrent();
    rafraichitCouche();
}

void DisplayGLScene::finDeDonne()
{
    mainComplete_.setRemainingTime(0);
    cartesDonnees_.fill(false);
    if (boutonArriere_)
        proxyArriere_->hide();
    if (boutonAvant_)
        proxyAvant_->hide();
    cartesTapis_.finDeDonne(faceAutres_());
    statusMise_ = ZB_StatusMise();
    siegeBas_ = 0;
    for (Siege& siege : sieges_) {
        // A trump or bid choice left open goes with the game it was for:
        // its panel must not stay over the next one.
        if (siege.panneau)
            siege.panneau->finChoixAtout();
        siege = Siege();
    }
    // The strip is the table's, whichever seat opened it: a seat that has
    // left since would no longer close it.
    conteneurAtouts_->hide();
    bulles_.vide();
    plaques_.oublieDonne();
    mains_.cacheTout();
    // Lines still waiting were about the deal that ends.
    fileMessages_.clear();
    timerMessages_.stop();
    redessineCartes(0);
    // The deal may have left the view zoomed or moved; browsing the undo
    // history keeps the view the user chose.
    if (!navigationAnnuler_)
        appliqueVue_();
    navigationAnnuler_ = false;
    // The slate starts the next deal empty, with nothing to animate.
    ardoiseStatut_->setPointsPrecedents(ZB_PointsDonne());
    afficheArdoise(ZB_PointsJass(), 0, 0, 1, QList<int>(), -1);
    rafraichitCouche();
    // A calm point: the deal's pictures and uploads have gone, what they
    // left free in the heaps goes back to the system.
    if (!automatique_)
        GM_MemoireProcessus::rendMemoireLibre();
}
