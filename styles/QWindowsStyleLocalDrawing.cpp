// The drawing of the Windows-look style: primitives, controls and complex
// controls in the classic look, with the framework's Windows drawing
// functions and the option's palette. What is not drawn here goes to
// QCommonStyle.
#include "QWindowsStyleLocal.h"

#include "StyleTools.h"

#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygon>
#include <QStyleOption>
#include <QTabBar>
#include <QWidget>
#include <qdrawutil.h>

namespace {

// The check mark: seven strokes of three pixels, starting this far into the
// indicator, each stroke's top this far from the first one's.
constexpr int CHECK_MARK_STROKES = 7;
constexpr int CHECK_MARK_STROKE_LENGTH = 3;
constexpr int CHECK_MARK_OFFSET_X = 3;
constexpr int CHECK_MARK_OFFSET_Y = 5;
constexpr int CHECK_MARK_DROP[CHECK_MARK_STROKES] = {0, 1, 2, 1, 0, -1, -2};
constexpr int ITEM_CHECK_SIDE = 11;

// The radio button's outline, drawn as open polylines on a 12-pixel grid.
constexpr int RADIO_OUTER_TOP_LEFT[] = {1, 9, 1, 8, 0, 7, 0, 4, 1, 3, 1, 2, 2, 1, 3, 1, 4, 0, 7, 0, 8, 1, 9, 1};
constexpr int RADIO_INNER_TOP_LEFT[] = {2, 8, 1, 7, 1, 4, 2, 3, 2, 2, 3, 2, 4, 1, 7, 1, 8, 2, 9, 2};
constexpr int RADIO_INNER_BOTTOM_RIGHT[] = {2, 9, 3, 9, 4, 10, 7, 10, 8, 9, 9, 9, 9, 8, 10, 7, 10, 4, 9, 3};
constexpr int RADIO_OUTER_BOTTOM_RIGHT[] = {2,  10, 3,  10, 4, 11, 7, 11, 8, 10, 9, 10,
                                            10, 9,  10, 8,  11, 7, 11, 4, 10, 3, 10, 2};
constexpr int RADIO_CENTRE[] = {4, 2, 7, 2, 9, 4, 9, 7, 7, 9, 4, 9, 2, 7, 2, 4};
// The dot of a chosen radio button: two crossing rectangles.
const QRect RADIO_DOT_TALL(5, 4, 2, 4);
const QRect RADIO_DOT_WIDE(4, 5, 4, 2);

// Tree branches: the box around the centre and its sign.
constexpr int BRANCH_BOX_HALF = 4;
constexpr int BRANCH_SIGN_HALF = 2;

// Arrows: the border is this share of the arrow's side.
constexpr int ARROW_BORDER_SHARE = 5;
const QLatin1String ARROW_KEY_PREFIX("$qt_ia-");

constexpr int RUBBER_BAND_TILE = 16;

// Tool-bar handle: two bars of this thickness, this far apart.
constexpr int HANDLE_BAR = 3;
constexpr int HANDLE_MARGIN = 2;
constexpr int HANDLE_MIN_SPAN = 4;
constexpr int HANDLE_OFFSET = 4;
constexpr int HANDLE_OFFSET_REVERSED = 6;
constexpr int SEPARATOR_MARGIN = 2;

// Classic tabs: unselected tabs stand this much lower than the selected
// one, which reaches this far over its neighbours.
constexpr int TAB_UNSELECTED_DROP = 2;
constexpr int TAB_SELECTED_OVERHANG = 2;

constexpr int SCROLL_BAR_ARROW_MARGIN = 4;
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

QPolygon polygonOf(const int* coordinates, int count, const QPoint& origin)
{
    QPolygon polygon(count / 2);
    for (int i = 0; i < count / 2; ++i)
        polygon.setPoint(i, origin.x() + coordinates[2 * i], origin.y() + coordinates[2 * i + 1]);
    return polygon;
}

template <int N> QPolygon polygonOf(const int (&coordinates)[N], const QPoint& origin)
{
    return polygonOf(coordinates, N, origin);
}

// Buttons that are on but not pressed show the dense light pattern.
QBrush checkedOrButtonFill(const QStyleOption* option)
{
    if ((option->state & QStyle::State_On) && !(option->state & QStyle::State_Sunken))
        return QBrush(option->palette.light().color(), Qt::Dense4Pattern);
    return option->palette.button();
}

// The palette for sunken frames: Light takes the Window colour and Midlight
// the former Light, which flattens the frame's lit edges.
QPalette windowFramePalette(const QPalette& palette)
{
    QPalette copy = palette;
    const QColor light = palette.light().color();
    copy.setColor(QPalette::Light, palette.window().color());
    copy.setColor(QPalette::Midlight, light);
    return copy;
}

// Scroll-bar, combo-box and spin-box buttons show Button on their outer lit
// edge and Light inside it.
QPalette buttonLightExchanged(const QPalette& palette)
{
    QPalette copy = palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor button = palette.color(group, QPalette::Button);
        copy.setColor(group, QPalette::Button, palette.color(group, QPalette::Light));
        copy.setColor(group, QPalette::Light, button);
    }
    copy.setCurrentColorGroup(palette.currentColorGroup());
    return copy;
}

