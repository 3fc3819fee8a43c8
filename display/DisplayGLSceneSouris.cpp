#include "DisplayGLScene.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "GM_WidgetAutoRound.h"
#include "Partie.h"

#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGraphicsObject>
#include <QGraphicsSceneMouseEvent>
#include <QPropertyAnimation>

#include <algorithm>
#include <cmath>

// The mouse on the table. Only the bottom seat's hand answers the mouse;
// whether a card may be lifted or played is always the player's own
// legality code, so cards of other seats, cards during a deal or after the
// match, and a card clicked again once it went out are never sent.

namespace {

// A card the mouse holds: lifted, hovered or ready. A card the table has
// since played, hidden or dealt again is not the mouse's to move.
bool estEnMain(const DisplayGLHumanCarte* carte)
{
    const int etat = carte->getState();
    return etat == DisplayGLHumanCarte::Posee || etat == DisplayGLHumanCarte::Choisie
        || etat == DisplayGLHumanCarte::Levee;
}

} // namespace

// ---------------------------------------------------------------- helpers

Joueur* DisplayGLScene::joueurBas_() const
{
    if (siegeBas_ < 0 || siegeBas_ >= NOMBRE_SIEGES)
        return nullptr;
    const Siege& siege = sieges_[static_cast<size_t>(siegeBas_)];
    return siege.numero >= 0 ? siege.joueur : nullptr;
}

DisplayGLPanelDeJoueur* DisplayGLScene::panneauBas_() const
{
    if (!joueurBas_())
        return nullptr;
    return sieges_[static_cast<size_t>(siegeBas_)].panneau.data();
}

bool DisplayGLScene::mainOfferte_() const
{
    Joueur* joueur = joueurBas_();
    DisplayGLPanelDeJoueur* panneau = panneauBas_();
    return joueur && panneau && joueur->estJoueurManuel() && panneau->isCarteDemandee();
}

DisplayGLHumanCarte* DisplayGLScene::carteSous(const QPointF& point) const
{
    // The topmost item decides: a card half covered by its neighbour is
    // under the pointer only where it shows. Floating scores and pictures
    // take no mouse button, and the pointer goes through them as clicks do.
    const QList<QGraphicsItem*> dessous = items(point, Qt::IntersectsItemShape, Qt::DescendingOrder);
    for (QGraphicsItem* item : dessous) {
        if (!item->isVisible() || item->acceptedMouseButtons() == Qt::NoButton)
            continue;
        return dynamic_cast<DisplayGLHumanCarte*>(item);
    }
    return nullptr;
}

void DisplayGLScene::remetPanoramique_()
{
    DisplayGLPaintA* m = moteur();
    if (!m)
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    if (p[DisplayGLPaintA::ViewParameters::DecalageX] == 0.0 && p[DisplayGLPaintA::ViewParameters::DecalageY] == 0.0)
        return;
    p[DisplayGLPaintA::ViewParameters::DecalageX] = 0.0;
    p[DisplayGLPaintA::ViewParameters::DecalageY] = 0.0;
    m->setViewParameters(p);
}

void DisplayGLScene::reposeCarteGlissee_()
{
    if (carteGlissee_ && !rectDepart_.isNull() && estEnMain(carteGlissee_)) {
        if (QPropertyAnimation* animation = carteGlissee_->getMoveAnimation())
            animation->stop();
        carteGlissee_->setPos(rectDepart_.topLeft());
    }
    carteGlissee_ = nullptr;
    carteSelectionnee_ = nullptr;
    rectDepart_ = QRectF();
    glisse_ = false;
}

qint64 DisplayGLScene::maintenantSouris_() const
{
    if (horlogeSouris_)
        return horlogeSouris_();
    static QElapsedTimer depuis;
    if (!depuis.isValid())
        depuis.start();
    return depuis.elapsed();
}

// ------------------------------------------------------------ mouse events

void DisplayGLScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mousePressEvent(event);
    if (event->isAccepted() || joueurExclu_)
        return;
    const QPointF q = event->scenePos();
    pointAppui_ = q;
    dernierPoint_ = q;
    appuiMs_ = maintenantSouris_();
    remetPanoramique_();

    DisplayGLHumanCarte* carte = carteSous(q);
    if (carte) {
        // A card pressed while another one is still up puts that one back.
        if (carteGlissee_ && carteGlissee_ != carte)
            reposeCarteGlissee_();
        Joueur* joueur = joueurBas_();
        Carte* valeur = carte->getCarte();
        if (joueur && valeur && Partie::estCodeJouable(joueur->peutJouerCarte(*valeur))) {
            if (carteGlissee_ != carte)
                rectDepart_ = QRectF(carte->pos(), QSizeF(carte->pixmap().deviceIndependentSize()));
            carteGlissee_ = carte;
            carteSelectionnee_ = carte;
            carte->setState(DisplayGLHumanCarte::Levee, true, 0);
            if (event->buttons() & Qt::LeftButton)
                glisse_ = true;
        }
        OnMouseOver(carte);
        event->accept();
        return;
    }
    reposeCarteGlissee_();
}

void DisplayGLScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mouseMoveEvent(event);
    if (event->isAccepted() || joueurExclu_ || modeVue_ != 0 || automatique_)
        return;
    const QPointF q = event->scenePos();
    const double dx = q.x() - dernierPoint_.x();
    const double dy = q.y() - dernierPoint_.y();
    dernierPoint_ = q;

    if (glisse_) {
        if (DisplayGLPaintA* m = moteur()) {
            DisplayGLPaintA::ViewParameters p = m->viewParameters();
            double& px = p[DisplayGLPaintA::ViewParameters::DecalageX];
            double& py = p[DisplayGLPaintA::ViewParameters::DecalageY];
            px = std::clamp(px - dx, -PANORAMIQUE_X_MAX, PANORAMIQUE_X_MAX);
            py = std::min(py + 2.0 * dy, 0.0);
            m->setViewParameters(p);
        }
        update();
        if (carteGlissee_) {
            if (estEnMain(carteGlissee_)) {
                if (QPropertyAnimation* animation = carteGlissee_->getMoveAnimation())
                    animation->stop();
                // The card climbs faster than the pointer: a short upward
                // stroke is enough to play it.
                carteGlissee_->moveBy(dx, 2.0 * dy);
            }
        }
        event->accept();
        return;
    }

    Joueur* joueur = joueurBas_();
    const QSharedPointer<Partie> jeu = partie();
    if (jeu && joueur && jeu->noDuProchainAJouer_ == joueur->noJoueur_) {
        DisplayGLHumanCarte* carte = carteSous(q);
        if (carte) {
            const QRectF bord = carte->sceneBoundingRect();
            if (q.y() < bord.bottom() - PART_MAIN_SANS_SURVOL * bord.height()) {
                OnMouseOver(carte);
                event->accept();
                return;
            }
        }
    }
    OnMouseOver(nullptr);
}

void DisplayGLScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mouseReleaseEvent(event);
    // A release that ends a press on a button or a dialog is theirs.
    if (event->isAccepted() || joueurExclu_ || modeVue_ != 0)
        return;
    const QPointF q = event->scenePos();
    dernierPoint_ = q;
    remetPanoramique_();

    if (carteGlissee_) {
        const QRectF table = zoneTable();
        const double w = largeurTable_ > 0.0 ? largeurTable_ : table.width();
        const double h = hauteurTable_ > 0.0 ? hauteurTable_ : table.height();
        const QPointF ici = carteGlissee_->pos();
        const bool monte = rectDepart_.y() - ici.y() > h / DIVISEUR_MONTEE_JEU;
        const bool auMilieu = std::abs(w / 2.0 - ici.x()) < w / DIVISEUR_ECART_JEU;
        DisplayGLHumanCarte* carte = carteGlissee_;
        if (monte && auMilieu && !rectDepart_.isNull())
            OnMouseDoubleClicked(carte);
        // Not played (too low, too far aside, or refused): back where it
        // was pressed, at rest.
        if (carteGlissee_ == carte) {
            DisplayGLHumanCarte* marquee = carteSelectionnee_;
            reposeCarteGlissee_();
            if (estEnMain(carte))
                carte->setState(DisplayGLHumanCarte::Posee, false, 0);
            if (marquee && marquee != carte && estEnMain(marquee))
                marquee->setState(DisplayGLHumanCarte::Posee, false, 0);
        }
    } else if (!boite1_.widget || !boite1_.widget->isVisible()) {
        if ((!boite2_.widget || !boite2_.widget->isVisible()) && appuiMs_ >= 0) {
            const int direction = scene_geometrie::directionGlissement(pointAppui_, q, sceneRect().size(),
                                                                       maintenantSouris_() - appuiMs_);
            if (direction != scene_geometrie::GlisseAucun)
                emit signalSwipeTriggered(static_cast<QSwipeGesture::SwipeDirection>(direction));
            pointAppui_ = dernierPoint_;
        }
    }

    finDeClic_();
}

