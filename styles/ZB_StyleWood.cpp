#include "ZB_StyleWood.h"

#include "ThemeDrawing.h"

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int BASE_LIGHTER = 155;

const ThemeDrawing::ButtonLook BUTTON_LOOK
    = {ThemeDrawing::QUARTER_ROUND, QColor(0, 0, 0, OVERLAY_ALPHA), QColor(255, 255, 255), QColor(0, 0, 0)};

} // namespace

ZB_StyleWood::ZB_StyleWood()
    : ZB_StyleTheme({BUTTON_LOOK, &ZB_StyleWood::fillPalette, false, false})
{
}

void ZB_StyleWood::fillPalette(QPalette& palette)
{
    ThemeDrawing::fillPalette(palette,
        {QColor(249, 217, 173), QColor(236, 182, 120), BASE_LIGHTER, QColor(Qt::darkGreen),
            QStringLiteral(":/images/woodbutton.png"), QColor(0, 0, 0, OVERLAY_ALPHA)});
}

QPainterPath ZB_StyleWood::panelPath(const QRect& rect)
{
    return ThemeDrawing::panelPath(rect, ThemeDrawing::panelRadius(rect, BUTTON_LOOK.radiusDivisor));
}
