#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayASiege.h"
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
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
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

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// ------------------------------------------------------------------- seats

int DisplayGLScene::positionAffichage(int siege) const
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return -1;
    return scene_geometrie::positionAffichage(siege, siegeBas_, sieges_[static_cast<size_t>(siege)].miroir != 0);
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
    // A choice left open by the seat's former player goes.
    if (s.panneau)
        s.panneau->cacheChoixAtout();
    const bool enAttente = joueur->modeJeu_ == Joueur::ModeEnAttenteDEntree && joueur->options_.distant_ == 0;
    if (s.utilisePanneau || enAttente || siege == joueurLocal_)
        siegeBas_ = siege;
    if (siege == joueurLocal_) {
        if (auto* local = dynamic_cast<DisplayASiege*>(joueur))
            local->marqueSiegeLocal();
    }
    mains_.dispose();
    // The plates name the seated players from the first deal on, a game or
    // not: the deal's game exists only once its trump is chosen, and until
    // then the plates named nobody, or the players who had left.
    const QSharedPointer<Partie> jeu = partie();
    redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    rafraichitCouche();
}

void DisplayGLScene::setFacteurDurees(double facteur)
{
    facteurDurees_ = std::isfinite(facteur) && facteur > 0.0 ? std::min(facteur, 1.0) : 1.0;
    appliqueDurees_();
}

void DisplayGLScene::appliqueDurees_()
{
    cartesTapis_.setDureeMouvement(arrondi(GL_ObjectCube::DUREE_MOUVEMENT_MS * facteurDurees_));
    const int dureeAnimation = arrondi(GL_ObjectSquare::DUREE_ANIMATION_MS * facteurDurees_);
    bulles_.setDureeAnimation(dureeAnimation);
    if (notification_)
        notification_->setDureeAnimation(dureeAnimation);
}

void DisplayGLScene::setModeVue(int mode)
{
    modeVue_ = mode;
    // The user now watches: a choice left open is no longer the user's to
    // answer.
    if (mode != 0) {
        for (Siege& siege : sieges_)
            if (siege.panneau && (siege.panneau->isChoixAtoutOuvert() || siege.panneau->isChoixMiseOuvert()))
                siege.panneau->finChoixAtout();
        if (conteneurAtouts_)
            conteneurAtouts_->hide();
    }
    // A new way of looking at the table starts its scores from nothing.
    ardoiseStatut_->setPointsPrecedents(ZB_PointsDonne());
}

void DisplayGLScene::afficheTable()
{
    // The table rebuilt (an undo, a redo, a game read back) is shown as
    // played again: the scoreboard keeps the record the rebuild left, which
    // the next update and any redraw start from.
    const bool navigation = navigationAnnuler_;
    modeVue_ = 0;
    navigationAnnuler_ = false;
    // Browsing only recorded: the board still showed the figures from
    // before the undo.
    if (navigation && redessineArdoiseSeule_())
        rafraichitCouche();
}

GL_ObjectCube* DisplayGLScene::objetCarte(int index) const
{
    return cartesTapis_.objet(index);
}

GL_ObjectCube* DisplayGLScene::carteSurTable(int position) const
{
    return cartesTapis_.surTable(position);
}

bool DisplayGLScene::isExposee(int index) const
{
    return cartesTapis_.isExposee(index);
}

SceneTapis::Vue DisplayGLScene::vueTapis_() const
{
    SceneTapis::Vue vue;
    vue.moteur = moteur();
    vue.anime = modeVue_ != MODE_VUE_SANS_ANIMATION;
    vue.navigationAnnuler = navigationAnnuler_;
    vue.faceAutres = faceAutres_();
    vue.annoncesVues = dernierEtat_ >= PREMIER_ETAT_ANNONCES_VUES && dernierEtat_ <= DERNIER_ETAT_ANNONCES_VUES;
    return vue;
}

SceneTapis::Cartes DisplayGLScene::cartesAnnoncees_(const AnnoncesJoueur* annonces, size_t nombre) const
{
    SceneTapis::Cartes cartes{};
    for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
        const DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(i);
        const Carte* carte = sprite ? sprite->getCarte() : nullptr;
        for (size_t n = 0; carte && n < nombre; ++n)
            cartes[static_cast<size_t>(i)] = cartes[static_cast<size_t>(i)] || annonces[n].contientCarte(carte);
    }
    return cartes;
}

