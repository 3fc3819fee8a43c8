// Palette, metrics, hints, polishing and layout spacing of the Plastique
// style; its geometry is in QPlastiqueStyleLocalGeometry.cpp and its
// primitive drawing in QPlastiqueStyleLocalPrimitives.cpp.
#include "QPlastiqueStyleLocal.h"

#include "StyleTools.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitterHandle>
#include <QStyleOption>
#include <QTabBar>
#include <QToolBar>
#include <QToolBox>
#include <QWidget>

#include <cmath>

namespace {

constexpr int NOT_A_METRIC = -1;
constexpr int ALTERNATE_BASE_DARK = 110;
constexpr int TITLE_BAR_MIN_HEIGHT = 30;
constexpr int DOCK_TITLE_MARGIN = 2;
constexpr int SLIDER_SPACE = 15;
constexpr int SLIDER_SPACE_WITHOUT_OPTION = 16;
constexpr int WINDOW_LAYOUT_MARGIN = 11;
constexpr int CHILD_LAYOUT_MARGIN = 9;
constexpr int SUBMENU_DELAY_MS = 96;

// Layout spacing, in pixels.
constexpr int SPACING_BUTTON_BOX = 11;
constexpr int SPACING_BUTTON_HORIZONTAL = 10;
constexpr int SPACING_BUTTON_VERTICAL = 9;
constexpr int SPACING_LABEL = 5;
constexpr int SPACING_CHECKS_VERTICAL = 2;
constexpr int SPACING_RADIOS_VERTICAL = 1;
constexpr int SPACING_BEFORE_CHECK = 8;
constexpr int SPACING_FRAMES = 11;
constexpr int SPACING_FIELDS = 7;
constexpr int SPACING_DEFAULT = 6;

// Widgets that light up under the mouse but are known to this style only by
// class name.
const char* const HOVER_CLASS_NAMES[] = {"QWorkspaceTitleBar", "QDockSeparator", "QDockWidgetSeparator",
                                         "Q3DockWindowResizeHandle"};

bool wantsHover(const QWidget* widget)
{
    if (qobject_cast<const QPushButton*>(widget) || qobject_cast<const QComboBox*>(widget)
        || qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QCheckBox*>(widget)
        || qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QRadioButton*>(widget)
        || qobject_cast<const QSplitterHandle*>(widget) || qobject_cast<const QTabBar*>(widget))
        return true;
    for (const char* name : HOVER_CLASS_NAMES) {
        if (widget->inherits(name))
            return true;
    }
    return false;
}

bool isOnToolBar(const QWidget* widget)
{
    return qobject_cast<const QToolBar*>(widget) || qobject_cast<const QToolBar*>(widget->parentWidget());
}

long roundAway(double value)
{
    return std::lround(value);
}

} // namespace

QPlastiqueStyleLocal::QPlastiqueStyleLocal()
{
    setObjectName(QStringLiteral("Plastique"));
}

QPlastiqueStyleLocal::~QPlastiqueStyleLocal() = default;

bool QPlastiqueStyleLocal::eventFilter(QObject* watched, QEvent* event)
{
    return QWindowsStyleLocal::eventFilter(watched, event);
}

void QPlastiqueStyleLocal::polish(QWidget* widget)
{
    if (wantsHover(widget))
        widget->setAttribute(Qt::WA_Hover);
    if (isOnToolBar(widget))
        widget->setBackgroundRole(QPalette::Window);
}

void QPlastiqueStyleLocal::unpolish(QWidget* widget)
{
    if (wantsHover(widget))
        widget->setAttribute(Qt::WA_Hover, false);
    if (qobject_cast<const QToolBox*>(widget) || isOnToolBar(widget))
        widget->setBackgroundRole(QPalette::Button);
}

QPalette QPlastiqueStyleLocal::standardPalette() const
{
    struct Role
    {
        QPalette::ColorRole role;
        QRgb normal;
        QRgb disabled;
    };
    // Base comes just before AlternateBase, which derives from it.
    static constexpr Role ROLES[] = {
        {QPalette::WindowText, 0x000000, 0x808080}, {QPalette::Button, 0xdddfe4, 0xdddfe4},
        {QPalette::Light, 0xffffff, 0xffffff},      {QPalette::Midlight, 0xffffff, 0xffffff},
        {QPalette::Dark, 0x555555, 0x555555},       {QPalette::Mid, 0xc7c7c7, 0xc7c7c7},
        {QPalette::Text, 0x000000, 0xc7c7c7},       {QPalette::BrightText, 0xffffff, 0xffffff},
        {QPalette::ButtonText, 0x000000, 0x808080}, {QPalette::Base, 0xffffff, 0xefefef},
        {QPalette::Window, 0xefefef, 0xefefef},     {QPalette::Shadow, 0x000000, 0x000000},
        {QPalette::Highlight, 0x678db2, 0x567594},  {QPalette::HighlightedText, 0xffffff, 0xffffff},
        {QPalette::Link, 0x0000ee, 0x0000ee},       {QPalette::LinkVisited, 0x52188b, 0x52188b},
    };
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Disabled, QPalette::Active, QPalette::Inactive}) {
        for (const Role& role : ROLES) {
            const QColor colour(group == QPalette::Disabled ? role.disabled : role.normal);
            palette.setBrush(group, role.role, QBrush(colour));
            if (role.role == QPalette::Base)
                palette.setBrush(group, QPalette::AlternateBase, QBrush(colour.darker(ALTERNATE_BASE_DARK)));
        }
    }
    return palette;
}

