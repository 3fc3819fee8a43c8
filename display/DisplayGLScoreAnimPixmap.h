#pragma once

#include "DisplayGLScoreAnim.h"

#include <QGraphicsPixmapItem>
#include <QPixmap>
#include <QRectF>

// A picture that falls or rises over the table (the seasonal art), turning
// and swaying from side to side as it goes.
//
// Rules:
// - The sway moves the picture sideways by amplitude x sin(2 pi y
//   frequency) of its height y on the table; pos() gives the point without
//   the sway. A table of no height has no sway (never a NaN position).
// - Directions: 0 falls and fades out, 1 falls, turns and sways, 2 rises,
//   turns, sways and fades in, 3 rises and fades in; any other direction
//   is taken as 0.
class DisplayGLScoreAnimPixmap : public DisplayGLScoreAnim
{
    Q_OBJECT

public:
    static constexpr int DUREE_CHUTE_MS = 5000;
    static constexpr double AMPLITUDE_PAR_LARGEUR = 0.08;
    static constexpr double FREQUENCE_PAR_HAUTEUR = 0.9;

    explicit DisplayGLScoreAnimPixmap(QObject* parent = nullptr);
    ~DisplayGLScoreAnimPixmap() override;

    void startFall(int direction, const QPointF& point, const QPixmap& image, const QRectF& zone, double decalage,
                   int delaiMs);

    QPointF pos() const override;
    void setPos(const QPointF& point) override;
    double scale() const override;
    void setScale(double echelle) override;
    double opacity() const override;
    void setOpacity(double opacite) override;
    void setVisible(bool visible) override;
    void setGraphicsEffect(QGraphicsEffect* effet) override;
    void setRotation(double degres) override;
    bool isVisible() const override;
    QGraphicsItem* item() const override;

    QGraphicsPixmapItem* image() const { return item_; }

private:
    QGraphicsPixmapItem* item_;
    QPointF point_;
};
