// The Plastique title bar of a sub-window: fixed colours for active and
// inactive windows, a rounded frame, the bold caption with its shadow and
// up to eight buttons with their symbols.
#include "QPlastiqueStyleLocal.h"

#include "PlastiqueDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyleOption>

using namespace PlastiqueDrawing;

namespace {

struct TitleColours
{
    QRgb gradientStart;
    QRgb gradientStop;
    QRgb border;
    QRgb corner;
    QRgb innerTop;
    QRgb secondTop;
    QRgb left;
    QRgb right;
    QRgb helpPlain;
    QRgb helpPlainShade;
    QRgb helpLit;
    QRgb helpLitShade;
};

constexpr TitleColours INACTIVE = {0x6e6e6e, 0x818181, 0x393939, 0x6a6a6a, 0xa4a4a4, 0x808080,
                                   0x8e8e8e, 0x676767, 0x929292, 0x818181, 0xababab, 0x9e9e9e};
constexpr TitleColours ACTIVE = {0x3b508a, 0x5d6e9e, 0x393939, 0x4b5e7f, 0x8e98ba, 0x57699b,
                                 0x6f7ea8, 0x44537d, 0x7381ab, 0x55689a, 0x939ebe, 0x7d8bb1};
constexpr QRgb SYMBOL = 0x282e40;
constexpr QRgb SYMBOL_EDGE = 0x3f4862;
constexpr double NORMAL_ICON_SHARE = 3.5;
constexpr int HELP_DARK_BLEND = 30;
constexpr int HELP_MID_BLEND = 70;
constexpr int HELP_LIGHT_BLEND = 90;

QImage helpImage(const QColor& one, const QColor& two, const QColor& three, const QColor& four)
{
    const char* e = "...........................";
    return indexedImage({e,
                         e,
                         e,
                         e,
                         e,
                         e,
                         e,
                         e,
                         "...........234432..........",
                         ".........1333123311........",
                         ".........1442..23321.......",
                         ".........1443..34321.......",
                         ".........1111..23211.......",
                         "............1323311........",
                         "............24332..........",
                         "............1441...........",
                         "............1221...........",
                         "............1221...........",
                         "............2442...........",
                         "............1331...........",
                         e,
                         e,
                         e,
                         e,
                         e,
                         e,
                         e},
                        ".1234", {one, two, three, four});
}

QPen colourPen(QRgb rgb)
{
    return QPen(QColor(rgb), 1);
}

// A small window: outline, title line and soft corners.
void drawWindowSymbol(QPainter* painter, const QRect& w)
{
    painter->setPen(colourPen(SYMBOL));
    painter->drawRect(w.adjusted(0, 0, -1, -1));
    painter->drawLine(w.left() + 1, w.top() + 1, w.right() - 1, w.top() + 1);
    painter->setPen(colourPen(SYMBOL_EDGE));
    const QPoint corners[] = {w.topLeft(), w.topRight(), w.bottomLeft(), w.bottomRight()};
    painter->drawPoints(corners, 4);
}

} // namespace

