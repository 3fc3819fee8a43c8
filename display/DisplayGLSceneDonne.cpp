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
    // not.
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
    // A new way of looking at the table starts its scores from nothing.
    ardoiseStatut_->setPointsPrecedents(ZB_PointsDonne());
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

// The display options hold no setting that shows the other players' cards:
// only the view that shows every hand turns them face up.
int DisplayGLScene::faceAutres_() const
{
    return modeVue_ == MODE_VUE_TOUT_VISIBLE ? GL_ObjectCube::Front : GL_ObjectCube::Back;
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
    cartesDuPli_ = 0;
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
    videTable_();
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
    for (int tour = 0; tour < tours; ++tour) {
        for (int j = 0; j < NOMBRE_SIEGES; ++j) {
            auto& main = mains[static_cast<size_t>(j)];
            int& prise = prises[static_cast<size_t>(j)];
            if (prise >= static_cast<int>(main.size()))
                continue;
            Carte* carte = main[static_cast<size_t>(prise++)];
            const int index = carte->getIndex();
            const int delai = arrondi(scene_geometrie::delaiDistribution(tour, j) * facteurDurees_);
            GL_ObjectCube* cube = objetCarte(index);
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
            if (!mains_.estVisible(j)) {
                mains_.cache(index);
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
                mains_.donne(index, !sansAnimation, delai);
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
    // settled, and leaves the announced cards lying: whatever lies on the
    // cloth when a trick begins belongs to the tricks before and goes to
    // the pile of the seat that leads now (the last winner), before the new
    // card lands. A trick begins after four cards here, when the game has
    // no card of the current trick yet, or when the seat's place is taken.
    const bool premiereDuPli = cartesDuPli_ >= NOMBRE_SIEGES || (jeu && jeu->partieReelle_ && jeu->carteNo_ == 0)
                            || cartesSurTable_[static_cast<size_t>(p)];
    if (premiereDuPli) {
        if (std::any_of(cartesSurTable_.begin(), cartesSurTable_.end(), [](const GL_ObjectCube* c) { return c; }))
            ramassePli_(siege, {});
        cartesDuPli_ = 0;
    }
    ++cartesDuPli_;
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
    cartesDuPli_ = NOMBRE_SIEGES;
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
        } else if (navigationAnnuler_ && moteur() != nullptr) {
            // Browsing back through the moves: the card goes back where it
            // came from, out at its seat's edge, not to a winner's pile.
            const QVector3D but = moteur()->placePosition(cube->getFrontId(), DisplayGLPaintA::TableEdge + p);
            cube->setPlacement(DisplayGLPaintA::TrickPlace + p);
            cube->moveTo(but.x(), but.y(), but.z(), true);
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
        DisplayGLHumanCarte* sprite = mains_.sprite(i);
        const Carte* carte = sprite ? sprite->getCarte() : nullptr;
        if (!carte || !annonces.contientCarte(carte))
            continue;
        exposees_[static_cast<size_t>(i)] = true;
        if (GL_ObjectCube* cube = objetCarte(i))
            cube->setFace(GL_ObjectCube::Front);
    }
    rafraichitCouche();
}
