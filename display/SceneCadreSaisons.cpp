#include "SceneCadreSaisons.h"

#include "SceneGeometrie.h"

#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QPen>

namespace
{
QPainterPath partout()
{
    QPainterPath chemin;
    const double e = SceneCadreSaisons::ETENDUE;
    chemin.addRect(QRectF(-e, -e, 2.0 * e, 2.0 * e));
    return chemin;
}
} // namespace

QGraphicsPathItem* SceneCadreSaisons::construit(double z)
{
    cadre_ = new QGraphicsPathItem;
    cadre_->setPen(Qt::NoPen);
    cadre_->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
    cadre_->setZValue(z);
    cadre_->setPath(partout());
    return cadre_;
}

bool SceneCadreSaisons::demande()
{
    if (demande_)
        return false;
    demande_ = true;
    return true;
}

const QList<QPolygonF>& SceneCadreSaisons::plaquesVues(const QList<QPolygonF>& lieux, QSizeF image)
{
    if (lieux != lieux_) {
        lieux_ = lieux;
        plaquesVues_.clear();
        for (int p = 1; p < lieux.size(); ++p)
            plaquesVues_ << scene_geometrie::vuDepuisLImage(lieux.first(), image, lieux.at(p));
    }
    return plaquesVues_;
}

void SceneCadreSaisons::detoure(const QList<QPolygonF>& trous)
{
    if (!cadre_ || trous == trous_)
        return;
    trous_ = trous;
    QPainterPath chemin = partout();
    if (!trous.isEmpty()) {
        QPainterPath decoupe;
        decoupe.setFillRule(Qt::WindingFill);
        for (const QPolygonF& contour : std::as_const(trous)) {
            decoupe.addPolygon(contour);
            decoupe.closeSubpath();
        }
        chemin = chemin.subtracted(decoupe);
    }
    cadre_->setPath(chemin);
}