void DisplayGLScene::finDeClic_()
{
    if (!joueurExclu_ && aUnePartie() && mainOfferte_()) {
        if (carteSelectionnee_ && carteSelectionnee_->getState() == DisplayGLHumanCarte::Choisie)
            carteSelectionnee_->setState(DisplayGLHumanCarte::Posee, true, 0);
        carteSelectionnee_ = nullptr;
    }
    glisse_ = false;

    if (DisplayGLPanelDeJoueur* panneau = panneauBas_())
        if (panneau->executeAttente())
            statutAttente();
    update();
}

// ------------------------------------------------------------------- slots

void DisplayGLScene::OnMouseOver(DisplayGLHumanCarte* carte)
{
    if (modeVue_ != 0 || joueurExclu_ || carte == carteSurvolee_)
        return;
    const QSharedPointer<Partie> jeu = partie();
    if (!jeu)
        return;
    Joueur* joueur = joueurBas_();
    if (!joueur || !mainOfferte_())
        return;
    if (carteSurvolee_ && carteSurvolee_->getState() == DisplayGLHumanCarte::Choisie)
        carteSurvolee_->setState(DisplayGLHumanCarte::Posee, true, 0);
    if (carte) {
        Carte* valeur = carte->getCarte();
        if (options_.helpCard_)
            if (DisplayGLPanelDeJoueur* panneau = panneauBas_())
                panneau->afficheAideCarte(valeur, jeu->atoutChoisi_.atout_, jeu->atoutEnCours_);
        if (carte != carteSelectionnee_ && valeur && Partie::estCodeJouable(joueur->peutJouerCarte(*valeur)))
            carte->setState(DisplayGLHumanCarte::Choisie, true, 0);
    }
    carteSurvolee_ = carte;
}

void DisplayGLScene::OnMouseDoubleClicked(DisplayGLHumanCarte* carte)
{
    // A replay shows the requests it plays through, which are not the
    // user's to answer (the status says to wait); the card stays in hand.
    if (!carte || joueurExclu_ || modeVue_ != 0)
        return;
    Carte* valeur = carte->getCarte();
    Joueur* joueur = joueurBas_();
    DisplayGLPanelDeJoueur* panneau = panneauBas_();
    if (!valeur || !joueur || !panneau)
        return;
    const int code = joueur->peutJouerCarte(*valeur);
    if (!Partie::estCodeJouable(code)) {
        // Refused: the hand stays as it is; the user who asked for help on
        // the cards learns why.
        if (code != 0 && options_.helpCard_)
            if (const QSharedPointer<Partie> jeu = partie())
                panneau->afficheAideCarte(valeur, jeu->atoutChoisi_.atout_, jeu->atoutEnCours_);
        return;
    }
    // A card already sent for this request (a fast second double click)
    // answers nothing.
    if (!panneau->isCarteDemandee())
        return;
    if (carteGlissee_ == carte)
        rectDepart_ = QRectF();
    carteGlissee_ = nullptr;
    glisse_ = false;
    carteSelectionnee_ = nullptr;
    carteSurvolee_ = nullptr;
    joueur->annuleConseilCarte();
    panneau->joueCarteChoisie(valeur);
    joueSon(ZB_Sound::Pose);
    vibre(VIBRATION_CARTE_MS);
    statutAttente();
}

// ------------------------------------------------------------ the keyboard

void DisplayGLScene::focusOutEvent(QFocusEvent* evenement)
{
    if (QGraphicsItem* item = focusItem())
        focusPerdu_ = item->toGraphicsObject();
    QGraphicsScene::focusOutEvent(evenement);
}

void DisplayGLScene::focusInEvent(QFocusEvent* evenement)
{
    QGraphicsScene::focusInEvent(evenement);
    const bool suivant = evenement->reason() == Qt::TabFocusReason || evenement->reason() == Qt::BacktabFocusReason;
    QGraphicsObject* perdu = focusPerdu_.data();
    focusPerdu_.clear();
    if (suivant || focusItem() || !perdu || perdu->scene() != this || !perdu->isVisible() || !perdu->isEnabled())
        return;
    setFocusItem(perdu, evenement->reason());
}