// The palette of a sunken input field's frame: Midlight takes the Button
// colour.
QPalette fieldFramePalette(const QPalette& palette)
{
    QPalette copy = palette;
    copy.setColor(QPalette::Midlight, palette.button().color());
    return copy;
}

void drawCheckMark(const QStyleOption* option, QPainter* painter)
{
    if (option->state & QStyle::State_Off)
        return;
    const int x = option->rect.x() + CHECK_MARK_OFFSET_X;
    const int y = option->rect.y() + CHECK_MARK_OFFSET_Y;
    for (int k = 0; k < CHECK_MARK_STROKES; ++k) {
        const int top = y + CHECK_MARK_DROP[k];
        painter->drawLine(x + k, top, x + k, top + CHECK_MARK_STROKE_LENGTH - 1);
    }
}

// Draws an outline that runs round the rectangle's inside edge.
void outline(QPainter* painter, const QRect& rect)
{
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

// Lines of a shape laid out along a bar (a tab, a pointed handle) drawn in
// the shape's own coordinates: 'along' runs along the bar, 'across' from
// the shape's outer edge inward. The mapping turns them into the widget's.
class ShapeFrame
{
public:
    enum Turn { Down, Up, Right, Left };

    // The rectangle's along and across ranges follow the turn: Down and Up
    // run along x, Right and Left along y; Down and Right count across from
    // the top or left edge, Up and Left from the bottom or right edge.
    ShapeFrame(QPainter* painter, const QRect& rect, Turn turn) : m_painter(painter), m_rect(rect), m_turn(turn) {}

    int alongFirst() const { return horizontal() ? m_rect.left() : m_rect.top(); }
    int alongLast() const { return horizontal() ? m_rect.right() : m_rect.bottom(); }
    int depth() const { return horizontal() ? m_rect.height() : m_rect.width(); }

    QPoint point(int along, int across) const
    {
        switch (m_turn) {
        case Down:
            return {along, m_rect.top() + across};
        case Up:
            return {along, m_rect.bottom() - across};
        case Right:
            return {m_rect.left() + across, along};
        case Left:
            return {m_rect.right() - across, along};
        }
        return {};
    }

    void line(const QColor& colour, int along1, int across1, int along2, int across2) const
    {
        m_painter->setPen(colour);
        m_painter->drawLine(point(along1, across1), point(along2, across2));
    }

    void fill(const QBrush& brush, int alongFrom, int acrossFrom, int alongTo, int acrossTo) const
    {
        if (alongTo < alongFrom || acrossTo < acrossFrom)
            return;
        const QPoint a = point(alongFrom, acrossFrom);
        const QPoint b = point(alongTo, acrossTo);
        m_painter->fillRect(QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())),
                                  QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y()))),
                            brush);
    }

private:
    bool horizontal() const { return m_turn == Down || m_turn == Up; }

    QPainter* m_painter;
    QRect m_rect;
    Turn m_turn;
};

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

