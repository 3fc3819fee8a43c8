// Primitive drawing of the Plastique style: frames and panels, button
// panels, check boxes and radio buttons, tool-bar handles and separators,
// header arrows and tree branches.
#include "QPlastiqueStyleLocal.h"

#include "PlastiqueCachedPainting.h"
#include "PlastiqueDrawing.h"
#include "StyleTools.h"

#include <QMainWindow>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTabBar>

#include <memory>

using namespace PlastiqueDrawing;

namespace {

constexpr int MENU_BAR_TOP_LIGHT = 104;
constexpr int DEFAULT_FRAME_ALPHA = 127;
constexpr int DEFAULT_CORNER_ALPHA = 63;
constexpr int INACTIVE_LEFT_DARK = 120;
constexpr int INACTIVE_RIGHT_DARK = 130;
constexpr int WINDOW_BORDER_BLEND = 50;
constexpr int WINDOW_CORNER_BLEND = 55;
constexpr int WINDOW_RIGHT_BLEND = 57;

constexpr double SHADOW_BORDER_ALPHA = 0.4;
constexpr double SHADOW_CORNER_ALPHA = 0.25;
constexpr double SHADOW_DEEP_ALPHA = 0.23;
constexpr double SHADOW_SOFT_ALPHA = 0.075;

// Push-button panel.
constexpr int BODY_TOP_LIGHT = 104;
constexpr int BODY_BOTTOM_DARK = 110;
constexpr int HOVER_TINT = 6;
constexpr int PRESSED_TOP_DARK = 113;
constexpr int PRESSED_BOTTOM_DARK = 103;
constexpr int PRESSED_LEFT_BOTTOM_DARK = 107;
constexpr int PRESSED_RIGHT_TOP_DARK = 108;
constexpr int PRESSED_BODY_DERIVED_DARK = 108;
constexpr int RIGHT_BEVEL_DARK = 105;
constexpr int PRESSED_LEFT_DERIVED_DARK = 110;
constexpr int PRESSED_RIGHT_DERIVED_DARK = 106;
constexpr double RING_OUTER_ALPHA = 0.7;
constexpr double RING_INNER_ALPHA = 0.45;
constexpr double RING_SIDE_ALPHA = 0.075;

// Indicators.
constexpr double INDICATOR_BORDER_ALPHA = 0.4;
constexpr double INDICATOR_CORNER_ALPHA = 0.2;
constexpr double HOVER_OUTER_ALPHA = 0.8;
constexpr double HOVER_INNER_ALPHA = 0.5;
constexpr double HOVER_TINT_ALPHA = 0.2;
constexpr double PRESSED_MARK_ALPHA = 0.5;
constexpr double PARTLY_MARK_ALPHA = 0.3;
constexpr double RADIO_BORDER_ALPHA = 0.51;
constexpr int BODY_GRADIENT_DARK = 105;
constexpr int MARK_WIDTH = 3;
constexpr int MARK_INSET = 4;
constexpr int MARK_END_INSET = 3;

// Tool-bar handle and tree branch.
constexpr int HANDLE_DOTS = 6;
constexpr int HANDLE_EDGE = 3;
constexpr int HANDLE_DOT_ALPHA = 170;
constexpr int EXPANDER_HALF = 4;
constexpr int EXPANDER_SIZE = 2 * EXPANDER_HALF + 1;
constexpr int EXPANDER_TOP_DARK = 101;
constexpr int EXPANDER_BOTTOM_DARK = 106;
constexpr int EXPANDER_SIGN = 2;

QPen cosmetic(const QBrush& brush)
{
    QPen pen(brush, 0);
    pen.setCosmetic(true);
    return pen;
}

QBrush alpha(QBrush brush, double factor)
{
    qBrushAlpha(brush, factor);
    return brush;
}

QBrush fitted(const QBrush& brush, const QRect& rect)
{
    return brushForRect(brush, QRectF(rect));
}

// A vertical gradient from top to bottom of the rectangle.
QBrush verticalGradient(const QRect& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return QBrush(gradient);
}

bool isPlain(const QBrush& brush)
{
    return !brush.gradient() && brush.texture().isNull();
}

bool isButtonOption(const QStyleOption* option)
{
    return option && option->version >= 1 && option->type == QStyleOption::SO_Button;
}

bool hovered(const QStyleOption* option)
{
    return (option->state & QStyle::State_Enabled) && (option->state & QStyle::State_MouseOver);
}

} // namespace

