#include "SceneSouris.h"

#include "DisplayGLHumanCarte.h"

#include <QElapsedTimer>
#include <QPropertyAnimation>

#include <cmath>

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

qint64 SceneSouris::maintenant() const
{
    if (horloge_)
        return horloge_();
    static QElapsedTimer depuis;
    if (!depuis.isValid())
        depuis.start();
    return depuis.elapsed();
}

void SceneSouris::appuie(const QPointF& point)
{
    pointAppui_ = point;
    dernierPoint_ = point;
    appuiMs_ = maintenant();
}

void SceneSouris::appuieSur(DisplayGLHumanCarte* carte)
{
    if (carteGlissee_ && carteGlissee_ != carte)
        reposeCarteGlissee();
}

void SceneSouris::leve(DisplayGLHumanCarte* carte, bool boutonGauche)
{
    if (carteGlissee_ != carte)
        rectDepart_ = QRectF(carte->pos(), QSizeF(carte->pixmap().deviceIndependentSize()));
    carteGlissee_ = carte;
    carteSelectionnee_ = carte;
    carte->setState(DisplayGLHumanCarte::Levee, true, 0);
    if (boutonGauche)
        glisse_ = true;
}

void SceneSouris::reposeCarteGlissee()
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

QPointF SceneSouris::suit(const QPointF& point)
{
    const QPointF ecart = point - dernierPoint_;
    dernierPoint_ = point;
    return ecart;
}

void SceneSouris::deplaceCarteGlissee(const QPointF& ecart)
{
    if (!carteGlissee_ || !estEnMain(carteGlissee_))
        return;
    if (QPropertyAnimation* animation = carteGlissee_->getMoveAnimation())
        animation->stop();
    carteGlissee_->moveBy(ecart.x(), 2.0 * ecart.y());
}

DisplayGLHumanCarte* SceneSouris::carteAuJeu(double montee, double milieuX, double ecart) const
{
    if (!carteGlissee_ || rectDepart_.isNull())
        return nullptr;
    const QPointF ici = carteGlissee_->pos();
    if (rectDepart_.y() - ici.y() > montee && std::abs(milieuX - ici.x()) < ecart)
        return carteGlissee_;
    return nullptr;
}

void SceneSouris::relache(DisplayGLHumanCarte* carte)
{
    if (!carte || carteGlissee_ != carte)
        return;
    DisplayGLHumanCarte* marquee = carteSelectionnee_;
    reposeCarteGlissee();
    if (estEnMain(carte))
        carte->setState(DisplayGLHumanCarte::Posee, false, 0);
    if (marquee && marquee != carte && estEnMain(marquee))
        marquee->setState(DisplayGLHumanCarte::Posee, false, 0);
}

void SceneSouris::finDeClic(bool mainOfferte)
{
    if (mainOfferte) {
        if (carteSelectionnee_ && carteSelectionnee_->getState() == DisplayGLHumanCarte::Choisie)
            carteSelectionnee_->setState(DisplayGLHumanCarte::Posee, true, 0);
        carteSelectionnee_ = nullptr;
    }
    glisse_ = false;
}

void SceneSouris::survole(DisplayGLHumanCarte* carte, bool jouable)
{
    if (carteSurvolee_ && carteSurvolee_->getState() == DisplayGLHumanCarte::Choisie)
        carteSurvolee_->setState(DisplayGLHumanCarte::Posee, true, 0);
    if (carte && jouable && carte != carteSelectionnee_)
        carte->setState(DisplayGLHumanCarte::Choisie, true, 0);
    carteSurvolee_ = carte;
}

void SceneSouris::oublie(DisplayGLHumanCarte* carte)
{
    if (carteGlissee_ == carte)
        rectDepart_ = QRectF();
    carteGlissee_ = nullptr;
    glisse_ = false;
    carteSelectionnee_ = nullptr;
    carteSurvolee_ = nullptr;
}
