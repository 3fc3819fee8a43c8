// Metrics, hints, geometry and the Alt-key filter of the Windows-look style;
// its drawing is in QWindowsStyleLocalPrimitives.cpp, QWindowsStyleLocalControls.cpp
// and QWindowsStyleLocalComplex.cpp.
#include "QWindowsStyleLocal.h"

#include "StyleTools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPalette>
#include <QRubberBand>
#include <QStyleOption>
#include <QWidget>

namespace {

constexpr int NOT_A_METRIC = -1;
// Rubber-band mask borders: a band that is a window of its own shows a
// broader frame than one drawn inside another widget.
constexpr int RUBBER_BAND_WINDOW_BORDER = 4;
constexpr int RUBBER_BAND_CHILD_BORDER = 1;
// Slider thickness: the groove and the handle's own edges.
constexpr int SLIDER_BASE_THICKNESS = 6;
constexpr int SLIDER_LENGTH_SHARE = 4;
constexpr int PROGRESS_BAR_CONTENTS_MARGIN = 3;

} // namespace

QWindowsStyleLocal::QWindowsStyleLocal() = default;

QWindowsStyleLocal::~QWindowsStyleLocal() = default;

void QWindowsStyleLocal::timerEvent(QTimerEvent* event)
{
    // The style runs no timers.
    event->ignore();
}

void QWindowsStyleLocal::polish(QPalette& palette)
{
    QCommonStyle::polish(palette);
}

void QWindowsStyleLocal::polish(QApplication* application)
{
    QCommonStyle::polish(application);
}

void QWindowsStyleLocal::polish(QWidget* widget)
{
    QCommonStyle::polish(widget);
}

void QWindowsStyleLocal::unpolish(QApplication* application)
{
    QCommonStyle::unpolish(application);
}

void QWindowsStyleLocal::unpolish(QWidget* widget)
{
    QCommonStyle::unpolish(widget);
}

QPixmap QWindowsStyleLocal::standardPixmap(StandardPixmap standardPixmap, const QStyleOption* option,
                                           const QWidget* widget) const
{
    return QCommonStyle::standardPixmap(standardPixmap, option, widget);
}

QIcon QWindowsStyleLocal::standardIconImplementation(QStyle::StandardPixmap standardIcon,
                                                     const QStyleOption* option, const QWidget* widget) const
{
    return QCommonStyle::standardIcon(standardIcon, option, widget);
}

int QWindowsStyleLocal::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const double ratio = widget ? widget->devicePixelRatioF() : 1.0;
    const int value = devicePixelMetric(metric, option, widget, ratio);
    if (value == NOT_A_METRIC)
        return NOT_A_METRIC;
    return int(double(value) / ratio);
}

int QWindowsStyleLocal::devicePixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget,
                                          double ratio) const
{
    switch (metric) {
    case PM_ButtonDefaultIndicator:
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_ToolBarItemMargin:
        return 1;
    case PM_TabBarTabShiftHorizontal:
    case PM_ToolBarItemSpacing:
        return 0;
    case PM_TabBarTabShiftVertical:
        return 2;
    case PM_MaximumDragDistance:
        return int(StyleTools::screenLogicalDpiX() * MAXIMUM_DRAG_DISTANCE_PER_DPI);
    case PM_SliderLength:
        return int(StyleTools::scaleByScreenDpi(SLIDER_LENGTH));
    case PM_ToolBarHandleExtent:
        return int(StyleTools::scaleByScreenDpi(TOOL_BAR_HANDLE_EXTENT));
    case PM_SliderControlThickness:
        return sliderControlThickness(option, widget, ratio);
    default:
        return QCommonStyle::pixelMetric(metric, option, widget);
    }
}

int QWindowsStyleLocal::sliderControlThickness(const QStyleOption* option, const QWidget* widget,
                                               double ratio) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider)
        return 0;
    int space = int((slider->orientation == Qt::Horizontal ? slider->rect.height() : slider->rect.width()) * ratio);
    const int ticks =
        (slider->tickPosition & QSlider::TicksAbove ? 1 : 0) + (slider->tickPosition & QSlider::TicksBelow ? 1 : 0);
    if (ticks == 0)
        return space;
    int thickness = SLIDER_BASE_THICKNESS;
    if (ticks == 1)
        thickness += proxy()->pixelMetric(PM_SliderLength, option, widget) / SLIDER_LENGTH_SHARE;
    space -= thickness;
    if (space > 0)
        thickness += (space * 2) / (ticks + 2);
    return thickness;
}