void QPlastiqueStyleLocal::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                         const QWidget* widget) const
{
    if (!option || !painter) {
        QWindowsStyleLocal::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QColor border = option->palette.window().color().darker(BORDER_DARK_FACTOR);
    const QColor corner = cornerColor(option, widget);
    const QColor textBlend = blendColors(option->palette.window().color(),
                                         option->palette.color(QPalette::Current, QPalette::Text), HALF_BLEND);
    const QRect& rect = option->rect;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();

    switch (element) {
    case PE_Frame: {
        QFrame::Shadow shadow = QFrame::Plain;
        if (option->state & State_Sunken)
            shadow = QFrame::Sunken;
        else if (option->state & State_Raised)
            shadow = QFrame::Raised;
        drawShadowedFrame(painter, rect, option, shadow);
        return;
    }
    case PE_FrameLineEdit:
        drawShadowedFrame(painter, rect, option, QFrame::Sunken);
        return;
    case PE_PanelLineEdit:
        drawPanelLineEdit(option, painter);
        return;
    case PE_FrameDockWidget:
    case PE_FrameMenu:
    case PE_FrameStatusBarItem: {
        const QPen oldPen = painter->pen();
        painter->setPen(border);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        painter->setPen(corner);
        const QPoint points[] = {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)};
        painter->drawPoints(points, 4);
        painter->setPen(oldPen);
        return;
    }
    case PE_PanelMenuBar:
        if (widget && qobject_cast<const QMainWindow*>(widget->parentWidget())) {
            const QPen oldPen = painter->pen();
            painter->setPen(corner);
            painter->drawLine(l, b, r, b);
            painter->setPen(option->palette.window().color().lighter(MENU_BAR_TOP_LIGHT));
            painter->drawLine(l, t, r, t);
            painter->setPen(oldPen);
        }
        return;
    case PE_FrameDefaultButton: {
        if (!(option->state & State_Enabled))
            return;
        painter->setPen(cosmetic(QColor(0, 0, 0, DEFAULT_FRAME_ALPHA)));
        const QLine lines[] = {QLine(l + 2, t, r - 2, t), QLine(l + 2, b, r - 2, b), QLine(l, t + 2, l, b - 2),
                               QLine(r, t + 2, r, b - 2)};
        painter->drawLines(lines, 4);
        const QPoint diagonal[] = {QPoint(l + 1, t + 1), QPoint(r - 1, t + 1), QPoint(l + 1, b - 1),
                                   QPoint(r - 1, b - 1)};
        painter->drawPoints(diagonal, 4);
        painter->setPen(cosmetic(QColor(0, 0, 0, DEFAULT_CORNER_ALPHA)));
        const QPoint corners[] = {QPoint(l + 1, t), QPoint(r - 1, t), QPoint(l, t + 1), QPoint(r, t + 1),
                                  QPoint(l + 1, b), QPoint(r - 1, b), QPoint(l, b - 1), QPoint(r, b - 1)};
        painter->drawPoints(corners, 8);
        return;
    }
    case PE_FrameTabWidget:
        drawFrameTabWidget(option, painter, widget);
        return;
    case PE_FrameTabBarBase:
        drawFrameTabBarBase(option, painter, widget);
        return;
    case PE_FrameGroupBox: {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (!frame)
            return;
        if (frame->features & QStyleOptionFrame::Flat) {
            const QPen oldPen = painter->pen();
            painter->setPen(border);
            painter->drawLine(rect.topLeft(), rect.topRight());
            painter->setPen(oldPen);
            return;
        }
        QStyleOptionFrame copy = *frame;
        copy.state &= ~(State_Sunken | State_HasFocus);
        proxy()->drawPrimitive(PE_Frame, &copy, painter, widget);
        return;
    }
    case PE_FrameWindow:
        drawFrameWindow(option, painter, widget);
        return;
    case PE_PanelButtonCommand:
        drawPushButtonPanel(option, painter);
        return;
    case PE_PanelButtonTool:
        if ((option->state & (State_Enabled | State_On)) || !(option->state & State_AutoRaise))
            drawGradientPanel(painter, option, widget);
        return;
    case PE_IndicatorButtonDropDown:
        proxy()->drawPrimitive(PE_PanelButtonTool, option, painter, widget);
        return;
    case PE_IndicatorCheckBox:
        drawCheckBox(option, painter);
        return;
    case PE_IndicatorRadioButton:
        drawRadioButton(option, painter);
        return;
    case PE_IndicatorItemViewItemCheck: {
        QStyleOptionButton button;
        button.QStyleOption::operator=(*option);
        // The assignment copies the plain option's version and type too.
        button.version = QStyleOptionButton::Version;
        button.type = QStyleOptionButton::Type;
        button.state &= ~State_MouseOver;
        proxy()->drawPrimitive(PE_IndicatorCheckBox, &button, painter, widget);
        return;
    }
    case PE_IndicatorToolBarHandle:
        drawToolBarHandle(option, painter, widget);
        return;
    case PE_IndicatorToolBarSeparator: {
        const QPen oldPen = painter->pen();
        if (option->state & State_Horizontal) {
            painter->setPen(corner);
            painter->drawLine(l, t + 1, l, b - 2);
            painter->setPen(option->palette.base().color());
            painter->drawLine(r, t + 1, r, b - 2);
        } else {
            painter->setPen(corner);
            painter->drawLine(l + 1, t, r - 2, t);
            painter->setPen(option->palette.base().color());
            painter->drawLine(l + 1, b, r - 2, b);
        }
        painter->setPen(oldPen);
        return;
    }
    case PE_IndicatorHeaderArrow:
        if (painter->testRenderHint(QPainter::Antialiasing)) {
            QWindowsStyleLocal::drawPrimitive(element, option, painter, widget);
        } else {
            painter->setRenderHint(QPainter::Antialiasing, true);
            QWindowsStyleLocal::drawPrimitive(element, option, painter, widget);
            painter->setRenderHint(QPainter::Antialiasing, false);
        }
        return;
    case PE_IndicatorBranch:
        drawBranch(option, painter, border, corner, textBlend);
        return;
    default:
        QWindowsStyleLocal::drawPrimitive(element, option, painter, widget);
        return;
    }
}

