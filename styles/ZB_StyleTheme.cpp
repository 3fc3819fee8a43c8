#include "ZB_StyleTheme.h"

#include <QStyleOption>
#include <QTabBar>

ZB_StyleTheme::ZB_StyleTheme(const Look& look)
    : look_(look)
{
}

void ZB_StyleTheme::polish(QPalette& palette)
{
    look_.fillPalette(palette);
}

void ZB_StyleTheme::polish(QWidget* widget)
{
    ThemeDrawing::markHover(widget, true);
}

void ZB_StyleTheme::unpolish(QWidget* widget)
{
    ThemeDrawing::markHover(widget, false);
}

void ZB_StyleTheme::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == PE_PanelButtonCommand) {
        ThemeDrawing::drawButtonPanel(option, painter, look_.button);
        return;
    }
    if (element == PE_FrameDefaultButton && !look_.defaultFrame)
        return;
    if (element == PE_FrameFocusRect) {
        ThemeDrawing::drawFocusFrame(option, painter, widget);
        return;
    }
    QPlastiqueStyleLocal::drawPrimitive(element, option, painter, widget);
}

void ZB_StyleTheme::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == CE_PushButtonLabel) {
        const QStyleOptionButton label = ThemeDrawing::pushButtonLabelOption(option);
        QPlastiqueStyleLocal::drawControl(element, &label, painter, widget);
        return;
    }
    if (element == CE_TabBarTabShape && look_.roundedTabs) {
        // Rounded tabs as the Plastique style draws them, but the textured
        // button brush is never lightened or darkened.
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
            switch (tab->shape) {
            case QTabBar::RoundedNorth:
            case QTabBar::RoundedSouth:
            case QTabBar::RoundedWest:
            case QTabBar::RoundedEast:
                drawRoundedTabShape(tab, painter, widget,
                    {&ThemeDrawing::qBrushAlpha, &ThemeDrawing::qBrushLight, &ThemeDrawing::qBrushDark});
                return;
            default:
                break;
            }
            QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
        }
        return;
    }
    QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
}

int ZB_StyleTheme::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = ThemeDrawing::answersAlone(metric) ? 0 : QPlastiqueStyleLocal::pixelMetric(metric, option, widget);
    return ThemeDrawing::pixelMetric(metric, base, widget, screenshotMode);
}

int ZB_StyleTheme::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    bool known = false;
    const int answer = ThemeDrawing::styleHint(hint, known);
    return known ? answer : QPlastiqueStyleLocal::styleHint(hint, option, widget, returnData);
}