void QPlastiqueStyleLocal::drawTitleBar(const QStyleOptionTitleBar* option, QPainter* painter,
                                        const QWidget* widget) const
{
    const bool active = option->titleBarState & State_Active;
    const TitleColours& c = active ? ACTIVE : INACTIVE;
    const QRect& rect = option->rect;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    painter->save();
    drawCachedGradient(painter, rect.adjusted(1, 1, -1, 0), QColor(c.gradientStart), QColor(c.gradientStop));

    painter->setPen(colourPen(c.border));
    const QLine frame[] = {QLine(l + 2, t, r - 2, t), QLine(l, t + 2, l, b), QLine(r, t + 2, r, b)};
    painter->drawLines(frame, 3);
    const QPoint frameCorners[] = {QPoint(l + 1, t + 1), QPoint(r - 1, t + 1)};
    painter->drawPoints(frameCorners, 2);
    painter->setPen(colourPen(c.corner));
    const QPoint corners[] = {QPoint(l + 2, t + 1), QPoint(l + 1, t + 2), QPoint(r - 2, t + 1), QPoint(r - 1, t + 2)};
    painter->drawPoints(corners, 4);
    painter->setPen(colourPen(c.innerTop));
    painter->drawLine(l + 3, t + 1, r - 3, t + 1);
    painter->setPen(colourPen(c.secondTop));
    painter->drawLine(l + 2, t + 2, r - 2, t + 2);
    painter->setPen(colourPen(c.left));
    painter->drawLine(l + 1, t + 3, l + 1, b);
    painter->setPen(colourPen(c.right));
    painter->drawLine(r - 1, t + 3, r - 1, b);

    const bool minimized = option->titleBarState & Qt::WindowMinimized;
    const bool maximized = option->titleBarState & Qt::WindowMaximized;
    if (minimized) {
        painter->setPen(colourPen(c.border));
        painter->drawLine(l + 2, b, r - 2, b);
        const QPoint bottomCorners[] = {QPoint(l + 1, b - 1), QPoint(r - 1, b - 1)};
        painter->drawPoints(bottomCorners, 2);
        painter->setPen(colourPen(c.right));
        painter->drawLine(l + 2, b - 1, r - 2, b - 1);
        painter->setPen(colourPen(c.corner));
        const QPoint soft[] = {QPoint(l + 1, b - 2), QPoint(l + 2, b - 1), QPoint(r - 1, b - 2), QPoint(r - 2, b - 1)};
        painter->drawPoints(soft, 4);
    }

    const QRect label = proxy()->subControlRect(CC_TitleBar, option, SC_TitleBarLabel, widget);
    QFont font = painter->font();
    font.setBold(true);
    painter->setFont(font);
    const bool wide = QFontMetrics(font).horizontalAdvance(option->text) > label.width();
    const int alignment = Qt::AlignVCenter | (wide ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::TextSingleLine;
    painter->setPen(option->palette.text().color());
    painter->drawText(label.translated(1, 1), alignment, option->text);
    painter->setPen(option->palette.highlightedText().color());
    painter->drawText(label, alignment, option->text);

    const auto button = [&](SubControl sub, bool shown) -> QRect {
        if (!(option->subControls & sub) || !shown)
            return QRect();
        const QRect place = proxy()->subControlRect(CC_TitleBar, option, sub, widget);
        if (!place.isValid())
            return QRect();
        const bool hover = (option->activeSubControls & sub) && (option->state & State_MouseOver);
        const bool pressed = (option->activeSubControls & sub) && (option->state & State_Sunken);
        if (sub != SC_TitleBarSysMenu || hover)
            drawTitleBarButton(painter, option, place, hover, pressed);
        return place;
    };
    const auto symbolBox = [](const QRect& place) {
        return place.adjusted(place.width() / 3, place.height() / 3, -place.width() / 3, -place.height() / 3);
    };
    const Qt::WindowFlags flags = option->titleBarFlags;

    QRect place = button(SC_TitleBarMinButton, (flags & Qt::WindowMinimizeButtonHint) && !minimized);
    if (place.isValid()) {
        const QRect s = symbolBox(place);
        const int sx = s.center().x();
        const int sy = s.center().y();
        painter->setPen(colourPen(SYMBOL));
        painter->drawLine(sx - 2, sy + 3, sx + 3, sy + 3);
        painter->drawLine(sx - 2, sy + 4, sx + 3, sy + 4);
        painter->setPen(colourPen(SYMBOL_EDGE));
        painter->drawLine(sx - 3, sy + 3, sx - 3, sy + 4);
        painter->drawLine(sx + 4, sy + 3, sx + 4, sy + 4);
    }
    place = button(SC_TitleBarMaxButton, (flags & Qt::WindowMaximizeButtonHint) && !maximized);
    if (place.isValid())
        drawWindowSymbol(painter, symbolBox(place));
    place = button(SC_TitleBarCloseButton, flags & Qt::WindowSystemMenuHint);
    if (place.isValid()) {
        const QRect s = symbolBox(place);
        painter->setPen(colourPen(SYMBOL_EDGE));
        const QLine edges[] = {QLine(s.left() + 1, s.top(), s.right(), s.bottom() - 1),
                               QLine(s.left(), s.top() + 1, s.right() - 1, s.bottom()),
                               QLine(s.right() - 1, s.top(), s.left(), s.bottom() - 1),
                               QLine(s.right(), s.top() + 1, s.left() + 1, s.bottom())};
        painter->drawLines(edges, 4);
        const QPoint ends[] = {s.topLeft(), s.topRight(), s.bottomLeft(), s.bottomRight()};
        painter->drawPoints(ends, 4);
        painter->setPen(colourPen(SYMBOL));
        painter->drawLine(s.left() + 1, s.top() + 1, s.right() - 1, s.bottom() - 1);
        painter->drawLine(s.left() + 1, s.bottom() - 1, s.right() - 1, s.top() + 1);
    }
    place = button(SC_TitleBarNormalButton, ((flags & Qt::WindowMinimizeButtonHint) && minimized)
                                                || ((flags & Qt::WindowMaximizeButtonHint) && maximized));
    if (place.isValid()) {
        const int dx = int(place.width() / NORMAL_ICON_SHARE);
        const int dy = int(place.height() / NORMAL_ICON_SHARE);
        const QRect icon = place.adjusted(dx, dy, -dx, -dy);
        const QRect front = icon.adjusted(0, 3, -3, 0);
        const QRect back = icon.adjusted(3, 0, 0, -3);
        drawWindowSymbol(painter, front);
        painter->save();
        painter->setClipRegion(QRegion(back) - QRegion(front));
        drawWindowSymbol(painter, back);
        painter->restore();
    }
    place = button(SC_TitleBarContextHelpButton, flags & Qt::WindowContextHelpButtonHint);
    if (place.isValid()) {
        const bool hover = (option->activeSubControls & SC_TitleBarContextHelpButton)
            && (option->state & State_MouseOver);
        const QColor mix = blendColors(QColor(hover ? c.helpLitShade : c.helpPlainShade),
                                       QColor(hover ? c.helpLit : c.helpPlain), HALF_BLEND);
        const QColor symbol(SYMBOL);
        painter->drawImage(place, helpImage(blendColors(mix, symbol, HELP_LIGHT_BLEND),
                                            blendColors(mix, symbol, HELP_MID_BLEND),
                                            blendColors(mix, symbol, HELP_DARK_BLEND), symbol));
    }
    painter->setPen(colourPen(SYMBOL_EDGE));
    painter->setBrush(QColor(SYMBOL));
    place = button(SC_TitleBarShadeButton, true);
    if (place.isValid()) {
        const QRect s = symbolBox(place);
        QPainterPath path;
        path.moveTo(s.bottomLeft());
        path.lineTo(s.center().x(), s.bottom() - s.height() / 2);
        path.lineTo(s.bottomRight());
        path.closeSubpath();
        painter->setPen(colourPen(SYMBOL_EDGE));
        painter->setBrush(QColor(SYMBOL));
        painter->drawPath(path);
    }
    place = button(SC_TitleBarUnshadeButton, true);
    if (place.isValid()) {
        const QRect s = symbolBox(place);
        const int y = s.bottom() - s.height() / 2;
        QPainterPath path;
        path.moveTo(s.left(), y);
        path.lineTo(s.right(), y);
        path.lineTo(s.center().x(), s.bottom());
        path.closeSubpath();
        painter->setPen(colourPen(SYMBOL_EDGE));
        painter->setBrush(QColor(SYMBOL));
        painter->drawPath(path);
    }
    place = button(SC_TitleBarSysMenu, flags & Qt::WindowSystemMenuHint);
    if (place.isValid()) {
        if (!option->icon.isNull()) {
            option->icon.paint(painter, place, Qt::AlignCenter, QIcon::Normal, QIcon::Off);
        } else {
            QStyleOption plain;
            plain.palette = option->palette;
            const QPixmap pixmap = standardPixmap(SP_TitleBarMenuButton, &plain, widget);
            painter->save();
            proxy()->drawItemPixmap(painter, place, Qt::AlignCenter, pixmap);
            painter->restore();
        }
    }
    painter->restore();
}