void QWindowsStyleLocal::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const
{
    if (!option || !painter)
        return;
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;
    const bool sunkenOrOn = state & (State_Sunken | State_On);

    switch (element) {
    case PE_Frame:
    case PE_FrameMenu: {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (!frame) {
            qDrawWinPanel(painter, rect, windowFramePalette(palette), state & State_Sunken, nullptr);
            return;
        }
        if (element == PE_FrameMenu && frame->lineWidth != 2) {
            QCommonStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        QPalette copy = palette;
        if (element == PE_FrameMenu) {
            copy = windowFramePalette(palette);
        } else if (state & State_Raised) {
            qDrawWinButton(painter, rect, copy, state & State_Sunken, nullptr);
            return;
        } else if (state & State_Sunken) {
            copy.setColor(QPalette::Midlight, palette.window().color());
        }
        qDrawWinPanel(painter, rect, copy, state & State_Sunken, nullptr);
        return;
    }
    case PE_FrameDefaultButton: {
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        painter->setPen(palette.shadow().color());
        painter->setBrush(Qt::NoBrush);
        outline(painter, rect);
        painter->setPen(pen);
        painter->setBrush(brush);
        return;
    }
    case PE_FrameFocusRect: {
        const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
        if (!focus)
            return;
        // A click gives no focus frame; the keyboard, or a style that always
        // underlines shortcuts, does.
        if (!(state & State_KeyboardFocusChange) && !proxy()->styleHint(SH_UnderlineShortcut, option, widget))
            return;
        QColor background = focus->backgroundColor;
        if (!background.isValid())
            background = painter->background().color();
        const QColor inverted(255 - background.red(), 255 - background.green(), 255 - background.blue());
        painter->save();
        painter->setBackgroundMode(Qt::TransparentMode);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QBrush(inverted, Qt::Dense4Pattern));
        painter->setBrushOrigin(rect.topLeft());
        painter->drawRect(QRect(rect.left(), rect.top(), rect.width(), 1));
        painter->drawRect(QRect(rect.left(), rect.bottom(), rect.width(), 1));
        painter->drawRect(QRect(rect.left(), rect.top(), 1, rect.height()));
        painter->drawRect(QRect(rect.right(), rect.top(), 1, rect.height()));
        painter->restore();
        return;
    }
    case PE_FrameStatusBarItem:
        qDrawShadePanel(painter, rect, palette, true, 1, nullptr);
        return;
    case PE_FrameTabWidget:
        qDrawWinButton(painter, rect, palette, false, nullptr);
        return;
    case PE_FrameWindow:
        qDrawWinPanel(painter, rect, windowFramePalette(palette), state & State_Sunken, nullptr);
        return;
    case PE_FrameButtonBevel:
    case PE_PanelButtonBevel: {
        const QPoint origin = painter->brushOrigin();
        painter->setBrushOrigin(rect.topLeft());
        const QBrush fill = checkedOrButtonFill(option);
        if (state & (State_Raised | State_Sunken | State_On))
            qDrawWinButton(painter, rect, palette, sunkenOrOn, element == PE_PanelButtonBevel ? &fill : nullptr);
        else if (element == PE_FrameButtonBevel)
            outline(painter, rect);
        else
            painter->fillRect(rect, fill);
        painter->setBrushOrigin(origin);
        return;
    }
    case PE_FrameButtonTool:
    case PE_PanelButtonTool:
        drawToolButtonPanel(element, option, painter);
        return;
    case PE_PanelButtonCommand: {
        if (!qstyleoption_cast<const QStyleOptionButton*>(option))
            return;
        const auto* button = static_cast<const QStyleOptionButton*>(option);
        const QBrush fill = checkedOrButtonFill(option);
        if ((button->features & QStyleOptionButton::DefaultButton) && (state & State_Sunken)) {
            const QPen pen = painter->pen();
            const QBrush brush = painter->brush();
            painter->setPen(palette.dark().color());
            painter->setBrush(fill);
            outline(painter, rect);
            painter->setPen(pen);
            painter->setBrush(brush);
        } else if (state & (State_Raised | State_Sunken | State_On)) {
            qDrawWinButton(painter, rect, palette, sunkenOrOn, &fill);
        } else {
            painter->fillRect(rect, fill);
        }
        return;
    }
    case PE_IndicatorArrowDown:
    case PE_IndicatorArrowLeft:
    case PE_IndicatorArrowRight:
    case PE_IndicatorArrowUp:
        drawArrow(element, option, painter, widget);
        return;
    case PE_IndicatorBranch:
        drawBranch(option, painter);
        return;
    case PE_IndicatorItemViewItemCheck: {
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        const bool selected = item && item->showDecorationSelected && (state & State_Selected);
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        if (state & State_NoChange)
            painter->setBrush(palette.button());
        else
            painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.x() + 1, rect.y() + 1, ITEM_CHECK_SIDE - 1, ITEM_CHECK_SIDE - 1);
        drawCheckMark(option, painter);
        painter->setPen(pen);
        painter->setBrush(brush);
        return;
    }
    case PE_IndicatorCheckBox: {
        QBrush fill;
        if (state & State_NoChange)
            fill = QBrush(palette.base().color(), Qt::Dense4Pattern);
        else if (state & State_Sunken)
            fill = palette.button();
        else if (state & State_Enabled)
            fill = palette.base();
        else
            fill = palette.window();
        qDrawWinPanel(painter, rect, palette, true, &fill);
        const QPen pen = painter->pen();
        painter->setPen(state & State_NoChange ? palette.dark().color() : palette.text().color());
        drawCheckMark(option, painter);
        painter->setPen(pen);
        return;
    }
    case PE_IndicatorRadioButton:
        drawRadioButton(option, painter, widget);
        return;
    case PE_IndicatorToolBarHandle: {
        painter->save();
        painter->translate(rect.topLeft());
        const int width = rect.width();
        const int height = rect.height();
        if (state & State_Horizontal) {
            if (height > HANDLE_MIN_SPAN) {
                const int x =
                    width / 2 - (option->direction == Qt::RightToLeft ? HANDLE_OFFSET_REVERSED : HANDLE_OFFSET);
                const int barHeight = height - 2 * HANDLE_MARGIN;
                qDrawShadePanel(painter, x, HANDLE_MARGIN, HANDLE_BAR, barHeight, palette, false, 1, nullptr);
                qDrawShadePanel(painter, x + HANDLE_BAR, HANDLE_MARGIN, HANDLE_BAR, barHeight, palette, false, 1,
                                nullptr);
            }
        } else if (width > HANDLE_MIN_SPAN) {
            const int y = height / 2;
            const int barWidth = width - 2 * HANDLE_MARGIN;
            qDrawShadePanel(painter, HANDLE_MARGIN, y - HANDLE_OFFSET, barWidth, HANDLE_BAR, palette, false, 1,
                            nullptr);
            qDrawShadePanel(painter, HANDLE_MARGIN, y - 1, barWidth, HANDLE_BAR, palette, false, 1, nullptr);
        }
        painter->restore();
        return;
    }
    case PE_IndicatorToolBarSeparator: {
        const QPen pen = painter->pen();
        if (state & State_Horizontal) {
            const int x = rect.left() + rect.width() / 2;
            painter->setPen(palette.dark().color());
            painter->drawLine(x, rect.bottom() - SEPARATOR_MARGIN, x, rect.top() + SEPARATOR_MARGIN);
            painter->setPen(palette.light().color());
            painter->drawLine(x + 1, rect.bottom() - SEPARATOR_MARGIN, x + 1, rect.top() + SEPARATOR_MARGIN);
        } else {
            const int y = rect.top() + rect.height() / 2;
            painter->setPen(palette.dark().color());
            painter->drawLine(rect.left() + SEPARATOR_MARGIN, y, rect.right() - SEPARATOR_MARGIN, y);
            painter->setPen(palette.light().color());
            painter->drawLine(rect.left() + SEPARATOR_MARGIN, y + 1, rect.right() - SEPARATOR_MARGIN, y + 1);
        }
        painter->setPen(pen);
        return;
    }
    default:
        QCommonStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
}