void QPlastiqueStyleLocal::drawPanelLineEdit(const QStyleOption* option, QPainter* painter) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (!frame)
        return;
    painter->save();
    const QRect inner = option->rect.adjusted(1, 1, -1, -1);
    const QBrush brush = fitted(option->palette.base(), inner);
    painter->setBrushOrigin(inner.topLeft());
    painter->fillRect(inner.adjusted(1, 1, -1, -1), brush);
    painter->setPen(cosmetic(brush));
    const int il = inner.left();
    const int it = inner.top();
    const int ir = inner.right();
    const int ib = inner.bottom();
    const QLine ring[] = {QLine(il, it + 1, il, ib - 1), QLine(ir, it + 1, ir, ib - 1),
                          QLine(il + 1, it, ir - 1, it), QLine(il + 1, ib, ir - 1, ib)};
    painter->drawLines(ring, 4);
    if (frame->lineWidth != 0)
        drawShadowedFrame(painter, option->rect, option, QFrame::Sunken);
    painter->restore();
}

void QPlastiqueStyleLocal::drawFrameTabWidget(const QStyleOption* option, QPainter* painter,
                                              const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option);
    if (!frame)
        return;
    const QTabBar::Shape shape = frame->shape;
    if (shape != QTabBar::RoundedNorth && shape != QTabBar::RoundedSouth && shape != QTabBar::RoundedWest
        && shape != QTabBar::RoundedEast) {
        QWindowsStyleLocal::drawPrimitive(PE_FrameTabWidget, option, painter, widget);
        return;
    }
    const int overlap = proxy()->pixelMetric(PM_TabBarBaseOverlap, option, widget);
    const QRect& rect = option->rect;
    painter->save();
    painter->fillRect(rect.adjusted(1, 1, -1, -1), option->palette.window());
    const int lw = frame->leftCornerWidgetSize.width();
    const int lh = frame->leftCornerWidgetSize.height();
    const int tw = frame->tabBarSize.width();
    const int th = frame->tabBarSize.height();
    const int across = option->direction == Qt::RightToLeft ? rect.right() + 1 - lw - tw : rect.left() + lw;
    QRect strip;
    switch (shape) {
    case QTabBar::RoundedNorth:
        strip = QRect(across, rect.top(), tw, overlap);
        break;
    case QTabBar::RoundedSouth:
        strip = QRect(across, rect.bottom() + 1 - overlap, tw, overlap);
        break;
    case QTabBar::RoundedWest:
        strip = QRect(rect.left(), rect.top() + lh, overlap, th);
        break;
    default:
        strip = QRect(rect.right() + 1 - overlap, rect.top() + lh, overlap, th);
        break;
    }
    painter->setClipRegion(QRegion(rect) - QRegion(strip), Qt::ReplaceClip);

    const QBrush shadow = option->palette.shadow();
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    painter->setPen(cosmetic(alpha(shadow, SHADOW_BORDER_ALPHA)));
    const QLine borderLines[] = {QLine(l + 2, t, r - 2, t), QLine(l + 2, b, r - 2, b), QLine(l, t + 2, l, b - 2),
                                 QLine(r, t + 2, r, b - 2)};
    painter->drawLines(borderLines, 4);
    const QPoint diagonal[] = {QPoint(l + 1, t + 1), QPoint(r - 1, t + 1), QPoint(l + 1, b - 1),
                               QPoint(r - 1, b - 1)};
    painter->drawPoints(diagonal, 4);
    painter->setPen(cosmetic(alpha(shadow, SHADOW_SOFT_ALPHA)));
    painter->drawLine(l + 2, t + 1, r - 2, t + 1);
    painter->drawLine(l + 1, t + 2, l + 1, b - 2);
    painter->setPen(cosmetic(alpha(shadow, SHADOW_DEEP_ALPHA)));
    painter->drawLine(l + 2, b - 1, r - 2, b - 1);
    painter->drawLine(r - 1, t + 2, r - 1, b - 2);
    painter->setPen(cosmetic(alpha(shadow, SHADOW_CORNER_ALPHA)));
    const QPoint corners[] = {QPoint(l, t + 1),  QPoint(l, b - 1),  QPoint(l + 1, t),  QPoint(l + 1, b),
                              QPoint(r, t + 1), QPoint(r, b - 1), QPoint(r - 1, t), QPoint(r - 1, b)};
    painter->drawPoints(corners, 8);
    painter->restore();
}

