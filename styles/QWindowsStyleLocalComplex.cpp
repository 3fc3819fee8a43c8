// Complex-control drawing of the Windows-look style: the scroll bar within
// its range, the slider with its groove and pointed handle, the combo box
// and the spin box. What is not drawn here goes to QCommonStyle.
#include "QWindowsStyleLocal.h"

#include "QWindowsStyleLocalInterne.h"
#include "StyleTools.h"

#include <QPainter>
#include <QPolygon>
#include <QStyleOption>
#include <qdrawutil.h>

using namespace windows_style_interne;

namespace {

constexpr int COMBO_ARROW_MARGIN = 2;
// The symbol of a spin-box button sits this far inside the button.
constexpr int SPIN_SYMBOL_LEFT = 4;
constexpr int SPIN_SYMBOL_RIGHT = 5;
constexpr int SPIN_SYMBOL_BOTTOM = 1;
constexpr int SPIN_SYMBOL_TOP_UP = 1;

// Slider groove: a sunken panel this thick, and the handle's shift toward
// its ticks as a share of the handle length.
constexpr int GROOVE_THICKNESS = 4;
constexpr int GROOVE_HALF = 2;
constexpr int GROOVE_TICK_SHARE = 8;

// The palette of a sunken input field's frame: Midlight takes the Button
// colour.
QPalette fieldFramePalette(const QPalette& palette)
{
    QPalette copy = palette;
    copy.setColor(QPalette::Midlight, palette.button().color());
    return copy;
}

// A slider handle with a point toward its ticks, on a painter in opaque
// mode. In the frame, the handle's back is at across 0 and the point at the
// far side.
void drawPointedHandle(QPainter* painter, const QRect& handle, ShapeFrame::Turn turn, const QPalette& palette,
                       const QBrush& brush)
{
    const ShapeFrame frame(painter, handle, turn);
    const int first = frame.alongFirst();
    const int last = frame.alongLast();
    const int size = last - first + 1;
    const int depth = (size + 1) / 2 - 1;
    const int bodyEnd = frame.depth() - 1 - size / 2;
    const int apex = bodyEnd + depth;

    const QPolygon shape({frame.point(first, 0), frame.point(last, 0), frame.point(last, bodyEnd),
                          frame.point(first + depth, apex), frame.point(first, bodyEnd)});
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->setBackgroundMode(Qt::OpaqueMode);
    painter->drawPolygon(shape);

    // The back faces up or left when the point is down or right.
    const bool backLit = turn == ShapeFrame::Down || turn == ShapeFrame::Right;
    const QColor light = palette.light().color();
    const QColor midlight = palette.midlight().color();
    const QColor dark = palette.dark().color();
    const QColor shadow = palette.shadow().color();

    // Lit lines first, so that the shaded ones own the shared corners.
    if (backLit) {
        frame.line(light, first, 0, last, 0);
        frame.line(midlight, first + 1, 1, last - 1, 1);
    }
    frame.line(light, first, 0, first, bodyEnd);
    frame.line(midlight, first + 1, 1, first + 1, bodyEnd);
    frame.line(light, first, bodyEnd, first + depth, apex);
    frame.line(midlight, first + 1, bodyEnd, first + depth, apex - 1);
    if (!backLit) {
        frame.line(shadow, first, 0, last, 0);
        frame.line(dark, first + 1, 1, last - 1, 1);
    }
    frame.line(shadow, last, 0, last, bodyEnd);
    frame.line(dark, last - 1, 1, last - 1, bodyEnd);
    frame.line(shadow, last, bodyEnd, last - depth, apex);
    frame.line(dark, last - 1, bodyEnd, last - depth, apex - 1);
}

} // namespace

void QWindowsStyleLocal::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                            QPainter* painter, const QWidget* widget) const
{
    if (!option || !painter)
        return;
    switch (control) {
    case CC_ScrollBar:
        if (const auto* scrollBar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            // A bar with nowhere to go is shown disabled.
            QStyleOptionSlider copy = StyleTools::scrollBarWithinIntRange(*scrollBar);
            if (copy.minimum == copy.maximum)
                copy.state &= ~State_Enabled;
            QCommonStyle::drawComplexControl(control, &copy, painter, widget);
        }
        return;
    case CC_Slider:
        drawSlider(option, painter, widget);
        return;
    case CC_ComboBox:
        drawComboBox(option, painter, widget);
        return;
    case CC_SpinBox:
        drawSpinBox(option, painter, widget);
        return;
    default:
        QCommonStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
}

QRect QWindowsStyleLocal::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                         SubControl subControl, const QWidget* widget) const
{
    if (control == CC_ScrollBar) {
        if (const auto* scrollBar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            const QStyleOptionSlider within = StyleTools::scrollBarWithinIntRange(*scrollBar);
            return QCommonStyle::subControlRect(control, &within, subControl, widget);
        }
    }
    return QCommonStyle::subControlRect(control, option, subControl, widget);
}