void QWindowsStyleLocal::drawToolButtonPanel(PrimitiveElement element, const QStyleOption* option,
                                             QPainter* painter) const
{
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;
    const bool panel = element == PE_PanelButtonTool;
    const bool sunkenOrOn = state & (State_Sunken | State_On);
    // An auto-raised button under the mouse shows itself raised, not checked.
    const bool hoveredAutoRaise =
        (state & State_Enabled) && (state & State_MouseOver) && (state & State_AutoRaise);
    const bool checkedFill = (state & State_On) && !(state & State_Sunken) && !hoveredAutoRaise;
    const QBrush fill = checkedFill ? QBrush(palette.light().color(), Qt::Dense4Pattern) : palette.button();

    const QPen pen = painter->pen();
    if (!(state & (State_Raised | State_Sunken | State_On))) {
        painter->fillRect(rect, fill);
    } else if (state & State_AutoRaise) {
        if (state & (State_Enabled | State_Sunken | State_On)) {
            if (panel)
                qDrawShadePanel(painter, rect, palette, sunkenOrOn, 1, &fill);
            else
                qDrawShadeRect(painter, rect, palette, sunkenOrOn, 1, 0, nullptr);
        }
        if (checkedFill) {
            const QBrush brush = painter->brush();
            painter->setPen(palette.button().color());
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(rect.adjusted(1, 1, -2, -2));
            painter->setBrush(brush);
        }
    } else {
        qDrawWinButton(painter, rect, palette, sunkenOrOn, panel ? &fill : nullptr);
    }
    painter->setPen(pen);
}

