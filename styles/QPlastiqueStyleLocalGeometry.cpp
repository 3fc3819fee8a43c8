// Sizes, sub-element and sub-control rectangles and the scroll-bar hit test
// of the Plastique style.
#include "QPlastiqueStyleLocal.h"

#include "StyleTools.h"

#include <QStyleOption>

#include <cmath>

namespace {

constexpr int TOOL_BUTTON_GROWTH = 3;
constexpr int COMBO_BOX_EXTRA_WIDTH = 30;
constexpr int COMBO_BOX_EXTRA_HEIGHT = 4;
constexpr int SEPARATOR_HEIGHT = 2;

constexpr int SPIN_BUTTON_WIDTH = 16;
constexpr int FIELD_INSET = 2;
constexpr int COMBO_ARROW_ROOM = 18;
constexpr int COMBO_ARROW_WIDTH = 19;
constexpr int COMBO_ARROW_OVERHANG = 2;

constexpr int SLIDER_HANDLE_LENGTH = 11;
constexpr int SLIDER_HANDLE_THICKNESS = 15;
constexpr int SLIDER_HANDLE_HALF = 7;
constexpr int SLIDER_GROOVE_THICKNESS = 14;

// From this range on the slider is as short as allowed, whatever the page.
constexpr quint32 HUGE_SCROLL_RANGE = 0x40000000u;

constexpr int TITLE_BAR_BUTTON_MARGIN = 7;
constexpr int TITLE_BAR_BUTTON_TOP = 4;
constexpr int TITLE_BAR_RIGHT_MARGIN = 3;
constexpr int TITLE_BAR_LABEL_MARGIN = 3;

QSize raised(const QSize& size)
{
    return size.expandedTo(StyleTools::minimumControlSize());
}

// A rectangle never narrower than empty: tiny controls give empty parts, not
// negative ones.
QRect nonNegative(QRect rect)
{
    if (rect.width() < 0)
        rect.setWidth(0);
    if (rect.height() < 0)
        rect.setHeight(0);
    return rect;
}

} // namespace

QSize QPlastiqueStyleLocal::sizeFromContents(ContentsType type, const QStyleOption* option,
                                             const QSize& contentsSize, const QWidget* widget) const
{
    QSize size = QWindowsStyleLocal::sizeFromContents(type, option, contentsSize, widget);
    switch (type) {
    case CT_PushButton: {
        const QSize minimum = StyleTools::minimumControlSize();
        return size.expandedTo(QSize(int(std::lround(PUSH_BUTTON_MINIMUM_SHARE * minimum.width())),
                                     int(std::lround(PUSH_BUTTON_MINIMUM_SHARE * minimum.height()))));
    }
    case CT_RadioButton:
        return raised(size + QSize(1, 1));
    case CT_ToolButton:
        return raised(size + QSize(TOOL_BUTTON_GROWTH, TOOL_BUTTON_GROWTH));
    case CT_ComboBox:
        return raised(sizeFromContents(CT_PushButton, option, contentsSize, widget)
                      + QSize(COMBO_BOX_EXTRA_WIDTH, COMBO_BOX_EXTRA_HEIGHT));
    case CT_CheckBox:
    case CT_Splitter:
    case CT_MenuBar:
    case CT_Menu:
    case CT_LineEdit:
    case CT_SizeGrip:
    case CT_TabWidget:
        return raised(size);
    case CT_Slider:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            const int offset = proxy()->pixelMetric(PM_SliderTickmarkOffset, option, widget);
            int extra = 0;
            if (slider->tickPosition & QSlider::TicksAbove)
                extra += offset;
            if (slider->tickPosition & QSlider::TicksBelow)
                extra += offset;
            if (slider->orientation == Qt::Horizontal)
                size.rheight() += extra;
            else
                size.rwidth() += extra;
        }
        return raised(size);
    case CT_ScrollBar:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            const int extent = proxy()->pixelMetric(PM_ScrollBarExtent, option, widget);
            const int length = 3 * extent + proxy()->pixelMetric(PM_ScrollBarSliderMin, option, widget);
            size = slider->orientation == Qt::Horizontal ? QSize(length, extent) : QSize(extent, length);
        }
        return raised(size);
    case CT_SpinBox: {
        int height = sizeFromContents(CT_LineEdit, option, contentsSize, widget).height();
        if (height % 2 == 0)
            --height;
        return raised(QSize(size.width(), height));
    }
    case CT_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            if (item->menuItemType == QStyleOptionMenuItem::Separator)
                size.setHeight(item->text.isEmpty() ? SEPARATOR_HEIGHT : item->fontMetrics.height());
            // Room for the arrow, which the common size leaves out: it
            // would cover the end of the text.
            if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
                size.rwidth() += SUBMENU_ARROW_PLACE;
        }
        return size;
    default:
        return size;
    }
}