void QWindowsStyleLocal::drawSlider(const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider)
        return;
    const int thickness = proxy()->pixelMetric(PM_SliderControlThickness, slider, widget);
    const int length = proxy()->pixelMetric(PM_SliderLength, slider, widget);
    const QRect groove = proxy()->subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
    const QRect handle = proxy()->subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    const QPalette& palette = slider->palette;
    const bool ticksAbove = slider->tickPosition & QSlider::TicksAbove;
    const bool ticksBelow = slider->tickPosition & QSlider::TicksBelow;
    const bool horizontal = slider->orientation == Qt::Horizontal;

    if ((slider->subControls & SC_SliderGroove) && groove.isValid()) {
        int mid = thickness / 2;
        if (ticksAbove)
            mid += length / GROOVE_TICK_SHARE;
        if (ticksBelow)
            mid -= length / GROOVE_TICK_SHARE;
        const QPen pen = painter->pen();
        if (horizontal) {
            qDrawWinPanel(painter, groove.x(), groove.y() + mid - GROOVE_HALF, groove.width(), GROOVE_THICKNESS,
                          palette, true, nullptr);
            painter->setPen(palette.shadow().color());
            painter->drawLine(groove.x() + 1, groove.y() + mid - 1, groove.x() + groove.width() - 3,
                              groove.y() + mid - 1);
        } else {
            qDrawWinPanel(painter, groove.x() + mid - GROOVE_HALF, groove.y(), GROOVE_THICKNESS, groove.height(),
                          palette, true, nullptr);
            painter->setPen(palette.shadow().color());
            painter->drawLine(groove.x() + mid - 1, groove.y() + 1, groove.x() + mid - 1,
                              groove.y() + groove.height() - 3);
        }
        painter->setPen(pen);
    }

    if (slider->subControls & SC_SliderTickmarks) {
        QStyleOptionSlider ticks = *slider;
        ticks.subControls = SC_SliderTickmarks;
        QCommonStyle::drawComplexControl(CC_Slider, &ticks, painter, widget);
    }

    if (slider->subControls & SC_SliderHandle) {
        const QBrush brush(palette.button().color(),
                           slider->state & State_Enabled ? Qt::SolidPattern : Qt::Dense4Pattern);
        if (slider->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*slider);
            focus.rect = proxy()->subElementRect(SE_SliderFocusRect, slider, widget);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
        // A disabled handle's pattern shows Light through its gaps, never
        // the groove behind it.
        painter->save();
        painter->setBackgroundMode(Qt::OpaqueMode);
        painter->setBackground(palette.light());
        if (ticksAbove == ticksBelow) {
            qDrawWinButton(painter, handle, palette, false, &brush);
        } else {
            ShapeFrame::Turn turn;
            if (horizontal)
                turn = ticksAbove ? ShapeFrame::Up : ShapeFrame::Down;
            else
                turn = ticksAbove ? ShapeFrame::Left : ShapeFrame::Right;
            drawPointedHandle(painter, handle, turn, palette, brush);
        }
        painter->restore();
    }
}

