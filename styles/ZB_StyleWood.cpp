#include "ZB_StyleWood.h"

#include "ThemeDrawing.h"

#include <QStyleOption>

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int BASE_LIGHTER = 155;

const ThemeDrawing::ButtonLook BUTTON_LOOK
    = {ThemeDrawing::QUARTER_ROUND, QColor(0, 0, 0, OVERLAY_ALPHA), QColor(255, 255, 255), QColor(0, 0, 0)};

} // namespace

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

void ZB_StyleWood::polish(QPalette& palette) { fillPalette(palette); }

void ZB_StyleWood::polish(QWidget* widget) { ThemeDrawing::markHover(widget, true); }

void ZB_StyleWood::unpolish(QWidget* widget) { ThemeDrawing::markHover(widget, false); }

void ZB_StyleWood::drawPrimitive(
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

void ZB_StyleWood::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == CE_PushButtonLabel) {
        const QStyleOptionButton label = ThemeDrawing::pushButtonLabelOption(option);
        QPlastiqueStyleLocal::drawControl(element, &label, painter, widget);
        return;
    }
    QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
}

int ZB_StyleWood::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = ThemeDrawing::answersAlone(metric) ? 0 : QPlastiqueStyleLocal::pixelMetric(metric, option, widget);
    return ThemeDrawing::pixelMetric(metric, base, widget, screenshotMode);
}

int ZB_StyleWood::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    bool known = false;
    const int answer = ThemeDrawing::styleHint(hint, known);
    return known ? answer : QPlastiqueStyleLocal::styleHint(hint, option, widget, returnData);
}
