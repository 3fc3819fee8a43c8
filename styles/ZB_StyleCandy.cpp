#include "ZB_StyleCandy.h"

#include "ThemeDrawing.h"

#include <QStyleOption>

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int BASE_LIGHTER = 125;
const QColor CANDY_PINK(242, 229, 234);
// Both edges and the overlay are this pink; only their alphas differ.
const QColor EDGE_PINK(255, 192, 203);

const ThemeDrawing::ButtonLook BUTTON_LOOK = {ThemeDrawing::HALF_ROUND,
    QColor(EDGE_PINK.red(), EDGE_PINK.green(), EDGE_PINK.blue(), OVERLAY_ALPHA), EDGE_PINK, EDGE_PINK};

} // namespace

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

void ZB_StyleCandy::polish(QPalette& palette) { fillPalette(palette); }

void ZB_StyleCandy::polish(QWidget* widget) { ThemeDrawing::markHover(widget, true); }

void ZB_StyleCandy::unpolish(QWidget* widget) { ThemeDrawing::markHover(widget, false); }

void ZB_StyleCandy::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == PE_PanelButtonCommand) {
        ThemeDrawing::drawButtonPanel(option, painter, BUTTON_LOOK);
        return;
    }
    if (element == PE_FrameDefaultButton)
        return;
    QPlastiqueStyleLocal::drawPrimitive(element, option, painter, widget);
}

void ZB_StyleCandy::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == CE_PushButtonLabel) {
        const QStyleOptionButton label = ThemeDrawing::pushButtonLabelOption(option);
        QPlastiqueStyleLocal::drawControl(element, &label, painter, widget);
        return;
    }
    QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
}

int ZB_StyleCandy::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = ThemeDrawing::answersAlone(metric) ? 0 : QPlastiqueStyleLocal::pixelMetric(metric, option, widget);
    return ThemeDrawing::pixelMetric(metric, base, widget, screenshotMode);
}

int ZB_StyleCandy::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    bool known = false;
    const int answer = ThemeDrawing::styleHint(hint, known);
    return known ? answer : QPlastiqueStyleLocal::styleHint(hint, option, widget, returnData);
}