// The display options hold no setting that shows the other players' cards:
// only the view that shows every hand turns them face up.
int DisplayGLScene::faceAutres_() const
{
    return modeVue_ == MODE_VUE_TOUT_VISIBLE ? GL_ObjectCube::Front : GL_ObjectCube::Back;
}

void DisplayGLScene::nouvelleDonne(int cartesParJoueur, int objectif, int donnesRestantes)
{
    objectifDonne_ = objectif;
    donnesRestantes_ = donnesRestantes;
    // The last deal's floating scores end with it, and the new deal's
    // counters start from nothing: the table clears its record only after
    // this, which must not float the last deal's points back as losses.
    for (DisplayGLScoreAnimText* anim : ardoiseStatut_->scoresDeLaDonne())
        anim->stop();
    ardoiseStatut_->scoresDeLaDonne().clear();
    ardoiseStatut_->setPointsPrecedents(ZB_PointsDonne());
    // The game attached is the last deal's until this deal's bidding ends:
    // the plates name the players, without its trump and contract.
    plaques_.oublieDonne();
    if (automatique_)
        return;
    if (!fondConstruit_)
        construitFond_();
    cartesTapis_.videTable();
    redessineCartes(0);
    const bool sansAnimation = modeVue_ == MODE_VUE_SANS_ANIMATION;
    if (navigationAnnuler_ || sansAnimation) {
        animationFond_->stop();
        setZBackground(DISTANCE_CAMERA_TABLE);
    } else if (zBackground() > DISTANCE_CAMERA_TABLE) {
        animationFond_->stop();
        animationFond_->setDuration(std::max(1, arrondi(DUREE_FOND_MS * facteurDurees_)));
        animationFond_->start();
    }
    mains_.dispose();
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
    mains_.cacheHorsDonne(mains, tours);
    cartesDonnees_.fill(false);
    const SceneTapis::Vue vue = vueTapis_();
    int derniereCarteMs = 0;
    for (int tour = 0; tour < tours; ++tour) {
        for (int j = 0; j < NOMBRE_SIEGES; ++j) {
            auto& main = mains[static_cast<size_t>(j)];
            int& prise = prises[static_cast<size_t>(j)];
            if (prise >= static_cast<int>(main.size()))
                continue;
            Carte* carte = main[static_cast<size_t>(prise++)];
            const int delai = arrondi(scene_geometrie::delaiDistribution(tour, j) * facteurDurees_);
            derniereCarteMs = std::max(derniereCarteMs, donneCarte_(j, carte, prise - 1, delai, vue));
        }
    }
    attendMainComplete_(derniereCarteMs);
    showSeasonalArt(QDate::currentDate());
    rafraichitCouche();
}

int DisplayGLScene::donneCarte_(int siege, const Carte* carte, int place, int delaiMs, const SceneTapis::Vue& vue)
{
    const int index = carte->getIndex();
    if (index < 0 || index >= SceneTapis::NOMBRE_CARTES)
        return 0;
    cartesDonnees_[static_cast<size_t>(index)] = true;
    const bool montree = mains_.estVisible(siege);
    cartesTapis_.donne(index, montree, DisplayGLPaintA::placementMain(positionAffichage(siege), place), delaiMs, vue);
    if (!montree) {
        mains_.cache(index);
        return 0;
    }
    const bool anime = modeVue_ != MODE_VUE_SANS_ANIMATION;
    mains_.donne(index, anime, delaiMs);
    return anime ? delaiMs : 0;
}

void DisplayGLScene::attendMainComplete_(int derniereCarteMs)
{
    // The last card is seen in its place before anything asks about the
    // hand.
    mainComplete_.setRemainingTime(
        derniereCarteMs > 0 ? derniereCarteMs + arrondi(DisplayGLHumanCarte::DUREE_MOUVEMENT_MS * facteurDurees_) : 0);
}

