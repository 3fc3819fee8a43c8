// Primitive drawing of the Windows-look style: frames and button panels,
// the focus frame, arrows, tree branches, check boxes and radio buttons,
// tool-bar handles and separators. What is not drawn here goes to
// QCommonStyle.
#include "QWindowsStyleLocal.h"

#include "QWindowsStyleLocalInterne.h"
#include "StyleTools.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygon>
#include <QStyleOption>
#include <qdrawutil.h>

using namespace windows_style_interne;

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

// Tool-bar handle: two bars of this thickness, this far apart.
constexpr int HANDLE_BAR = 3;
constexpr int HANDLE_MARGIN = 2;
constexpr int HANDLE_MIN_SPAN = 4;
constexpr int HANDLE_OFFSET = 4;
constexpr int HANDLE_OFFSET_REVERSED = 6;
constexpr int SEPARATOR_MARGIN = 2;

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