void QPlastiqueStyleLocal::drawFrameTabBarBase(const QStyleOption* option, QPainter* painter,
                                               const QWidget* widget) const
{
    const auto* base = qstyleoption_cast<const QStyleOptionTabBarBase*>(option);
    if (!base)
        return;
    const QTabBar::Shape shape = base->shape;
    if (shape != QTabBar::RoundedNorth && shape != QTabBar::RoundedSouth && shape != QTabBar::RoundedWest
        && shape != QTabBar::RoundedEast) {
        QWindowsStyleLocal::drawPrimitive(PE_FrameTabBarBase, option, painter, widget);
        return;
    }
    const QRect& rect = option->rect;
    const QBrush shadow = option->palette.shadow();
    const bool south = shape == QTabBar::RoundedSouth;
    painter->save();
    painter->setClipRegion(QRegion(rect) - QRegion(base->tabBarRect));
    painter->setPen(cosmetic(alpha(shadow, south ? SHADOW_CORNER_ALPHA : SHADOW_BORDER_ALPHA)));
    painter->drawLine(rect.left(), rect.bottom() - 1, rect.right(), rect.bottom() - 1);
    painter->setPen(cosmetic(alpha(shadow, south ? SHADOW_BORDER_ALPHA : SHADOW_SOFT_ALPHA)));
    painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter->restore();
}