void QWindowsStyleLocal::drawArrow(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    const QRect& rect = option->rect;
    if (rect.width() <= 1 || rect.height() <= 1)
        return;
    const int side = qMin(rect.width(), rect.height());
    const int border = side / ARROW_BORDER_SHARE;
    const int size = 2 * (side / 2);

    QString key = StyleTools::optionCacheKey(ARROW_KEY_PREFIX + QLatin1String(metaObject()->className()), option,
                                             QSize(side, side));
    const qsizetype named = key.size();
    key.resize(named + StyleTools::HEX32_CHARS);
    QChar* cursor = key.data() + named;
    StyleTools::appendHex32(cursor, quint32(element));

    const bool cacheable = StyleTools::canCachePainting(painter, rect);
    QPixmap pixmap;
    if (!cacheable || !QPixmapCache::find(key, &pixmap)) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(0);
        const int half = size / 2;
        QPolygon triangle;
        switch (element) {
        case PE_IndicatorArrowDown:
            triangle << QPoint(border, half) << QPoint(half, size - border) << QPoint(size - border, half);
            break;
        case PE_IndicatorArrowLeft:
            triangle << QPoint(border, half) << QPoint(half, border) << QPoint(half, size - border);
            break;
        case PE_IndicatorArrowRight:
            triangle << QPoint(size - border, half) << QPoint(half, border) << QPoint(half, size - border);
            break;
        default:
            triangle << QPoint(border, half) << QPoint(half, border) << QPoint(size - border, half);
            break;
        }
        QPoint shift = QPoint(half - 1, half - 1) - triangle.boundingRect().center();
        if (option->state & State_Sunken)
            shift += QPoint(proxy()->pixelMetric(PM_ButtonShiftHorizontal, option, widget),
                            proxy()->pixelMetric(PM_ButtonShiftVertical, option, widget));
        QPainter imagePainter(&image);
        imagePainter.translate(shift);
        QColor colour = option->palette.buttonText().color();
        if (!(option->state & State_Enabled)) {
            // Disabled arrows are etched: a light copy one pixel down and
            // right, then the arrow itself in Mid.
            const QColor light = option->palette.light().color();
            imagePainter.translate(1, 1);
            imagePainter.setPen(light);
            imagePainter.setBrush(light);
            imagePainter.drawPolygon(triangle);
            imagePainter.translate(-1, -1);
            colour = option->palette.mid().color();
        }
        imagePainter.setPen(colour);
        imagePainter.setBrush(colour);
        imagePainter.drawPolygon(triangle);
        imagePainter.end();
        pixmap = QPixmap::fromImage(image);
        if (cacheable)
            QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2, pixmap);
}

void QWindowsStyleLocal::drawBranch(const QStyleOption* option, QPainter* painter) const
{
    const QRect& rect = option->rect;
    const State state = option->state;
    const int midH = rect.x() + rect.width() / 2;
    const int midV = rect.y() + rect.height() / 2;
    const bool children = state & State_Children;
    const QPen pen = painter->pen();
    const QBrush brush = painter->brush();

    if (children) {
        painter->setPen(option->palette.dark().color());
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(midH - BRANCH_BOX_HALF, midV - BRANCH_BOX_HALF, 2 * BRANCH_BOX_HALF, 2 * BRANCH_BOX_HALF);
        painter->drawLine(midH - BRANCH_SIGN_HALF, midV, midH + BRANCH_SIGN_HALF, midV);
        if (!(state & State_Open))
            painter->drawLine(midH, midV - BRANCH_SIGN_HALF, midH, midV + BRANCH_SIGN_HALF);
    }

    // Dotted guide lines stop at the box, or meet at the centre.
    const QBrush dots(option->palette.dark().color(), Qt::Dense4Pattern);
    const int gap = children ? BRANCH_BOX_HALF + 1 : 0;
    if (state & State_Item) {
        if (option->direction == Qt::RightToLeft)
            painter->fillRect(QRect(QPoint(rect.left(), midV), QPoint(midH - gap, midV)), dots);
        else
            painter->fillRect(QRect(QPoint(midH + gap, midV), QPoint(rect.right(), midV)), dots);
    }
    if (state & State_Sibling)
        painter->fillRect(QRect(QPoint(midH, midV + gap), QPoint(midH, rect.bottom())), dots);
    if (state & (State_Open | State_Children | State_Item | State_Sibling))
        painter->fillRect(QRect(QPoint(midH, rect.top()), QPoint(midH, midV - gap)), dots);

    painter->setPen(pen);
    painter->setBrush(brush);
}

