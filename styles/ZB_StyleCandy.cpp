#include "ZB_StyleCandy.h"

#include "ThemeDrawing.h"

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int BASE_LIGHTER = 125;
const QColor CANDY_PINK(242, 229, 234);
// Both edges and the overlay are this pink; only their alphas differ.
const QColor EDGE_PINK(255, 192, 203);

const ThemeDrawing::ButtonLook BUTTON_LOOK = {ThemeDrawing::HALF_ROUND,
    QColor(EDGE_PINK.red(), EDGE_PINK.green(), EDGE_PINK.blue(), OVERLAY_ALPHA), EDGE_PINK, EDGE_PINK};

} // namespace

ZB_StyleCandy::ZB_StyleCandy()
    : ZB_StyleTheme({BUTTON_LOOK, &ZB_StyleCandy::fillPalette, false, false})
{
}

void ZB_StyleCandy::fillPalette(QPalette& palette)
{
    ThemeDrawing::fillPalette(palette,
        {CANDY_PINK, CANDY_PINK, BASE_LIGHTER, QColor(Qt::darkRed), QStringLiteral(":/images/candybackground.png"),
            BUTTON_LOOK.overlay});
}

QPainterPath ZB_StyleCandy::panelPath(const QRect& rect)
{
    return ThemeDrawing::panelPath(rect, ThemeDrawing::panelRadius(rect, BUTTON_LOOK.radiusDivisor));
}