void QPlastiqueStyleLocal::drawFrameWindow(const QStyleOption* option, QPainter* painter,
                                           const QWidget* widget) const
{
    painter->save();
    const bool active = option->state & State_Active;
    const QRect& rect = option->rect;
    const int l = rect.left();
    const int r = rect.right();
    const int b = rect.bottom();
    const int y0 = rect.top() + proxy()->pixelMetric(PM_TitleBarHeight, option, widget);
    QPalette palette = option->palette;
    if (!active)
        palette.setCurrentColorGroup(QPalette::Disabled);
    const QColor highlight = palette.highlight().color();
    const QColor window = palette.window().color();

    painter->setPen(blendColors(highlight, Qt::black, WINDOW_BORDER_BLEND));
    painter->drawLine(l + 1, b, r - 1, b);
    painter->drawLine(l, y0, l, b - 1);
    painter->drawLine(r, y0, r, b - 1);
    painter->drawPoint(l + 1, b - 1);
    painter->drawPoint(r - 1, b - 1);
    painter->setPen(blendColors(highlight, window, WINDOW_CORNER_BLEND));
    const QPoint points[] = {QPoint(l + 2, b - 1), QPoint(l + 1, b - 2), QPoint(r - 2, b - 1), QPoint(r - 1, b - 2)};
    painter->drawPoints(points, 4);
    painter->setPen(active ? blendColors(highlight, window, WINDOW_BORDER_BLEND) : window.darker(INACTIVE_LEFT_DARK));
    painter->drawLine(l + 1, y0, l + 1, b - 2);
    painter->setPen(active ? blendColors(highlight, window, WINDOW_RIGHT_BLEND) : window.darker(INACTIVE_RIGHT_DARK));
    painter->drawLine(r - 1, y0, r - 1, b - 2);
    painter->drawLine(l + 1, b - 1, r - 1, b - 1);
    painter->restore();
}