QRect QPlastiqueStyleLocal::subElementRect(SubElement element, const QStyleOption* option,
                                           const QWidget* widget) const
{
    switch (element) {
    case SE_PushButtonFocusRect:
        return QRect();
    case SE_RadioButtonIndicator: {
        const QRect base = QWindowsStyleLocal::subElementRect(element, option, widget);
        if (!option)
            return base;
        const QRect grown = visualRect(option->direction, option->rect, base).adjusted(0, 0, 1, 1);
        return visualRect(option->direction, option->rect, grown);
    }
    default:
        return QWindowsStyleLocal::subElementRect(element, option, widget);
    }
}

QRect QPlastiqueStyleLocal::scrollBarRect(const QStyleOptionSlider* slider, SubControl subControl,
                                          const QWidget* widget) const
{
    const QStyleOptionSlider* option = slider;
    const QRect& rect = option->rect;
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const int length = horizontal ? rect.width() : rect.height();
    const int thickness = horizontal ? rect.height() : rect.width();
    // A bar shorter than its three buttons shares its length among them.
    const int extent = qMin(proxy()->pixelMetric(PM_ScrollBarExtent, slider, widget), qMax(0, length / 3));
    const int room = length - 3 * extent;
    const int minimumLength = proxy()->pixelMetric(PM_ScrollBarSliderMin, slider, widget);

    int sliderLength = room;
    if (slider->maximum != slider->minimum) {
        // Unsigned, as the range of a full int span does not fit a signed
        // int; the share is taken in 64 bits so neither the product nor the
        // sum can wrap.
        const quint32 range = quint32(slider->maximum) - quint32(slider->minimum);
        const qint64 page = qMax(0, slider->pageStep);
        const qint64 total = qint64(range) + page;
        if (range >= HUGE_SCROLL_RANGE || total <= 0) {
            sliderLength = minimumLength;
        } else {
            sliderLength = int(page * room / total);
            if (sliderLength < minimumLength)
                sliderLength = minimumLength;
        }
        sliderLength = qMin(sliderLength, room);
    }
    sliderLength = qMax(0, sliderLength);
    const int start = extent
        + sliderPositionFromValue(slider->minimum, slider->maximum, slider->sliderPosition,
                                  qMax(0, room - sliderLength), slider->upsideDown);

    // Along and across the bar, then turned for a vertical bar.
    const auto make = [horizontal](int along, int across, int alongLength, int acrossLength) {
        return horizontal ? QRect(along, across, qMax(0, alongLength), qMax(0, acrossLength))
                          : QRect(across, along, qMax(0, acrossLength), qMax(0, alongLength));
    };
    const int first = horizontal ? rect.left() : rect.top();
    const int side = horizontal ? rect.top() : rect.left();
    QRect result;
    switch (subControl) {
    case SC_ScrollBarSubLine:
        result = make(first, side, length - extent, thickness);
        break;
    case SC_ScrollBarAddLine:
        result = make(first + length - extent, side, extent, thickness);
        break;
    case SC_ScrollBarSubPage:
        result = make(first + extent, side, start - first - extent, thickness);
        break;
    case SC_ScrollBarAddPage:
        result = make(start + sliderLength, 0, extent + room - start - sliderLength, thickness);
        break;
    case SC_ScrollBarSlider:
        result = make(start, 0, sliderLength, thickness);
        break;
    case SC_ScrollBarGroove:
        result = make(first + extent, side, length - 3 * extent, thickness);
        break;
    default: {
        // The common style takes the slider's share in 32 bits; the other
        // parts do not depend on the range, so a huge one is left out.
        const quint32 range = quint32(slider->maximum) - quint32(slider->minimum);
        if (range < HUGE_SCROLL_RANGE)
            return QCommonStyle::subControlRect(CC_ScrollBar, option, subControl, widget);
        QStyleOptionSlider tame = *slider;
        tame.maximum = tame.minimum;
        tame.sliderPosition = tame.sliderValue = tame.minimum;
        return QCommonStyle::subControlRect(CC_ScrollBar, &tame, subControl, widget);
    }
    }
    return visualRect(option->direction, rect, result);
}

