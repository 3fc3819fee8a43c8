#include "ZB_StyleAlien.h"

#include "ThemeDrawing.h"

#include <QStyleOption>
#include <QTabBar>

namespace {

constexpr int OVERLAY_ALPHA = 63;
constexpr int GRAY_BASE_LIGHTER = 150;
constexpr int BASE_LIGHTER = 125;

const ThemeDrawing::ButtonLook BUTTON_LOOK
    = {ThemeDrawing::QUARTER_ROUND, QColor(0, 0, 0, OVERLAY_ALPHA), QColor(255, 255, 255), QColor(0, 0, 0)};

} // namespace

void ZB_StyleAlien::fillPalette(QPalette& palette)
{
    ThemeDrawing::fillPalette(palette,
        {QColor(QStringLiteral("lightgray")), QColor(QStringLiteral("gray")).lighter(GRAY_BASE_LIGHTER), BASE_LIGHTER,
            QColor(Qt::darkGray), QStringLiteral(":/images/alienbutton.png"), QColor(0, 0, 0, OVERLAY_ALPHA)});
}

QPainterPath ZB_StyleAlien::panelPath(const QRect& rect)
{
    return ThemeDrawing::panelPath(rect, ThemeDrawing::panelRadius(rect, BUTTON_LOOK.radiusDivisor));
}

void ZB_StyleAlien::polish(QPalette& palette) { fillPalette(palette); }

void ZB_StyleAlien::polish(QWidget* widget) { ThemeDrawing::markHover(widget, true); }

void ZB_StyleAlien::unpolish(QWidget* widget) { ThemeDrawing::markHover(widget, false); }

void ZB_StyleAlien::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == PE_PanelButtonCommand) {
        ThemeDrawing::drawButtonPanel(option, painter, BUTTON_LOOK);
        return;
    }
    QPlastiqueStyleLocal::drawPrimitive(element, option, painter, widget);
}

void ZB_StyleAlien::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element == CE_PushButtonLabel) {
        const QStyleOptionButton label = ThemeDrawing::pushButtonLabelOption(option);
        QPlastiqueStyleLocal::drawControl(element, &label, painter, widget);
        return;
    }
    if (element == CE_TabBarTabShape) {
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
                QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
                return;
            }
        }
        return;
    }
    QPlastiqueStyleLocal::drawControl(element, option, painter, widget);
}

int ZB_StyleAlien::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = ThemeDrawing::answersAlone(metric) ? 0 : QPlastiqueStyleLocal::pixelMetric(metric, option, widget);
    return ThemeDrawing::pixelMetric(metric, base, widget, screenshotMode);
}

int ZB_StyleAlien::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    bool known = false;
    const int answer = ThemeDrawing::styleHint(hint, known);
    return known ? answer : QPlastiqueStyleLocal::styleHint(hint, option, widget, returnData);
}