void QPlastiqueStyleLocal::drawPushButtonPanel(const QStyleOption* option, QPainter* painter) const
{
    if (!isButtonOption(option))
        return;
    const auto* button = static_cast<const QStyleOptionButton*>(option);
    const bool sunken = option->state & (State_Sunken | State_On);
    if ((button->features & QStyleOptionButton::Flat) && !sunken)
        return;
    const bool hover = hovered(option);
    const bool isDefault =
        button->features & (QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton);

    PlastiqueCachedPainting cache(QStringLiteral("pushbutton-%1").arg(isDefault ? 1 : 0), option, painter);
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& rect = cache.area();
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();

    const QBrush base = fitted(option->palette.button(), rect);
    QBrush body;
    QBrush pressedBody;
    QBrush leftBevel;
    QBrush rightBevel;
    QBrush pressedLeftBevel;
    QBrush pressedRightBevel;
    if (isPlain(base)) {
        const QColor c = base.color();
        QColor bodyTop = c.lighter(BODY_TOP_LIGHT);
        QColor bodyBottom = c.darker(BODY_BOTTOM_DARK);
        if (hover) {
            const QColor highlight = option->palette.highlight().color();
            bodyTop = blendColors(highlight, bodyTop, HOVER_TINT);
            bodyBottom = blendColors(highlight, bodyBottom, HOVER_TINT);
        }
        body = verticalGradient(rect, bodyTop, bodyBottom);
        pressedBody = verticalGradient(rect, c.darker(PRESSED_TOP_DARK), c.darker(PRESSED_BOTTOM_DARK));
        leftBevel = verticalGradient(rect, c.lighter(LIGHT_FACTOR), c);
        rightBevel = verticalGradient(rect, c, c.darker(BODY_BOTTOM_DARK));
        pressedLeftBevel = verticalGradient(rect, c.darker(PRESSED_TOP_DARK), c.darker(PRESSED_LEFT_BOTTOM_DARK));
        pressedRightBevel = verticalGradient(rect, c.darker(PRESSED_RIGHT_TOP_DARK), c.darker(PRESSED_BOTTOM_DARK));
    } else {
        body = base;
        pressedBody = qBrushDark(base, PRESSED_BODY_DERIVED_DARK);
        leftBevel = qBrushLight(base);
        rightBevel = qBrushDark(base, RIGHT_BEVEL_DARK);
        pressedLeftBevel = qBrushDark(base, PRESSED_LEFT_DERIVED_DARK);
        pressedRightBevel = qBrushDark(base, PRESSED_RIGHT_DERIVED_DARK);
    }

    if (sunken)
        p->setBrushOrigin(l + 1, t + 1);
    drawShadowedFrame(p, rect, option, QFrame::Plain);
    const QBrush fill = fitted(sunken ? pressedBody : body, rect);
    p->fillRect(rect.adjusted(2, 2, -2, -2), fill);
    p->setPen(cosmetic(qBrushLight(fill)));
    p->drawLine(QPointF(l + 2, t + 1), QPointF(r - 2, t + 1));
    p->setPen(cosmetic(qBrushDark(fill, RIGHT_BEVEL_DARK)));
    p->drawLine(QPointF(l + 2, b - 1), QPointF(r - 2, b - 1));
    p->setPen(cosmetic(fitted(sunken ? pressedLeftBevel : leftBevel, rect)));
    p->drawLine(QPointF(l + 1, b - 2), QPointF(l + 1, t + 2));
    p->setPen(cosmetic(fitted(sunken ? pressedRightBevel : rightBevel, rect)));
    p->drawLine(QPointF(r - 1, b - 2), QPointF(r - 1, t + 2));
    if (hover && !sunken) {
        const QBrush highlight = fitted(option->palette.highlight(), rect);
        p->setPen(cosmetic(alpha(highlight, RING_OUTER_ALPHA)));
        p->drawLine(l + 1, t + 1, r - 1, t + 1);
        p->drawLine(l + 1, b - 1, r - 1, b - 1);
        p->setPen(cosmetic(alpha(highlight, RING_INNER_ALPHA)));
        p->drawLine(l + 1, t + 2, r - 1, t + 2);
        p->drawLine(l + 1, b - 2, r - 1, b - 2);
        p->setPen(cosmetic(alpha(highlight, RING_SIDE_ALPHA)));
        p->drawLine(l + 1, t + 2, l + 1, b - 2);
        p->drawLine(r - 1, t + 2, r - 1, b - 2);
    }
    cache.end();
}

namespace {

// The body of both indicators: the base brush, a plain base colour turned
// into a soft vertical gradient.
QBrush indicatorBody(const QStyleOption* option, const QRect& rect)
{
    const QBrush base = fitted(option->palette.base(), rect);
    if (!isPlain(base))
        return base;
    const QColor c = base.color();
    QLinearGradient gradient(rect.center().x(), rect.top(), rect.center().x(), rect.bottom());
    gradient.setColorAt(0, c);
    gradient.setColorAt(1, c.darker(BODY_GRADIENT_DARK));
    return QBrush(gradient);
}

} // namespace