void DisplayGLScene::afficheResteDistribue()
{
    if (automatique_)
        return;
    if (!fondConstruit_)
        construitFond_();
    // The turned card is in its taker's hand now and goes there with the
    // rest: left in the middle, it would read as a card played.
    cartesTapis_.oublieRetournee();
    const SceneTapis::Vue vue = vueTapis_();
    int derniereCarteMs = 0;
    for (int j = 0; j < NOMBRE_SIEGES; ++j) {
        const Siege& siege = sieges_[static_cast<size_t>(j)];
        if (!siege.joueur || siege.numero < 0)
            continue;
        // One packet per seat, in the deal's rhythm; a hand the deal never
        // showed (a table joined during the bidding) is dealt whole.
        int place = 0;
        int tour = 0;
        for (const Carte* carte : siege.joueur->main_) {
            const int index = carte ? carte->getIndex() : -1;
            if (index >= 0 && index < SceneTapis::NOMBRE_CARTES && !cartesDonnees_[static_cast<size_t>(index)]) {
                const int delai = arrondi(scene_geometrie::delaiDistribution(tour++, j) * facteurDurees_);
                derniereCarteMs = std::max(derniereCarteMs, donneCarte_(j, carte, place, delai, vue));
            }
            ++place;
        }
    }
    mains_.dispose();
    attendMainComplete_(derniereCarteMs);
    rafraichitCouche();
}

int DisplayGLScene::resteAvantMainComplete() const
{
    return static_cast<int>(std::max<qint64>(0, mainComplete_.remainingTime()));
}

QSharedPointer<DisplayGLPanelDeJoueur> DisplayGLScene::creePanneau(QObject* parent)
{
    auto panneau = QSharedPointer<DisplayGLPanelDeJoueur>::create(parent, panelAtouts_, conteneurAtouts_, journalChat_,
                                                                  cartes());
    // The panels go before the scene (the view deletes them first).
    panneau->setAttenteMain([this] { return resteAvantMainComplete(); });
    panneau->setSpectateur([this] { return modeVue_ != 0; });
    return panneau;
}

void DisplayGLScene::afficheCartesDistribuees(Carte* carteRetournee)
{
    if (automatique_)
        return;
    if (!fondConstruit_)
        construitFond_();
    if (!carteRetournee) {
        cartesTapis_.oublieRetournee();
        rafraichitCouche();
        return;
    }
    if (!cartesTapis_.retourne(carteRetournee->getIndex()))
        return;
    rafraichitCouche();
}

void DisplayGLScene::afficheCarteJouee(int siege, Carte* carte)
{
    if (automatique_ || !carte)
        return;
    const int p = positionAffichage(siege);
    if (p < 0 || !objetCarte(carte->getIndex()))
        return;
    const bool anime = modeVue_ != MODE_VUE_SANS_ANIMATION;
    const QSharedPointer<Partie> jeu = partie();
    if (jeu && jeu->cartesJoueesValides_.estVide())
        bulles_.cache(anime);
    // What lies on the cloth when a trick begins goes to the pile of the
    // seat that leads now (the last winner) before the new card lands; a
    // trick begins too when the game has no card of the current trick yet.
    if (cartesTapis_.commencePli(p, jeu && jeu->partieReelle_ && jeu->carteNo_ == 0))
        ramassePli_(siege, {});
    cartesTapis_.pose(carte->getIndex(), p, vueTapis_());
    bulles_.montreSiPendante(p, anime);
    mains_.cache(carte->getIndex());
    mains_.dispose(carte);
    rafraichitCouche();
}

void DisplayGLScene::afficheCartesAnnonces(int inutilise, int gagnant,
                                           const std::array<AnnoncesJoueur, 4>& annonces)
{
    Q_UNUSED(inutilise)
    if (automatique_)
        return;
    ramassePli_(gagnant, annonces);
    // Announced cards left lying go with the next trick's first card.
    cartesTapis_.finitPli();
    rafraichitCouche();
}

void DisplayGLScene::ramassePli_(int gagnant, const std::array<AnnoncesJoueur, 4>& annonces)
{
    cartesTapis_.ramassePli(positionAffichage(gagnant), cartesAnnoncees_(annonces.data(), annonces.size()),
                            vueTapis_());
    bulles_.oubliePendantes();
    bulles_.cache(modeVue_ != MODE_VUE_SANS_ANIMATION);
}

void DisplayGLScene::effaceBulles(int inutilise, const AnnoncesJoueur& annonces)
{
    Q_UNUSED(inutilise)
    if (automatique_)
        return;
    bulles_.cache(modeVue_ != MODE_VUE_SANS_ANIMATION);
    cartesTapis_.expose(cartesAnnoncees_(&annonces, 1));
    rafraichitCouche();
}