int QPlastiqueStyleLocal::ownDevicePixelMetric(PixelMetric metric, const QStyleOption* option,
                                               const QWidget* widget, bool& known) const
{
    known = true;
    switch (metric) {
    case PM_ButtonDefaultIndicator:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarHMargin:
        return 0;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
    case PM_ProgressBarChunkWidth:
    case PM_MenuBarPanelWidth:
    case PM_ToolBarItemSpacing:
    case PM_ToolBarItemMargin:
        return 1;
    case PM_DefaultFrameWidth:
    case PM_MenuBarVMargin:
    case PM_ToolBarFrameWidth:
    case PM_ToolBarSeparatorExtent:
        return 2;
    case PM_MenuBarItemSpacing:
        return 3;
    case PM_MdiSubWindowFrameWidth:
        return 4;
    case PM_SliderTickmarkOffset:
        return 5;
    case PM_DockWidgetSeparatorExtent:
    case PM_SplitterWidth:
        return 6;
    case PM_ToolBarHandleExtent:
        return 9;
    case PM_SliderControlThickness:
    case PM_SliderLength:
        return 11;
    case PM_SliderThickness:
        return 15;
    case PM_SliderSpaceAvailable:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            int space = SLIDER_SPACE;
            if (slider->tickPosition & QSlider::TicksAbove)
                ++space;
            if (slider->tickPosition & QSlider::TicksBelow)
                ++space;
            return space;
        }
        return SLIDER_SPACE_WITHOUT_OPTION;
    case PM_ScrollBarExtent:
        return 16;
    case PM_DockWidgetHandleExtent:
        return 20;
    case PM_ScrollBarSliderMin:
        return 26;
    case PM_TitleBarHeight: {
        int fontHeight = 0;
        if (widget)
            fontHeight = widget->fontMetrics().height();
        else if (option)
            fontHeight = option->fontMetrics.height();
        return qMax(TITLE_BAR_MIN_HEIGHT, fontHeight);
    }
    case PM_LayoutLeftMargin:
    case PM_LayoutTopMargin:
    case PM_LayoutRightMargin:
    case PM_LayoutBottomMargin: {
        bool window = false;
        if (option)
            window = option->state & State_Window;
        else if (widget)
            window = widget->isWindow();
        return window ? WINDOW_LAYOUT_MARGIN : CHILD_LAYOUT_MARGIN;
    }
    default:
        known = false;
        return NOT_A_METRIC;
    }
}

int QPlastiqueStyleLocal::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const double ratio = widget ? widget->devicePixelRatioF() : 1.0;
    switch (metric) {
    case PM_MaximumDragDistance:
    case PM_LayoutHorizontalSpacing:
    case PM_LayoutVerticalSpacing:
        return NOT_A_METRIC;
    case PM_DockWidgetTitleMargin:
        return int(DOCK_TITLE_MARGIN / ratio);
    default:
        break;
    }
    bool known = false;
    const int own = ownDevicePixelMetric(metric, option, widget, known);
    const int value =
        known ? int(double(own) / ratio) : QWindowsStyleLocal::pixelMetric(metric, option, widget);

    const double minimumWidth = double(StyleTools::minimumControlSize().width()) / ratio;
    switch (metric) {
    case PM_SpinBoxFrameWidth:
    case PM_ScrollBarExtent:
    case PM_SplitterWidth:
    case PM_MenuScrollerHeight:
    case PM_MdiSubWindowMinimizedWidth:
    case PM_TabBarScrollButtonWidth:
    case PM_SizeGripSize:
        return qMax(value, int(roundAway(minimumWidth * METRIC_MINIMUM_SHARE)));
    case PM_SmallIconSize:
        return qMax(value, int(roundAway(minimumWidth * SMALL_ICON_MINIMUM_SHARE)));
    default:
        return value;
    }
}