void QWindowsStyleLocal::drawRadioButton(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    QRect square = option->rect;
    if (square.width() > square.height())
        square = QRect(square.x() + (square.width() - square.height()) / 2, square.y(), square.height(),
                       square.height());
    else
        square = QRect(square.x(), square.y() + (square.height() - square.width()) / 2, square.width(),
                       square.width());
    const int indicator = proxy()->pixelMetric(PM_ExclusiveIndicatorWidth, option, widget);
    const QPoint origin(square.x() + (square.width() - indicator) / 2,
                        square.y() + (square.height() - indicator) / 2);
    const QPalette& palette = option->palette;
    const State state = option->state;

    painter->save();
    painter->setBrush(Qt::NoBrush);
    // The rasterizer may leave out a line's last pixel: every point of a
    // table belongs to the outline.
    const auto outline = [painter](const QColor& colour, const QPolygon& points) {
        painter->setPen(colour);
        painter->drawPolyline(points);
        painter->drawPoint(points.last());
    };
    outline(palette.dark().color(), polygonOf(RADIO_OUTER_TOP_LEFT, origin));
    outline(palette.shadow().color(), polygonOf(RADIO_INNER_TOP_LEFT, origin));
    outline(palette.midlight().color(), polygonOf(RADIO_INNER_BOTTOM_RIGHT, origin));
    outline(palette.light().color(), polygonOf(RADIO_OUTER_BOTTOM_RIGHT, origin));

    const QColor centre =
        (state & State_Enabled) && !(state & State_Sunken) ? palette.base().color() : palette.button().color();
    painter->setPen(centre);
    painter->setBrush(centre);
    painter->drawPolygon(polygonOf(RADIO_CENTRE, origin));

    if (state & State_On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette.text());
        painter->drawRect(RADIO_DOT_TALL.translated(origin));
        painter->drawRect(RADIO_DOT_WIDE.translated(origin));
    }
    painter->restore();
}

void QWindowsStyleLocal::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    if (!option || !painter)
        return;
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;

    switch (element) {
    case CE_TabBarTabShape:
        drawTabShape(option, painter, widget);
        return;
    case CE_MenuBarEmptyArea:
        // Only a main window's menu bar sits on a line of its own.
        if (widget && qobject_cast<const QMainWindow*>(widget->parentWidget())) {
            painter->fillRect(rect, palette.button());
            const QPen pen = painter->pen();
            painter->setPen(palette.dark().color());
            painter->drawLine(rect.bottomLeft(), rect.bottomRight());
            painter->setPen(pen);
        }
        return;
    case CE_HeaderSection: {
        const QBrush fill = state & State_On ? QBrush(palette.light().color(), Qt::Dense4Pattern) : palette.button();
        if (state & (State_Raised | State_Sunken))
            qDrawWinButton(painter, rect, palette, state & State_Sunken, &fill);
        else
            painter->fillRect(rect, fill);
        return;
    }
    case CE_Splitter:
        painter->eraseRect(rect);
        return;
    case CE_RubberBand: {
        if (!qstyleoption_cast<const QStyleOptionRubberBand*>(option))
            return;
        QPixmap tile(RUBBER_BAND_TILE, RUBBER_BAND_TILE);
        {
            QPainter tilePainter(&tile);
            tilePainter.setPen(Qt::NoPen);
            tilePainter.setBrush(Qt::Dense4Pattern);
            tilePainter.setBackground(Qt::white);
            tilePainter.setBackgroundMode(Qt::OpaqueMode);
            tilePainter.drawRect(tile.rect());
        }
        painter->save();
        QStyleHintReturnMask mask;
        if (proxy()->styleHint(SH_RubberBand_Mask, option, widget, &mask))
            painter->setClipRegion(mask.region, painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        painter->drawTiledPixmap(rect, tile);
        painter->restore();
        return;
    }
    case CE_ScrollBarAddLine:
    case CE_ScrollBarSubLine:
        drawScrollBarLine(element, option, painter, widget);
        return;
    case CE_ScrollBarAddPage:
    case CE_ScrollBarSubPage: {
        const QBrush background = painter->background();
        const Qt::BGMode mode = painter->backgroundMode();
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        painter->setPen(Qt::NoPen);
        painter->setBackgroundMode(Qt::OpaqueMode);
        if (state & State_Sunken) {
            painter->setBrush(QBrush(palette.shadow().color(), Qt::Dense4Pattern));
            painter->setBackground(palette.dark().color());
        } else {
            const QPixmap texture = palette.light().texture();
            painter->setBrush(texture.isNull() ? QBrush(palette.light().color(), Qt::Dense4Pattern) : QBrush(texture));
            painter->setBackground(palette.window().color());
        }
        painter->drawRect(rect);
        painter->setPen(pen);
        painter->setBrush(brush);
        painter->setBackground(background);
        painter->setBackgroundMode(mode);
        return;
    }
    case CE_ScrollBarSlider:
        if (state & State_Enabled) {
            const QBrush fill = palette.button();
            qDrawWinButton(painter, rect, buttonLightExchanged(palette), false, &fill);
        } else {
            const QBrush background = painter->background();
            const Qt::BGMode mode = painter->backgroundMode();
            const QPen pen = painter->pen();
            const QBrush brush = painter->brush();
            const QPixmap texture = palette.light().texture();
            painter->setPen(Qt::NoPen);
            painter->setBackgroundMode(Qt::OpaqueMode);
            painter->setBackground(palette.window().color());
            painter->setBrush(texture.isNull() ? QBrush(palette.light().color(), Qt::Dense4Pattern) : QBrush(texture));
            painter->drawRect(rect);
            painter->setPen(pen);
            painter->setBrush(brush);
            painter->setBackground(background);
            painter->setBackgroundMode(mode);
        }
        return;
    case CE_ToolBar:
        drawToolBar(option, painter);
        return;
    case CE_ProgressBarContents:
        // The common style divides by the width of a busy bar's contents:
        // a bar squeezed to nothing (its contents are the groove less 3 on
        // each side) would bring the program down. An empty bar shows
        // nothing anyway.
        if (!rect.isEmpty())
            QCommonStyle::drawControl(element, option, painter, widget);
        return;
    case CE_ToolBoxTabShape: {
        const QBrush fill = palette.button();
        qDrawShadePanel(painter, rect, palette, state & (State_Sunken | State_On), 1, &fill);
        return;
    }
    default:
        QCommonStyle::drawControl(element, option, painter, widget);
        return;
    }
}

