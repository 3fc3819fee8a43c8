#include "ZB_StyleRacing.h"

#include "ThemeDrawing.h"

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int GRAY_BASE_LIGHTER = 150;
constexpr int BASE_LIGHTER = 125;

const ThemeDrawing::ButtonLook BUTTON_LOOK
    = {ThemeDrawing::QUARTER_ROUND, QColor(0, 0, 0, OVERLAY_ALPHA), QColor(255, 255, 255), QColor(0, 0, 0)};

} // namespace

ZB_StyleRacing::ZB_StyleRacing()
    : ZB_StyleTheme({BUTTON_LOOK, &ZB_StyleRacing::fillPalette, true, true})
{
}

void ZB_StyleRacing::fillPalette(QPalette& palette)
{
    ThemeDrawing::fillPalette(palette,
        {QColor(QStringLiteral("lightgray")), QColor(QStringLiteral("gray")).lighter(GRAY_BASE_LIGHTER), BASE_LIGHTER,
            QColor(Qt::darkGray), QStringLiteral(":/images/racingbackground.png"), QColor(0, 0, 0, OVERLAY_ALPHA)});
}

QPainterPath ZB_StyleRacing::panelPath(const QRect& rect)
{
    return ThemeDrawing::panelPath(rect, ThemeDrawing::panelRadius(rect, BUTTON_LOOK.radiusDivisor));
}