void QWindowsStyleLocal::drawComboBox(const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (!combo)
        return;
    const QPalette& palette = combo->palette;

    if (combo->subControls & SC_ComboBoxFrame) {
        if (combo->frame) {
            const QBrush base = palette.base();
            qDrawWinPanel(painter, combo->rect, fieldFramePalette(palette), true, &base);
        } else {
            painter->fillRect(combo->rect, palette.base());
        }
    }

    if (combo->subControls & SC_ComboBoxArrow) {
        QRect arrow = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
        const bool sunken = combo->activeSubControls == SC_ComboBoxArrow && (combo->state & State_Sunken);
        const QBrush fill = palette.button();
        if (sunken) {
            const QPen pen = painter->pen();
            const QBrush brush = painter->brush();
            painter->setPen(palette.dark().color());
            painter->setBrush(fill);
            outline(painter, arrow);
            painter->setPen(pen);
            painter->setBrush(brush);
        } else {
            qDrawWinButton(painter, arrow, buttonLightExchanged(palette), false, &fill);
        }
        arrow.adjust(COMBO_ARROW_MARGIN, COMBO_ARROW_MARGIN, -COMBO_ARROW_MARGIN, -COMBO_ARROW_MARGIN);
        QStyleOption arrowOption = *combo;
        arrowOption.rect = arrow.adjusted(1, 1, -1, -1);
        arrowOption.state = (combo->state & (State_Enabled | State_HasFocus)) | (sunken ? State_Sunken : State_None);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrowOption, painter, widget);
    }

    if (combo->subControls & SC_ComboBoxEditField) {
        // The pen and background chosen here are the label's, which the
        // combo box draws next with the same painter.
        if ((combo->state & State_HasFocus) && !combo->editable) {
            const QRect field = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxEditField, widget);
            painter->fillRect(field, palette.highlight());
            painter->setPen(palette.highlightedText().color());
            painter->setBackground(palette.highlight());
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*combo);
            focus.rect = proxy()->subElementRect(SE_ComboBoxFocusRect, combo, widget);
            focus.state |= State_FocusAtBorder;
            focus.backgroundColor = palette.highlight().color();
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        } else {
            painter->setPen(palette.text().color());
            painter->setBackground(palette.window());
        }
    }
}

void QWindowsStyleLocal::drawSpinBox(const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const
{
    const auto* spinBox = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
    if (!spinBox)
        return;
    if (spinBox->frame && (spinBox->subControls & SC_SpinBoxFrame)) {
        const QRect frame = proxy()->subControlRect(CC_SpinBox, spinBox, SC_SpinBoxFrame, widget);
        const QBrush base = spinBox->palette.base();
        qDrawWinPanel(painter, frame, fieldFramePalette(spinBox->palette), true, &base);
    }

    const QPalette buttonPalette = buttonLightExchanged(spinBox->palette);
    const bool plusMinus = spinBox->buttonSymbols == QAbstractSpinBox::PlusMinus;
    const bool etch = proxy()->styleHint(SH_EtchDisabledText, spinBox, widget);
    for (const SubControl part : {SC_SpinBoxUp, SC_SpinBoxDown}) {
        if (!(spinBox->subControls & part))
            continue;
        const bool up = part == SC_SpinBoxUp;
        QStyleOptionSpinBox copy = *spinBox;
        copy.subControls = part;
        QPalette edges = buttonPalette;
        const bool stepEnabled =
            spinBox->stepEnabled & (up ? QAbstractSpinBox::StepUpEnabled : QAbstractSpinBox::StepDownEnabled);
        if (!stepEnabled) {
            copy.palette.setCurrentColorGroup(QPalette::Disabled);
            edges.setCurrentColorGroup(QPalette::Disabled);
            copy.state &= ~State_Enabled;
        }
        if ((spinBox->activeSubControls & part) && (spinBox->state & State_Sunken)) {
            copy.state |= State_On | State_Sunken;
        } else {
            copy.state |= State_Raised;
            copy.state &= ~State_Sunken;
        }
        const QRect button = proxy()->subControlRect(CC_SpinBox, spinBox, part, widget);
        const QBrush fill = copy.palette.button();
        qDrawWinButton(painter, button, edges, copy.state & (State_Sunken | State_On), &fill);

        copy.rect = button.adjusted(SPIN_SYMBOL_LEFT, up ? SPIN_SYMBOL_TOP_UP : 0, -SPIN_SYMBOL_RIGHT,
                                    -SPIN_SYMBOL_BOTTOM);
        const PrimitiveElement symbol = plusMinus ? (up ? PE_IndicatorSpinPlus : PE_IndicatorSpinMinus)
                                                  : (up ? PE_IndicatorSpinUp : PE_IndicatorSpinDown);
        if ((!stepEnabled || !(spinBox->state & State_Enabled)) && etch) {
            QStyleOptionSpinBox etched = copy;
            etched.palette.setColor(QPalette::ButtonText, copy.palette.light().color());
            etched.rect.translate(1, 1);
            proxy()->drawPrimitive(symbol, &etched, painter, widget);
        }
        proxy()->drawPrimitive(symbol, &copy, painter, widget);
    }
}