QRect QPlastiqueStyleLocal::titleBarRect(const QStyleOptionTitleBar* titleBar, SubControl subControl,
                                         const QWidget* widget) const
{
    const QStyleOptionTitleBar* option = titleBar;
    const QRect& rect = option->rect;
    const QRect base = QCommonStyle::subControlRect(CC_TitleBar, option, subControl, widget);
    const int buttonSize = qMax(0, rect.height() - TITLE_BAR_BUTTON_MARGIN);
    const int step = buttonSize + 1;
    const Qt::WindowFlags hints = titleBar->titleBarFlags;
    const bool minimized = titleBar->titleBarState & Qt::WindowMinimized;
    const bool maximized = titleBar->titleBarState & Qt::WindowMaximized;
    const auto square = [&](int left) {
        return visualRect(option->direction, rect,
                          QRect(left, rect.top() + TITLE_BAR_BUTTON_TOP, buttonSize, buttonSize));
    };

    switch (subControl) {
    case SC_TitleBarSysMenu:
        return hints & Qt::WindowSystemMenuHint ? square(rect.left() + TITLE_BAR_BUTTON_TOP)
                                                : visualRect(option->direction, rect, base);
    case SC_TitleBarLabel: {
        if (!(hints & (Qt::WindowTitleHint | Qt::WindowSystemMenuHint)))
            return visualRect(option->direction, rect, base);
        QRect label = rect;
        if (hints & Qt::WindowSystemMenuHint) {
            label.setLeft(label.left() + step);
            label.setRight(label.right() - step);
        }
        for (const Qt::WindowType hint : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                          Qt::WindowShadeButtonHint, Qt::WindowContextHelpButtonHint}) {
            if (hints & hint)
                label.setRight(label.right() - step);
        }
        label.adjust(TITLE_BAR_LABEL_MARGIN, 0, -TITLE_BAR_LABEL_MARGIN, 0);
        return visualRect(option->direction, rect, nonNegative(label));
    }
    default:
        break;
    }

    // The buttons from the right edge, rightmost first.
    const struct
    {
        SubControl control;
        bool shown;
    } buttons[] = {
        {SC_TitleBarCloseButton, bool(hints & Qt::WindowSystemMenuHint)},
        {SC_TitleBarUnshadeButton, minimized && (hints & Qt::WindowShadeButtonHint)},
        {SC_TitleBarShadeButton, !minimized && (hints & Qt::WindowShadeButtonHint)},
        {SC_TitleBarMaxButton, !maximized && (hints & Qt::WindowMaximizeButtonHint)},
        {SC_TitleBarNormalButton, (minimized && (hints & Qt::WindowMinimizeButtonHint))
                                      || (maximized && (hints & Qt::WindowMaximizeButtonHint))},
        {SC_TitleBarMinButton, !minimized && (hints & Qt::WindowMinimizeButtonHint)},
        {SC_TitleBarContextHelpButton, bool(hints & Qt::WindowContextHelpButtonHint)},
    };
    int offset = 0;
    for (const auto& button : buttons) {
        if (button.shown)
            offset += step;
        if (button.control != subControl)
            continue;
        if (button.shown || subControl == SC_TitleBarContextHelpButton)
            return square(rect.right() - TITLE_BAR_RIGHT_MARGIN - offset);
        break;
    }
    return visualRect(option->direction, rect, base);
}