void QPlastiqueStyleLocal::drawCheckBox(const QStyleOption* option, QPainter* painter) const
{
    if (!isButtonOption(option))
        return;
    PlastiqueCachedPainting cache(QStringLiteral("checkbox"), option, painter);
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& rect = cache.area();
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    const QBrush shadow = option->palette.shadow();

    p->setPen(cosmetic(alpha(shadow, INDICATOR_BORDER_ALPHA)));
    const QLine lines[] = {QLine(l + 1, t, r - 1, t), QLine(l + 1, b, r - 1, b), QLine(l, t + 1, l, b - 1),
                           QLine(r, t + 1, r, b - 1)};
    p->drawLines(lines, 4);
    p->setPen(cosmetic(alpha(shadow, INDICATOR_CORNER_ALPHA)));
    const QPoint corners[] = {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)};
    p->drawPoints(corners, 4);
    p->fillRect(rect.adjusted(1, 1, -1, -1), indicatorBody(option, rect));

    if (hovered(option)) {
        QBrush highlight = fitted(option->palette.highlight(), rect);
        qBrushAlpha(highlight, HOVER_OUTER_ALPHA);
        p->setPen(cosmetic(highlight));
        p->setBrush(Qt::NoBrush);
        p->drawRect(rect.adjusted(1, 1, -2, -2));
        qBrushAlpha(highlight, HOVER_INNER_ALPHA);
        p->setPen(cosmetic(highlight));
        p->drawRect(rect.adjusted(2, 2, -3, -3));
        qBrushAlpha(highlight, HOVER_TINT_ALPHA);
        p->setBrush(highlight);
        p->drawRect(rect.adjusted(2, 2, -3, -3));
    }

    const QStyle::State state = option->state;
    const bool sunken = state & State_Sunken;
    const bool partly = state & State_NoChange;
    if ((state & State_On) || ((state & State_Enabled) && sunken) || partly) {
        p->setRenderHint(QPainter::Antialiasing, true);
        QBrush mark = fitted(option->palette.text(), rect);
        if (sunken)
            qBrushAlpha(mark, PRESSED_MARK_ALPHA);
        else if (partly)
            qBrushAlpha(mark, PARTLY_MARK_ALPHA);
        p->setPen(QPen(mark, MARK_WIDTH, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        p->drawLine(l + MARK_INSET, t + MARK_INSET, r - MARK_END_INSET, b - MARK_END_INSET);
        p->drawLine(r - MARK_END_INSET, t + MARK_INSET, l + MARK_INSET, b - MARK_END_INSET);
    }
    cache.end();
}

void QPlastiqueStyleLocal::drawRadioButton(const QStyleOption* option, QPainter* painter) const
{
    if (!isButtonOption(option))
        return;
    PlastiqueCachedPainting cache(QStringLiteral("radiobutton"), option, painter);
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& rect = cache.area();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(cosmetic(alpha(fitted(option->palette.shadow(), rect), RADIO_BORDER_ALPHA)));
    p->setBrush(indicatorBody(option, rect));
    p->drawEllipse(QRectF(rect).adjusted(1, 1, -1, -1));
    if (hovered(option)) {
        QBrush highlight = fitted(option->palette.highlight(), rect);
        qBrushAlpha(highlight, HOVER_OUTER_ALPHA);
        p->setPen(cosmetic(highlight));
        qBrushAlpha(highlight, HOVER_TINT_ALPHA);
        p->setBrush(highlight);
        p->drawEllipse(QRectF(rect).adjusted(2, 2, -2, -2));
    }
    const bool sunken = option->state & State_Sunken;
    if ((option->state & State_On) || ((option->state & State_Enabled) && sunken)) {
        QBrush dot = fitted(option->palette.text(), rect);
        if (sunken)
            qBrushAlpha(dot, PRESSED_MARK_ALPHA);
        p->setPen(Qt::NoPen);
        p->setBrush(dot);
        p->drawEllipse(QRectF(rect).adjusted(3, 3, -3, -3));
    }
    cache.end();
}

void QPlastiqueStyleLocal::drawToolBarHandle(const QStyleOption* option, QPainter* painter,
                                             const QWidget* widget) const
{
    const QRect& rect = option->rect;
    if (rect.isEmpty())
        return;
    const QString key = StyleTools::optionCacheKey(QStringLiteral("toolbarhandle"), option, rect.size());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(rect.size());
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const int w = rect.width();
        const int h = rect.height();
        p.fillRect(QRect(0, 0, w, h),
                   widget ? option->palette.brush(widget->backgroundRole()) : option->palette.window());
        QColor dotCorner = cornerColor(option, widget);
        dotCorner.setAlpha(HANDLE_DOT_ALPHA);
        const QColor light = option->palette.light().color();
        QImage dots(HANDLE_DOTS, HANDLE_DOTS, QImage::Format_Indexed8);
        dots.setColorTable({0u, dotCorner.rgba(), blendColors(dotCorner, light, HALF_BLEND).rgba(), light.rgba()});
        static constexpr uchar MAP[HANDLE_DOTS][HANDLE_DOTS] = {{1, 1, 0, 0, 0, 0}, {1, 2, 3, 0, 0, 0},
                                                                {0, 3, 3, 0, 0, 0}, {0, 0, 0, 1, 1, 0},
                                                                {0, 0, 0, 1, 2, 3}, {0, 0, 0, 0, 3, 3}};
        for (int y = 0; y < HANDLE_DOTS; ++y)
            std::copy(MAP[y], MAP[y] + HANDLE_DOTS, dots.scanLine(y));
        const bool upright = option->state & State_Horizontal;
        const int span = upright ? h : w;
        const int count = span / HANDLE_DOTS;
        const int offset = (span - HANDLE_DOTS * count) / 2;
        for (int i = 0; i < count; ++i) {
            const QPoint at = upright ? QPoint(HANDLE_EDGE, offset + HANDLE_DOTS * i)
                                      : QPoint(offset + HANDLE_DOTS * i, HANDLE_EDGE);
            p.drawImage(at, dots);
        }
        p.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(rect.topLeft(), pixmap);
}

void QPlastiqueStyleLocal::drawBranch(const QStyleOption* option, QPainter* painter, const QColor& border,
                                      const QColor& corner, const QColor& textBlend) const
{
    const QRect& rect = option->rect;
    const int midX = rect.x() + rect.width() / 2;
    const int midY = rect.y() + rect.height() / 2;
    const QBrush dots(option->palette.dark().color(), Qt::Dense4Pattern);
    const QStyle::State state = option->state;
    if (state & State_Item) {
        if (option->direction == Qt::RightToLeft)
            painter->fillRect(rect.left(), midY, midX - rect.left(), 1, dots);
        else
            painter->fillRect(midX, midY, rect.right() - midX + 1, 1, dots);
    }
    if (state & State_Sibling)
        painter->fillRect(midX, midY, 1, rect.bottom() - midY + 1, dots);
    if (state & (State_Item | State_Sibling | State_Open | State_Children))
        painter->fillRect(midX, rect.y(), 1, midY - rect.y(), dots);
    if (!(state & State_Children))
        return;

    painter->save();
    const QPoint centre = rect.center();
    const QRect box(centre.x() - EXPANDER_HALF, centre.y() - EXPANDER_HALF, EXPANDER_SIZE, EXPANDER_SIZE);
    const int bl = box.left();
    const int bt = box.top();
    const int br = box.right();
    const int bb = box.bottom();
    painter->setPen(border);
    const QLine lines[] = {QLine(bl + 1, bt, br - 1, bt), QLine(bl + 1, bb, br - 1, bb), QLine(bl, bt + 1, bl, bb - 1),
                           QLine(br, bt + 1, br, bb - 1)};
    painter->drawLines(lines, 4);
    painter->setPen(corner);
    const QPoint corners[] = {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()};
    painter->drawPoints(corners, 4);
    const QRect inner = box.adjusted(1, 1, -1, -1);
    const QBrush base = option->palette.base();
    if (base.style() == Qt::SolidPattern)
        drawCachedGradient(painter, inner, base.color().darker(EXPANDER_TOP_DARK),
                           base.color().darker(EXPANDER_BOTTOM_DARK));
    else
        painter->fillRect(inner, base);
    painter->setPen(textBlend);
    painter->drawLine(centre.x() - EXPANDER_SIGN, centre.y(), centre.x() + EXPANDER_SIGN, centre.y());
    if (!(state & State_Open))
        painter->drawLine(centre.x(), centre.y() - EXPANDER_SIGN, centre.x(), centre.y() + EXPANDER_SIGN);
    painter->restore();
}
