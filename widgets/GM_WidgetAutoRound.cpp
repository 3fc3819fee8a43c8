#include "GM_WidgetAutoRound.h"

#include <QPainter>
#include <QPen>

GM_WidgetAutoRound::GM_WidgetAutoRound(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setWindowFlag(Qt::FramelessWindowHint, true);
    setAttribute(Qt::WA_TranslucentBackground, true);
}

GM_WidgetAutoRound::~GM_WidgetAutoRound() = default;

void GM_WidgetAutoRound::paintEvent(QPaintEvent* event)
{
    // A subclass that brings the frame and the opaque background back gets
    // the plain widget look.
    if (!windowFlags().testFlag(Qt::FramelessWindowHint) && !testAttribute(Qt::WA_TranslucentBackground)) {
        GM_WidgetAuto::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const QPen pen(palette().brush(foregroundRole()), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    const double demi = pen.widthF() / 2.0;
    const QRectF rect = QRectF(0.0, 0.0, width(), height()).adjusted(demi, demi, -demi, -demi);

    painter.setPen(pen);
    painter.setBrush(palette().color(backgroundRole()).lighter(109));
    painter.drawRoundedRect(rect, RAYON_COINS, RAYON_COINS, Qt::AbsoluteSize);
}