QRect QPlastiqueStyleLocal::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                           SubControl subControl, const QWidget* widget) const
{
    // Asked only where needed: the common style divides by zero for a
    // scroll bar whose range spans all of int.
    const auto base = [&] { return QCommonStyle::subControlRect(control, option, subControl, widget); };
    switch (control) {
    case CC_SpinBox: {
        const auto* spinBox = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
        if (!spinBox)
            return base();
        const QRect& r = option->rect;
        const bool noButtons = spinBox->buttonSymbols == QAbstractSpinBox::NoButtons;
        const int half = r.height() / 2;
        switch (subControl) {
        case SC_SpinBoxUp:
            return noButtons ? QRect()
                             : visualRect(option->direction, r,
                                          QRect(QPoint(r.right() - SPIN_BUTTON_WIDTH, r.top()),
                                                QPoint(r.right(), r.top() + half)));
        case SC_SpinBoxDown:
            return noButtons ? QRect()
                             : visualRect(option->direction, r,
                                          QRect(QPoint(r.right() - SPIN_BUTTON_WIDTH, r.top() + half),
                                                r.bottomRight()));
        case SC_SpinBoxEditField: {
            QRect field = noButtons ? r : r.adjusted(0, 0, -SPIN_BUTTON_WIDTH, 0);
            field.adjust(FIELD_INSET, FIELD_INSET, -FIELD_INSET, -FIELD_INSET);
            return visualRect(option->direction, r, nonNegative(field));
        }
        default:
            return base();
        }
    }
    case CC_ComboBox:
        if (subControl == SC_ComboBoxArrow) {
            const QRect visual = visualRect(option->direction, option->rect, base());
            const QRect arrow(QPoint(visual.right() - COMBO_ARROW_WIDTH + 2, visual.top() - COMBO_ARROW_OVERHANG),
                              QPoint(visual.right() + 1, visual.bottom() + COMBO_ARROW_OVERHANG));
            return visualRect(option->direction, option->rect, arrow);
        }
        if (subControl == SC_ComboBoxEditField) {
            const auto* comboBox = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            if (!comboBox)
                return base();
            const QRect& r = option->rect;
            QRect field;
            if (comboBox->editable) {
                field = r.adjusted(FIELD_INSET, FIELD_INSET, -FIELD_INSET, -FIELD_INSET);
                field.setRight(r.right() - COMBO_ARROW_ROOM);
            } else {
                const int frame = proxy()->pixelMetric(PM_DefaultFrameWidth);
                field = QRect(QPoint(r.left() + frame + FIELD_INSET, r.top() + frame),
                              QPoint(r.right() - frame - COMBO_ARROW_ROOM, r.bottom() - frame));
                if (option->state & (State_Sunken | State_On))
                    field.translate(1, 1);
            }
            return visualRect(option->direction, r, nonNegative(field));
        }
        return base();
    case CC_ScrollBar:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option))
            return scrollBarRect(slider, subControl, widget);
        return base();
    case CC_Slider: {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (!slider)
            return base();
        const int offset = proxy()->pixelMetric(PM_SliderTickmarkOffset, option, widget);
        int shift = 0;
        if (slider->tickPosition & QSlider::TicksAbove)
            shift += offset;
        if (slider->tickPosition & QSlider::TicksBelow)
            shift -= offset;
        const QPoint centre = option->rect.center();
        const bool horizontal = slider->orientation == Qt::Horizontal;
        if (subControl == SC_SliderHandle) {
            QRect handle = base();
            if (horizontal) {
                handle.setSize(QSize(SLIDER_HANDLE_LENGTH, SLIDER_HANDLE_THICKNESS));
                handle.moveTop(centre.y() - SLIDER_HANDLE_HALF + shift);
            } else {
                handle.setSize(QSize(SLIDER_HANDLE_THICKNESS, SLIDER_HANDLE_LENGTH));
                handle.moveLeft(centre.x() - SLIDER_HANDLE_HALF + shift);
            }
            return handle;
        }
        if (subControl == SC_SliderGroove) {
            QRect groove = base();
            if (horizontal) {
                groove.setHeight(SLIDER_GROOVE_THICKNESS);
                groove.moveCenter(QPoint(centre.x(), centre.y() - 1 + shift));
            } else {
                groove.setWidth(SLIDER_GROOVE_THICKNESS);
                groove.moveCenter(QPoint(centre.x() - 1 + shift, centre.y()));
            }
            return groove;
        }
        return base();
    }
    case CC_TitleBar:
        if (const auto* titleBar = qstyleoption_cast<const QStyleOptionTitleBar*>(option))
            return titleBarRect(titleBar, subControl, widget);
        return base();
    default:
        return base();
    }
}

QStyle::SubControl QPlastiqueStyleLocal::hitTestComplexControl(ComplexControl control,
                                                                const QStyleOptionComplex* option,
                                                                const QPoint& point, const QWidget* widget) const
{
    if (control == CC_ScrollBar && qstyleoption_cast<const QStyleOptionSlider*>(option)) {
        // The sub-line rectangle spans the whole bar but the add-line
        // button, so it comes last: it answers only for its two buttons.
        for (const SubControl part : {SC_ScrollBarSlider, SC_ScrollBarAddLine, SC_ScrollBarSubPage,
                                      SC_ScrollBarAddPage, SC_ScrollBarSubLine}) {
            if (proxy()->subControlRect(control, option, part, widget).contains(point))
                return part;
        }
    }
    return QCommonStyle::hitTestComplexControl(control, option, point, widget);
}
