#include "DisplayGLScoreAnimPixmap.h"

#include <QRandomGenerator>

#include <cmath>

namespace {

constexpr double DEUX_PI = 6.283185307179586;
constexpr int DEGRES_TOUR = 360;

int tirage(int borne)
{
    return borne > 0 ? QRandomGenerator::global()->bounded(borne) : 0;
}

} // namespace

DisplayGLScoreAnimPixmap::DisplayGLScoreAnimPixmap(QObject* parent)
    : DisplayGLScoreAnim(parent)
    , item_(new QGraphicsPixmapItem)
{
    item_->setVisible(false);
    item_->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    item_->setTransformationMode(Qt::SmoothTransformation);
    item_->setAcceptedMouseButtons(Qt::NoButton);
}

DisplayGLScoreAnimPixmap::~DisplayGLScoreAnimPixmap()
{
    stop();
    detruitDriver_();
    delete item_;
}

void DisplayGLScoreAnimPixmap::startFall(int direction, const QPointF& point, const QPixmap& image,
                                         const QRectF& zone, double decalage, int delaiMs)
{
    item_->setPixmap(image);
    const QSizeF taille = image.deviceIndependentSize();
    item_->setTransformOriginPoint(QPointF(taille.width() / 2.0, taille.height() / 2.0));
    const QPointF bas(point.x(), zone.height() / 2.0 - taille.height() / 2.0 + decalage + point.y());
    if (direction < 0 || direction > 3)
        direction = 0;

    Parametres p;
    p.echelleDebut = 1.0;
    p.echelleFin = 1.0;
    p.dureeMs = DUREE_CHUTE_MS;
    const bool tombe = direction <= 1;
    p.positionDebut = tombe ? point : bas;
    p.positionFin = tombe ? bas : point;
    p.opaciteDebut = tombe ? 1.0 : 0.0;
    p.opaciteFin = tombe ? 0.0 : 1.0;
    if (direction == 1 || direction == 2) {
        p.rotation = tirage(DEGRES_TOUR);
        p.amplitude = (tirage(3) - 1) * zone.width() * AMPLITUDE_PAR_LARGEUR;
        p.frequence = zone.height() > 0.0 ? FREQUENCE_PAR_HAUTEUR / zone.height() : 0.0;
    }
    demarre_(p, delaiMs);
}

QPointF DisplayGLScoreAnimPixmap::pos() const
{
    return point_;
}

void DisplayGLScoreAnimPixmap::setPos(const QPointF& point)
{
    point_ = point;
    double decalage = amplitude_ * std::sin(DEUX_PI * point.y() * frequence_);
    if (!std::isfinite(decalage))
        decalage = 0.0;
    item_->setPos(point.x() + decalage, point.y());
}

double DisplayGLScoreAnimPixmap::scale() const
{
    return item_->scale();
}

void DisplayGLScoreAnimPixmap::setScale(double echelle)
{
    item_->setScale(echelle);
}

double DisplayGLScoreAnimPixmap::opacity() const
{
    return item_->opacity();
}

void DisplayGLScoreAnimPixmap::setOpacity(double opacite)
{
    item_->setOpacity(opacite);
}

void DisplayGLScoreAnimPixmap::setVisible(bool visible)
{
    item_->setVisible(visible);
}

void DisplayGLScoreAnimPixmap::setGraphicsEffect(QGraphicsEffect* effet)
{
    item_->setGraphicsEffect(effet);
}

void DisplayGLScoreAnimPixmap::setRotation(double degres)
{
    item_->setRotation(degres);
}

bool DisplayGLScoreAnimPixmap::isVisible() const
{
    return item_->isVisible();
}

QGraphicsItem* DisplayGLScoreAnimPixmap::item() const
{
    return item_;
}