void QWindowsStyleLocal::drawScrollBarLine(ControlElement element, const QStyleOption* option, QPainter* painter,
                                           const QWidget* widget) const
{
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;
    const QBrush fill = palette.button();
    if (state & State_Sunken) {
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        painter->setPen(palette.dark().color());
        painter->setBrush(fill);
        outline(painter, rect);
        painter->setPen(pen);
        painter->setBrush(brush);
    } else {
        qDrawWinButton(painter, rect, buttonLightExchanged(palette), state & (State_Sunken | State_On), &fill);
    }

    PrimitiveElement arrow;
    if (state & State_Horizontal) {
        const bool add = (element == CE_ScrollBarAddLine) != (option->direction == Qt::RightToLeft);
        arrow = add ? PE_IndicatorArrowRight : PE_IndicatorArrowLeft;
    } else {
        arrow = element == CE_ScrollBarAddLine ? PE_IndicatorArrowDown : PE_IndicatorArrowUp;
    }
    QStyleOption arrowOption = *option;
    arrowOption.rect = rect.adjusted(SCROLL_BAR_ARROW_MARGIN, SCROLL_BAR_ARROW_MARGIN, -SCROLL_BAR_ARROW_MARGIN,
                                     -SCROLL_BAR_ARROW_MARGIN);
    proxy()->drawPrimitive(arrow, &arrowOption, painter, widget);
}

void QWindowsStyleLocal::drawToolBar(const QStyleOption* option, QPainter* painter) const
{
    const auto* toolBar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    if (!toolBar)
        return;
    bool left = true;
    bool right = true;
    bool bottom = true;
    const bool firstOfLine = toolBar->positionOfLine == QStyleOptionToolBar::Beginning
        || toolBar->positionOfLine == QStyleOptionToolBar::OnlyOne;
    switch (toolBar->toolBarArea) {
    case Qt::LeftToolBarArea:
        left = !firstOfLine;
        break;
    case Qt::RightToolBarArea:
        right = !firstOfLine;
        break;
    case Qt::BottomToolBarArea:
        bottom = !firstOfLine;
        break;
    default:
        break;
    }
    if (toolBar->toolBarArea == Qt::TopToolBarArea || toolBar->toolBarArea == Qt::BottomToolBarArea) {
        switch (toolBar->positionWithinLine) {
        case QStyleOptionToolBar::Beginning:
            left = false;
            break;
        case QStyleOptionToolBar::End:
            right = false;
            break;
        case QStyleOptionToolBar::OnlyOne:
            left = false;
            right = false;
            break;
        default:
            break;
        }
        // A right-to-left line begins at the right: its borders trade sides.
        if (toolBar->direction == Qt::RightToLeft)
            std::swap(left, right);
    }

    const QRect& rect = toolBar->rect;
    const QColor light = toolBar->palette.light().color();
    const QColor dark = toolBar->palette.dark().color();
    const QPen pen = painter->pen();
    painter->setPen(light);
    painter->drawLine(rect.topLeft(), rect.topRight());
    if (left)
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setPen(dark);
    if (right)
        painter->drawLine(rect.topRight(), rect.bottomRight());
    if (bottom)
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(pen);
}