int QWindowsStyleLocal::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                  QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_EtchDisabledText:
    case SH_Slider_SnapToValue:
    case SH_PrintDialog_RightAlignButtons:
    case SH_MainWindow_SpaceBelowMenuBar:
    case SH_FontDialog_SelectAssociatedText:
    case SH_Menu_AllowActiveAndDisabled:
    case SH_MenuBar_AltKeyNavigation:
    case SH_ComboBox_ListMouseTracking:
    case SH_Menu_MouseTracking:
    case SH_MenuBar_MouseTracking:
    case SH_ItemView_ChangeHighlightOnFocus:
    case SH_Slider_StopMouseOverSlider:
    case SH_ItemView_ArrowKeysNavigateIntoChildren:
        return 1;
    case SH_WizardStyle:
        return 1; // QWizard::ModernStyle
    case SH_ToolBox_SelectedPageTitleBold:
    case SH_DialogButtonBox_ButtonsHaveIcons:
        return 0;
    case SH_ItemView_ShowDecorationSelected:
        return qobject_cast<const QListView*>(widget) ? 1 : 0;
    case SH_RubberBand_Mask: {
        const auto* band = qstyleoption_cast<const QStyleOptionRubberBand*>(option);
        if (!band || band->shape != QRubberBand::Rectangle)
            return 0;
        if (auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(returnData)) {
            const int border = widget && widget->isWindow() ? RUBBER_BAND_WINDOW_BORDER : RUBBER_BAND_CHILD_BORDER;
            mask->region = QRegion(band->rect);
            mask->region -= band->rect.adjusted(border, border, -border, -border);
        }
        return 1;
    }
    case SH_TextControl_FocusIndicatorTextCharFormat:
        // The common style takes the outline colour from the option's
        // palette: without an option, from the application's.
        if (!option) {
            const QStyleOption fallback;
            return QCommonStyle::styleHint(hint, &fallback, widget, returnData);
        }
        return QCommonStyle::styleHint(hint, option, widget, returnData);
    default:
        return QCommonStyle::styleHint(hint, option, widget, returnData);
    }
}

QRect QWindowsStyleLocal::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    switch (element) {
    case SE_PushButtonFocusRect:
        // Push buttons show no focus rectangle in this look.
        return QRect();
    case SE_SliderFocusRect:
    case SE_ToolBoxTabContents:
        return option ? visualRect(option->direction, option->rect, option->rect) : QRect();
    case SE_ProgressBarContents:
        return QCommonStyle::subElementRect(SE_ProgressBarGroove, option, widget)
            .adjusted(PROGRESS_BAR_CONTENTS_MARGIN, PROGRESS_BAR_CONTENTS_MARGIN, -PROGRESS_BAR_CONTENTS_MARGIN,
                      -PROGRESS_BAR_CONTENTS_MARGIN);
    case SE_DockWidgetTitleBarText: {
        QRect rect = QCommonStyle::subElementRect(element, option, widget);
        const int margin = proxy()->pixelMetric(PM_DockWidgetTitleMargin, option, widget);
        const auto* dock = qstyleoption_cast<const QStyleOptionDockWidget*>(option);
        if (dock && dock->verticalTitleBar)
            rect.adjust(0, 0, 0, -margin);
        else if (option && option->direction == Qt::RightToLeft)
            rect.adjust(0, 0, -margin, 0);
        else
            rect.adjust(margin, 0, 0, 0);
        return rect;
    }
    case SE_TabBarScrollLeftButton:
    case SE_TabBarScrollRightButton:
        // The common style places these from the tab bar itself; asked
        // without one, there are no scroll buttons to place.
        if (!widget)
            return QRect();
        return QCommonStyle::subElementRect(element, option, widget);
    default:
        return QCommonStyle::subElementRect(element, option, widget);
    }
}

QSize QWindowsStyleLocal::sizeFromContents(ContentsType type, const QStyleOption* option,
                                           const QSize& contentsSize, const QWidget* widget) const
{
    switch (type) {
    case CT_PushButton: {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (!button)
            return contentsSize;
        QSize size = QCommonStyle::sizeFromContents(type, option, contentsSize, widget);
        const int extra = button->features & QStyleOptionButton::AutoDefaultButton
            ? 2 * proxy()->pixelMetric(PM_ButtonDefaultIndicator, option, widget)
            : 0;
        // A button without text (an icon only) keeps its narrow width.
        if (!button->text.isEmpty())
            size.setWidth(qMax(size.width(), int(StyleTools::scaleByScreenDpi(PUSH_BUTTON_MIN_WIDTH)) + extra));
        size.setHeight(qMax(size.height(), int(StyleTools::scaleByScreenDpi(PUSH_BUTTON_MIN_HEIGHT)) + extra));
        return size;
    }
    case CT_ToolButton:
        if (qstyleoption_cast<const QStyleOptionToolButton*>(option))
            return contentsSize + QSize(TOOL_BUTTON_EXTRA_WIDTH, TOOL_BUTTON_EXTRA_HEIGHT);
        return QCommonStyle::sizeFromContents(type, option, contentsSize, widget);
    default:
        return QCommonStyle::sizeFromContents(type, option, contentsSize, widget);
    }
}

bool QWindowsStyleLocal::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) {
        // Shortcut underlines appear while Alt is down: repaint what shows
        // them, except widgets that underline at all times anyway.
        QWidget* window = static_cast<QWidget*>(watched)->window();
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (qsizetype i = 0; i < widgets.size();) {
            QWidget* w = widgets.at(i);
            if (w->isWindow() || !w->isVisible() || w->style()->styleHint(SH_UnderlineShortcut, nullptr, w))
                widgets.removeAt(i);
            else
                ++i;
        }
        for (QWidget* w : std::as_const(widgets))
            w->update();
    }
    return QObject::eventFilter(watched, event);
}
