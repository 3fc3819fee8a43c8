#include "DisplayGLScene.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "GM_WidgetAutoRound.h"
#include "Partie.h"

#include <QFocusEvent>
#include <QGraphicsObject>
#include <QGraphicsSceneMouseEvent>

#include <algorithm>

// The mouse on the table. Only the bottom seat's hand answers the mouse;
// whether a card may be lifted or played is always the player's own
// legality code, so cards of other seats, cards during a deal or after the
// match, and a card clicked again once it went out are never sent. While a
// box is in front, its keys and clicks are the only input: a click on the
// hand or the trump band below it is taken and dropped. While the welcome
// holds the table (its form, then the rules it asked for), a click beside
// it does nothing: it would deal the game the welcome holds.

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

bool DisplayGLScene::saisieBloquee_() const
{
    return joueurExclu_ || accueil_ != AccueilAucun;
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

bool DisplayGLScene::clicSousUneBoite_(const QPointF& point) const
{
    if (!boites_.uneBoiteDevant())
        return false;
    const QList<QGraphicsItem*> dessous = items(point, Qt::IntersectsItemShape, Qt::DescendingOrder);
    for (QGraphicsItem* item : dessous) {
        if (!item->isVisible() || item->acceptedMouseButtons() == Qt::NoButton)
            continue;
        return dynamic_cast<DisplayGLHumanCarte*>(item) != nullptr
            || (proxyAtouts_ != nullptr && (item == proxyAtouts_ || proxyAtouts_->isAncestorOf(item)));
    }
    return false;
}

// ------------------------------------------------------------ mouse events

void DisplayGLScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (clicSousUneBoite_(event->scenePos())) {
        event->accept();
        return;
    }
    QGraphicsScene::mousePressEvent(event);
    if (event->isAccepted() || saisieBloquee_())
        return;
    const QPointF q = event->scenePos();
    souris_.appuie(q);
    remetPanoramique_();

    DisplayGLHumanCarte* carte = carteSous(q);
    if (carte) {
        souris_.appuieSur(carte);
        Joueur* joueur = joueurBas_();
        Carte* valeur = carte->getCarte();
        if (joueur && valeur && Partie::estCodeJouable(joueur->peutJouerCarte(*valeur)))
            souris_.leve(carte, event->buttons() & Qt::LeftButton);
        OnMouseOver(carte);
        event->accept();
        return;
    }
    souris_.reposeCarteGlissee();
}

void DisplayGLScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsScene::mouseMoveEvent(event);
    if (event->isAccepted() || saisieBloquee_() || modeVue_ != 0 || automatique_)
        return;
    const QPointF q = event->scenePos();
    const QPointF ecart = souris_.suit(q);

    if (souris_.glisse()) {
        if (DisplayGLPaintA* m = moteur()) {
            DisplayGLPaintA::ViewParameters p = m->viewParameters();
            double& px = p[DisplayGLPaintA::ViewParameters::DecalageX];
            double& py = p[DisplayGLPaintA::ViewParameters::DecalageY];
            px = std::clamp(px - ecart.x(), -PANORAMIQUE_X_MAX, PANORAMIQUE_X_MAX);
            py = std::min(py + 2.0 * ecart.y(), 0.0);
            m->setViewParameters(p);
        }
        update();
        souris_.deplaceCarteGlissee(ecart);
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

void DisplayGLScene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    if (clicSousUneBoite_(event->scenePos())) {
        event->accept();
        return;
    }
    QGraphicsScene::mouseDoubleClickEvent(event);
}

void DisplayGLScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (clicSousUneBoite_(event->scenePos())) {
        // A card lifted before the box came goes back to the hand.
        if (DisplayGLHumanCarte* carte = souris_.carteGlissee())
            souris_.relache(carte);
        event->accept();
        return;
    }
    QGraphicsScene::mouseReleaseEvent(event);
    // A release that ends a press on a button or a dialog is theirs.
    if (event->isAccepted() || saisieBloquee_() || modeVue_ != 0)
        return;
    const QPointF q = event->scenePos();
    souris_.suit(q);
    remetPanoramique_();

    if (DisplayGLHumanCarte* carte = souris_.carteGlissee()) {
        const QRectF table = zoneTable();
        const double w = largeurTable_ > 0.0 ? largeurTable_ : table.width();
        const double h = hauteurTable_ > 0.0 ? hauteurTable_ : table.height();
        // Dropped on a box that came during the drag: the box is not the
        // table, and the card goes back.
        if (!boites_.uneBoiteDevant() && souris_.carteAuJeu(h / DIVISEUR_MONTEE_JEU, w / 2.0, w / DIVISEUR_ECART_JEU))
            OnMouseDoubleClicked(carte);
        souris_.relache(carte);
    } else if (!boites_.boitePrincipale().widget || !boites_.boitePrincipale().widget->isVisible()) {
        if ((!boites_.boiteStatut().widget || !boites_.boiteStatut().widget->isVisible()) && souris_.aUnAppui()) {
            const int direction = scene_geometrie::directionGlissement(souris_.pointAppui(), q, sceneRect().size(),
                                                                       souris_.dureeAppui());
            if (direction != scene_geometrie::GlisseAucun)
                emit signalSwipeTriggered(static_cast<QSwipeGesture::SwipeDirection>(direction));
            souris_.repartDuDernierPoint();
        }
    }

    finDeClic_();
}

void DisplayGLScene::finDeClic_()
{
    souris_.finDeClic(!joueurExclu_ && aUnePartie() && mainOfferte_());

    if (DisplayGLPanelDeJoueur* panneau = panneauBas_())
        if (panneau->executeAttente())
            statutAttente();
    update();
}

// ------------------------------------------------------------------- slots

void DisplayGLScene::OnMouseOver(DisplayGLHumanCarte* carte)
{
    if (modeVue_ != 0 || saisieBloquee_() || carte == souris_.carteSurvolee())
        return;
    const QSharedPointer<Partie> jeu = partie();
    if (!jeu)
        return;
    Joueur* joueur = joueurBas_();
    if (!joueur || !mainOfferte_())
        return;
    bool jouable = false;
    if (carte) {
        Carte* valeur = carte->getCarte();
        if (options_.helpCard_)
            if (DisplayGLPanelDeJoueur* panneau = panneauBas_())
                panneau->afficheAideCarte(valeur, jeu->atoutChoisi_.atout_, jeu->atoutEnCours_);
        jouable = valeur && Partie::estCodeJouable(joueur->peutJouerCarte(*valeur));
    }
    souris_.survole(carte, jouable);
}

void DisplayGLScene::OnMouseDoubleClicked(DisplayGLHumanCarte* carte)
{
    // A replay shows the requests it plays through, which are not the
    // user's to answer (the status says to wait); the card stays in hand.
    if (!carte || saisieBloquee_() || modeVue_ != 0)
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
    souris_.oublie(carte);
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
    const bool suivant = evenement->reason() == Qt::TabFocusReason || evenement->reason() == Qt::BacktabFocusReason;
    // The keyboard handed on to the view along the window's chain (what had
    // it went) lands on the table, not on the first button of the scene's
    // chain.
    if (suivant && !toucheTab_) {
        QFocusEvent table(QEvent::FocusIn, Qt::OtherFocusReason);
        QGraphicsScene::focusInEvent(&table);
    } else {
        QGraphicsScene::focusInEvent(evenement);
    }
    QGraphicsObject* perdu = focusPerdu_.data();
    focusPerdu_.clear();
    if (suivant || focusItem() || !perdu || perdu->scene() != this || !perdu->isVisible() || !perdu->isEnabled())
        return;
    setFocusItem(perdu, evenement->reason());
}
