#include "DisplayTextAnim.h"

#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QParallelAnimationGroup>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double ECART_RELATIF_ECHELLE = 1e12;

} // namespace

DisplayTextAnim::DisplayTextAnim(QObject* parent)
    : QObject(parent)
    , effet_(new QGraphicsOpacityEffect)
    , groupe_(new QParallelAnimationGroup(this))
    , fonduEntree_(new QPropertyAnimation(effet_.data(), "opacity", this))
    , suitePrincipale_(new QSequentialAnimationGroup(this))
    , pausePrincipale_(new QPauseAnimation(this))
    , principale_(new QPropertyAnimation(effet_.data(), "opacity", this))
    , suiteSortie_(new QSequentialAnimationGroup(this))
    , pauseSortie_(new QPauseAnimation(this))
    , fonduSortie_(new QPropertyAnimation(effet_.data(), "opacity", this))
    , echelle_(new QPropertyAnimation(this))
    , position_(new QPropertyAnimation(this))
{
    echelle_->setPropertyName("scale");
    position_->setPropertyName("pos");
    fonduEntree_->setEasingCurve(QEasingCurve::Linear);
    fonduSortie_->setEasingCurve(QEasingCurve::Linear);
    suitePrincipale_->addAnimation(pausePrincipale_);
    suitePrincipale_->addAnimation(principale_);
    suiteSortie_->addAnimation(pauseSortie_);
    suiteSortie_->addAnimation(fonduSortie_);
    for (QPropertyAnimation* opacite : {fonduEntree_, principale_, fonduSortie_})
        connect(opacite, &QVariantAnimation::valueChanged, this, &DisplayTextAnim::OnAnimationValueChanged);
}

DisplayTextAnim::~DisplayTextAnim()
{
    groupe_->stop();
    // Until it was given to an item, the effect is this driver's.
    if (!effetInstalle_)
        delete effet_.data();
}

bool DisplayTextAnim::echellesDifferent(double a, double b)
{
    return std::abs(a - b) * ECART_RELATIF_ECHELLE > std::min(std::abs(a), std::abs(b));
}

bool DisplayTextAnim::isRunning() const
{
    return groupe_->state() != QAbstractAnimation::Stopped;
}

void DisplayTextAnim::stop()
{
    const bool enCours = isRunning();
    const bool bouge = enCours && animePosition_;
    groupe_->stop();
    DisplayGLScoreAnim* cible = cible_.data();
    if (!cible)
        return;
    if (bouge)
        cible->setPos(position_->endValue().toPointF());
    if (enCours)
        cible->setVisible(false);
}

void DisplayTextAnim::start(DisplayGLScoreAnim* cible, const DisplayGLScoreAnim::Parametres& p)
{
    groupe_->stop();
    while (groupe_->animationCount() > 0) {
        QAbstractAnimation* a = groupe_->takeAnimation(0);
        a->setParent(this);
    }
    cible_ = cible;
    if (!cible || !effet_)
        return;
    echelle_->setTargetObject(cible);
    position_->setTargetObject(cible);
    cible->setGraphicsEffect(effet_.data());
    effetInstalle_ = true;
    cible->setRotation(p.rotation);
    cible->setSway(p.amplitude, p.frequence);
    cible->setPos(p.positionDebut);

    const int duree = static_cast<int>(std::clamp<qint64>(p.dureeMs, 0, std::numeric_limits<int>::max()));
    animePosition_ = p.positionDebut != p.positionFin;
    if (animePosition_) {
        position_->setStartValue(p.positionDebut);
        position_->setEndValue(p.positionFin);
        position_->setDuration(duree);
        groupe_->addAnimation(position_);
    }

    cible->setScale(p.echelleDebut);
    animeEchelle_ = echellesDifferent(p.echelleDebut, p.echelleFin);
    if (animeEchelle_) {
        echelle_->setStartValue(p.echelleDebut);
        echelle_->setEndValue(p.echelleFin);
        echelle_->setDuration(duree);
        groupe_->addAnimation(echelle_);
    }

    const double a = p.opaciteDebut;
    const double b = p.opaciteFin;
    fonduEntreeMs_ = a != 0.0 ? std::min(DUREE_FONDU_MS, duree) : 0;
    fonduSortieMs_ = b != 0.0 ? std::min(DUREE_FONDU_MS, duree - fonduEntreeMs_) : 0;
    principaleMs_ = std::max(0, duree - fonduEntreeMs_ - fonduSortieMs_);
    if (fonduEntreeMs_ > 0) {
        fonduEntree_->setStartValue(0.0);
        fonduEntree_->setEndValue(a);
        fonduEntree_->setDuration(fonduEntreeMs_);
        groupe_->addAnimation(fonduEntree_);
    }
    pausePrincipale_->setDuration(fonduEntreeMs_);
    principale_->setStartValue(a);
    principale_->setEndValue(b);
    principale_->setDuration(principaleMs_);
    principale_->setEasingCurve(b > a ? QEasingCurve::OutQuart : QEasingCurve::InQuart);
    groupe_->addAnimation(suitePrincipale_);
    if (fonduSortieMs_ > 0) {
        pauseSortie_->setDuration(duree - fonduSortieMs_);
        fonduSortie_->setStartValue(b);
        fonduSortie_->setEndValue(0.0);
        fonduSortie_->setDuration(fonduSortieMs_);
        groupe_->addAnimation(suiteSortie_);
    }
    groupe_->start();
}

void DisplayTextAnim::OnAnimationValueChanged(const QVariant& valeur)
{
    DisplayGLScoreAnim* cible = cible_.data();
    if (!cible)
        return;
    if (valeur.toDouble() > 0.0) {
        if (!cible->isVisible()) {
            if (QGraphicsOpacityEffect* effet = effet_.data())
                effet->setOpacity(0.0);
            cible->setVisible(true);
        }
        return;
    }
    cible->setVisible(false);
}