void QWindowsStyleLocal::drawTabShape(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    if (!tab)
        return;
    ShapeFrame::Turn turn;
    switch (tab->shape) {
    case QTabBar::RoundedNorth:
        turn = ShapeFrame::Down;
        break;
    case QTabBar::RoundedSouth:
        turn = ShapeFrame::Up;
        break;
    case QTabBar::RoundedWest:
        turn = ShapeFrame::Right;
        break;
    case QTabBar::RoundedEast:
        turn = ShapeFrame::Left;
        break;
    default:
        QCommonStyle::drawControl(CE_TabBarTabShape, option, painter, widget);
        return;
    }
    // The frame's across runs from the tab's outer edge toward the pane.
    const ShapeFrame frame(painter, tab->rect, turn);
    const bool horizontal = turn == ShapeFrame::Down || turn == ShapeFrame::Up;
    const bool selected = tab->state & State_Selected;
    const int overlap = proxy()->pixelMetric(PM_TabBarBaseOverlap, tab, widget);

    // Neighbours by side: 'low' is the left or top side. A right-to-left
    // bar begins at the right.
    const bool reversed = horizontal && tab->direction == Qt::RightToLeft;
    const bool hasPrevious =
        tab->position == QStyleOptionTab::Middle || tab->position == QStyleOptionTab::End;
    const bool previousSelected = tab->selectedPosition == QStyleOptionTab::PreviousIsSelected;
    const bool nextSelected = tab->selectedPosition == QStyleOptionTab::NextIsSelected;
    // The first tab stands at the bar's start unless the tabs are centred or
    // pushed to the far end.
    const int alignment = proxy()->styleHint(SH_TabBar_Alignment, tab, widget);
    const bool roomBeforeFirst = horizontal && (alignment & (Qt::AlignHCenter | Qt::AlignRight));
    const bool roomBefore = hasPrevious || roomBeforeFirst;
    const bool lowRoom = reversed ? true : roomBefore;
    const bool highRoom = reversed ? roomBefore : true;
    const bool lowSelected = reversed ? nextSelected : previousSelected;
    const bool highSelected = reversed ? previousSelected : nextSelected;

    int first = frame.alongFirst();
    int last = frame.alongLast();
    int outer = 0;
    int inner = frame.depth() - 1;
    bool drawLow = true;
    bool drawHigh = true;
    int fillEnd;
    if (selected) {
        // The selected tab stands taller and wider, and opens into the pane:
        // its sides reach into the pane's frame by half the overlap, its body
        // covers the frame under it.
        if (lowRoom)
            first -= TAB_SELECTED_OVERHANG;
        if (highRoom)
            last += TAB_SELECTED_OVERHANG;
        fillEnd = inner;
        inner -= overlap / 2;
    } else {
        outer = TAB_UNSELECTED_DROP;
        inner -= overlap;
        fillEnd = inner;
        // The selected neighbour's overhang covers this side.
        if (lowSelected) {
            first += TAB_SELECTED_OVERHANG;
            drawLow = false;
        }
        if (highSelected) {
            last -= TAB_SELECTED_OVERHANG;
            drawHigh = false;
        }
    }

    const QPalette& palette = tab->palette;
    const QColor light = palette.light().color();
    const QColor dark = palette.dark().color();
    const QColor shadow = palette.shadow().color();
    // The outer edge faces up or left for tabs above or left of the pane.
    const bool outerLit = turn == ShapeFrame::Down || turn == ShapeFrame::Right;

    const QPen pen = painter->pen();
    frame.fill(palette.window(), drawLow ? first + 1 : first, outer + 1, drawHigh ? last - 1 : last, fillEnd);
    frame.line(outerLit ? light : shadow, first + (drawLow ? 2 : 0), outer, last - (drawHigh ? 2 : 0), outer);
    if (!outerLit)
        frame.line(dark, first + (drawLow ? 2 : 0), outer + 1, last - (drawHigh ? 2 : 0), outer + 1);
    if (drawLow) {
        frame.line(outerLit ? light : shadow, first + 1, outer + 1, first + 1, outer + 1);
        frame.line(light, first, outer + 2, first, inner);
    }
    if (drawHigh) {
        frame.line(shadow, last - 1, outer + 1, last - 1, outer + 1);
        frame.line(shadow, last, outer + 2, last, inner);
        frame.line(dark, last - 1, outer + 2, last - 1, inner);
    }
    painter->setPen(pen);
}

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