int QPlastiqueStyleLocal::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                    QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_ScrollBar_MiddleClickAbsolutePosition:
    case SH_TitleBar_NoBorder:
    case SH_ToolBox_SelectedPageTitleBold:
    case SH_TitleBar_AutoRaise:
    case SH_ItemView_ShowDecorationSelected:
    case SH_ItemView_ArrowKeysNavigateIntoChildren:
        return 1;
    case SH_MainWindow_SpaceBelowMenuBar:
        return 0;
    case SH_Menu_SubMenuPopupDelay:
        return SUBMENU_DELAY_MS;
    case SH_MessageBox_TextInteractionFlags:
        return Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse;
    case SH_FormLayoutWrapPolicy:
        return QFormLayout::DontWrapRows;
    case SH_FormLayoutFieldGrowthPolicy:
        return QFormLayout::ExpandingFieldsGrow;
    case SH_FormLayoutFormAlignment:
        return int(Qt::AlignLeft | Qt::AlignTop);
    case SH_FormLayoutLabelAlignment:
        return Qt::AlignRight;
    case SH_WindowFrame_Mask: {
        auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(returnData);
        if (mask && option) {
            const QRect& r = option->rect;
            const int l = r.left();
            const int t = r.top();
            const int x = r.right();
            const int y = r.bottom();
            QRegion region(r);
            region -= QRect(QPoint(l, t), QPoint(l + 1, t));
            region -= QRect(QPoint(x - 1, t), QPoint(x, t));
            region -= QRect(l, t + 1, 1, 1);
            region -= QRect(x, t + 1, 1, 1);
            const auto* titleBar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
            if (titleBar && (titleBar->titleBarState & Qt::WindowMinimized)) {
                region -= QRect(QPoint(l, y), QPoint(l + 1, y));
                region -= QRect(QPoint(x - 1, y), QPoint(x, y));
                region -= QRect(l, y - 1, 1, 1);
                region -= QRect(x, y - 1, 1, 1);
            } else {
                region -= QRect(l, y, 1, 1);
                region -= QRect(x, y, 1, 1);
            }
            mask->region = region;
        }
        return 1;
    }
    default:
        return QWindowsStyleLocal::styleHint(hint, option, widget, returnData);
    }
}

QIcon QPlastiqueStyleLocal::standardIconImplementation(QStyle::StandardPixmap standardIcon,
                                                       const QStyleOption* option, const QWidget* widget) const
{
    return QCommonStyle::standardIcon(standardIcon, option, widget);
}

int QPlastiqueStyleLocal::layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                                        Qt::Orientation orientation, const QStyleOption* option,
                                        const QWidget* widget) const
{
    return layoutSpacingImplementation(control1, control2, orientation, option, widget);
}

int QPlastiqueStyleLocal::layoutSpacingImplementation(QSizePolicy::ControlType control1,
                                                      QSizePolicy::ControlType control2,
                                                      Qt::Orientation orientation, const QStyleOption*,
                                                      const QWidget*) const
{
    using CT = QSizePolicy;
    const auto either = [&](QSizePolicy::ControlTypes types) { return (control1 | control2) & types; };
    if (control2 == CT::ButtonBox)
        return SPACING_BUTTON_BOX;
    if (either(CT::ButtonBox | CT::PushButton))
        return orientation == Qt::Horizontal ? SPACING_BUTTON_HORIZONTAL : SPACING_BUTTON_VERTICAL;

    const auto pair = [&](QSizePolicy::ControlType a, QSizePolicy::ControlType b) {
        return control1 == a && control2 == b;
    };
    if (control1 == CT::Label) {
        for (const QSizePolicy::ControlType second : {CT::DefaultType, CT::CheckBox, CT::ComboBox, CT::Label,
                                                      CT::LineEdit, CT::RadioButton, CT::Slider, CT::SpinBox,
                                                      CT::ToolButton}) {
            if (control2 == second)
                return SPACING_LABEL;
        }
    }
    if (orientation == Qt::Vertical) {
        if (pair(CT::CheckBox, CT::CheckBox) || pair(CT::CheckBox, CT::RadioButton)
            || pair(CT::RadioButton, CT::CheckBox))
            return SPACING_CHECKS_VERTICAL;
        if (pair(CT::RadioButton, CT::RadioButton))
            return SPACING_RADIOS_VERTICAL;
    }
    if (orientation == Qt::Horizontal && (control2 & (CT::CheckBox | CT::RadioButton)))
        return SPACING_BEFORE_CHECK;
    if (either(CT::Frame | CT::GroupBox | CT::TabWidget))
        return SPACING_FRAMES;
    if (either(CT::ComboBox | CT::Line | CT::LineEdit | CT::Slider | CT::SpinBox))
        return SPACING_FIELDS;
    return SPACING_DEFAULT;
}
