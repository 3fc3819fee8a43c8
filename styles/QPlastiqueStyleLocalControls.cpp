// Control drawing of the Plastique style: header sections, tool bars,
// tool-box tabs, splitter handles, combo-box labels, the scroll-bar parts,
// progress-bar contents and rounded tab shapes.
#include "QPlastiqueStyleLocal.h"

#include "PlastiqueCachedPainting.h"
#include "PlastiqueDrawing.h"
#include "StyleTools.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTabBar>

#include <cstring>
#include <initializer_list>
#include <utility>

using namespace PlastiqueDrawing;

namespace {

constexpr int GRADIENT_START_LIGHT = 104;
constexpr int GRADIENT_STOP_DARK = 105;
constexpr int HIGHLIGHT_START_LIGHT = 101;
constexpr int HIGHLIGHT_STOP_BLEND = 85;
constexpr int DARK_INNER_BLEND = 35;
constexpr int LIGHT_INNER_BLEND = 58;
constexpr int SUNKEN_LIGHT = 110;

// Header section.
constexpr int SUNKEN_HEADER_TOP_DARK = 114;
constexpr int SUNKEN_HEADER_BOTTOM_DARK = 106;
constexpr int SUNKEN_HEADER_LIGHT_DARK = 118;
constexpr int SUNKEN_HEADER_DARK_DARK = 110;

constexpr int TOOL_BAR_LIGHT = 104;
constexpr int SPLITTER_WASH_ALPHA = 128;
constexpr int GRIP_STRIP = 3;
constexpr int TOOL_BOX_SLANT_SHARE = 10;
constexpr int COMBO_ICON_MARGIN = 2;
constexpr int COMBO_ICON_PLACE_EXTRA = 5;

// Scroll bar.
constexpr int FRAME_SIZE = 16;
constexpr int GROOVE_DOT_DARK = 125;

// Progress bar.
constexpr int PROGRESS_MIN_WIDTH = 4;
constexpr int PROGRESS_STRIPE = 10;
constexpr int PROGRESS_STRIPE_EXTRA = 24;
constexpr int PROGRESS_STRIPE_SHIFT = 25;
constexpr int PROGRESS_STRIPE_PERIOD = 20;
constexpr int PROGRESS_STRIPE_MIN_HEIGHT = 7;
constexpr int BUSY_STEP_DIVISOR = 25;

// Tab.
constexpr int TAB_LOWERED = 3;
constexpr int TAB_BODY_DARK = 110;
constexpr double TAB_BORDER_ALPHA = 0.4;
constexpr double TAB_SOFT_ALPHA = 0.075;
constexpr double TAB_DEEP_ALPHA = 0.23;
constexpr double TAB_CORNER_ALPHA = 0.25;

// The colours every control drawing derives from the palette first.
struct SharedColours
{
    SharedColours(const QStyleOption* option, const QWidget* widget)
    {
        const QPalette& palette = option->palette;
        const QColor button = palette.button().color();
        const QColor highlight = palette.highlight().color();
        border = palette.window().color().darker(BORDER_DARK_FACTOR);
        corner = cornerColor(option, widget);
        gradientStart = button.lighter(GRADIENT_START_LIGHT);
        gradientStop = button.darker(GRADIENT_STOP_DARK);
        highlightStart = button.lighter(HIGHLIGHT_START_LIGHT);
        highlightStop = blendColors(button, highlight, HIGHLIGHT_STOP_BLEND);
        lightShadowStart = highlightStart.lighter(LIGHT_FACTOR);
        lightShadowStop = highlightStop.lighter(LIGHT_FACTOR);
        darkInnerHighlight = blendColors(button, highlight, DARK_INNER_BLEND);
        lightInnerHighlight = blendColors(button, highlight, LIGHT_INNER_BLEND);
        innerCorner = blendColors(darkInnerHighlight, palette.base().color(), HALF_BLEND);
    }

    QColor border;
    QColor corner;
    QColor gradientStart;
    QColor gradientStop;
    QColor highlightStart;
    QColor highlightStop;
    QColor lightShadowStart;
    QColor lightShadowStop;
    QColor darkInnerHighlight;
    QColor lightInnerHighlight;
    QColor innerCorner;
};

constexpr const char* FRAME_INDICES = " .+#<*";
constexpr const char* ARROW_INDICES = " *";
constexpr const char* GRIP_INDICES = " .+";
constexpr const char* FRAME_MIDDLE = "+#            <+";

enum class Frame { H1, H2, V1, V2 };

QImage buttonFrame(Frame frame, std::initializer_list<QColor> colours)
{
    const char* first = nullptr;
    const char* second = nullptr;
    const char* beforeLast = nullptr;
    const char* last = nullptr;
    switch (frame) {
    case Frame::H1:
        first = ".+++++++++++++. ";
        second = "+#############+.";
        beforeLast = "+<<<<<<<<<<<<<+.";
        last = ".+++++++++++++. ";
        break;
    case Frame::H2:
        first = " .+++++++++++++.";
        second = ".+#############+";
        beforeLast = ".+<<<<<<<<<<<<<+";
        last = " .+++++++++++++.";
        break;
    case Frame::V1:
        first = "++++++++++++++++";
        second = "+##############+";
        beforeLast = ".+<<<<<<<<<<<<+.";
        last = " .++++++++++++. ";
        break;
    case Frame::V2:
        first = " .++++++++++++. ";
        second = ".+############+.";
        beforeLast = "+<<<<<<<<<<<<<<+";
        last = ".++++++++++++++.";
        break;
    }
    const char* m = FRAME_MIDDLE;
    static_assert(FRAME_SIZE == 16, "the frame rows are 16 long");
    return indexedImage({first, second, m, m, m, m, m, m, m, m, m, m, m, m, beforeLast, last}, FRAME_INDICES,
                        colours);
}

enum class Arrow { Up, Down, Left, Right };

QImage arrowImage(Arrow arrow, const QColor& colour)
{
    switch (arrow) {
    case Arrow::Down:
        return indexedImage({"*******", " ***** ", "  ***  ", "   *   "}, ARROW_INDICES, {colour});
    case Arrow::Up:
        return indexedImage({"   *   ", "  ***  ", " ***** ", "*******"}, ARROW_INDICES, {colour});
    case Arrow::Right:
        return indexedImage({"*   ", "**  ", "*** ", "****", "*** ", "**  ", "*   "}, ARROW_INDICES, {colour});
    case Arrow::Left:
        break;
    }
    return indexedImage({"   *", "  **", " ***", "****", " ***", "  **", "   *"}, ARROW_INDICES, {colour});
}

QImage gripImage(bool horizontal, const QColor& dot, const QColor& light)
{
    if (horizontal) {
        const char* a = "..  ..  ..  ..  ..";
        const char* b = ".+  .+  .+  .+  .+";
        const char* e = "                  ";
        return indexedImage({a, b, e, e, a, b, e, e, a, b}, GRIP_INDICES, {dot, light});
    }
    const char* a = "..  ..  ..";
    const char* b = ".+  .+  .+";
    const char* e = "          ";
    return indexedImage({a, b, e, e, a, b, e, e, a, b, e, e, a, b, e, e, a, b}, GRIP_INDICES, {dot, light});
}

QPen cosmetic(const QBrush& brush)
{
    QPen pen(brush, 0);
    pen.setCosmetic(true);
    return pen;
}

bool isPlain(const QBrush& brush)
{
    return !brush.gradient() && brush.texture().isNull();
}

void drawHeaderSection(const QStyleOption* option, QPainter* painter, const SharedColours& colours)
{
    const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
    if (!header)
        return;
    // Minus signs keep the two numbers apart without a separator.
    const QString suffix = QString::number(-int(header->position)) + QString::number(-int(header->orientation));
    PlastiqueCachedPainting cache(QStringLiteral("headersection"), option, painter, suffix, Qt::white);
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& r = cache.area();
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    const bool sunken = (option->state & QStyle::State_Enabled) && (option->state & QStyle::State_Sunken);
    const QColor window = option->palette.window().color();
    const QColor top = sunken ? window.darker(SUNKEN_HEADER_TOP_DARK) : colours.gradientStart;
    const QColor bottom = sunken ? window.darker(SUNKEN_HEADER_BOTTOM_DARK) : colours.gradientStop;
    const QColor light = sunken ? window.darker(SUNKEN_HEADER_LIGHT_DARK) : colours.gradientStart;
    const QColor dark = sunken ? window.darker(SUNKEN_HEADER_DARK_DARK) : colours.gradientStop.darker(LIGHT_FACTOR);

    drawCachedGradient(p, r, top, bottom);
    p->setBrush(Qt::NoBrush);
    p->setPen(colours.border);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->setPen(colours.corner);
    const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    p->drawPoints(corners, 4);
    p->setPen(light);
    p->drawLine(l + 2, t + 1, rt - 2, t + 1);
    p->drawLine(l + 1, t + 2, l + 1, b - 2);
    p->setPen(dark);
    p->drawLine(l + 2, b - 1, rt - 2, b - 1);
    p->drawLine(rt - 1, b - 2, rt - 1, t + 2);
    cache.end();
}

void paintToolBarLines(const QStyleOption* option, QPainter* painter, const SharedColours& colours)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    if (!bar)
        return;
    const QRect& r = option->rect;
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    const QColor light = option->palette.window().color().lighter(TOOL_BAR_LIGHT);
    const QColor& dark = colours.corner;
    const auto position = bar->positionOfLine;
    const bool middle = position == QStyleOptionToolBar::Middle;
    const bool end = position == QStyleOptionToolBar::End;
    const bool only = position == QStyleOptionToolBar::OnlyOne;
    const QPen saved = painter->pen();
    const auto line = [painter](const QColor& colour, int x1, int y1, int x2, int y2) {
        painter->setPen(colour);
        painter->drawLine(x1, y1, x2, y2);
    };
    switch (bar->toolBarArea) {
    case Qt::TopToolBarArea:
        if (end || only) {
            line(light, l, b, rt, b);
            line(dark, l, b - 1, rt, b - 1);
        } else {
            line(dark, l, b, rt, b);
        }
        line(light, l, t, rt, t);
        break;
    case Qt::BottomToolBarArea:
        if (middle || end) {
            line(dark, l, b, rt, b);
        } else {
            line(dark, l, b - 1, rt, b - 1);
            line(light, l, b, rt, b);
        }
        if (end) {
            line(dark, l, t, rt, t);
            line(light, l, t + 1, rt, t + 1);
        } else {
            line(light, l, t, rt, t);
        }
        break;
    case Qt::LeftToolBarArea:
        if (middle || end)
            line(light, l, b, l, t);
        if (end) {
            line(dark, rt - 1, t, rt - 1, b);
            line(light, rt, b, rt, t);
        } else {
            line(dark, rt, b, rt, t);
        }
        break;
    case Qt::RightToolBarArea:
        if (middle || end)
            line(dark, rt, b, rt, t);
        if (end || only) {
            line(dark, l, b, l, t);
            line(light, l + 1, t, l + 1, b);
        } else {
            line(light, l, b, l, t);
        }
        break;
    default:
        break;
    }
    painter->setPen(saved);
}

void drawToolBoxTabShape(const QStyleOption* option, QPainter* painter, const SharedColours& colours)
{
    if (!qstyleoption_cast<const QStyleOptionToolBox*>(option))
        return;
    const QRect& r = option->rect;
    const int d = r.height() - 2;
    const int s = r.width() / TOOL_BOX_SLANT_SHARE;
    const bool leftToRight = option->direction != Qt::RightToLeft;
    const QPoint a = leftToRight ? QPoint(r.right(), r.bottom() - 2) : QPoint(r.left(), r.bottom() - 2);
    const QPoint e1 = leftToRight ? QPoint(r.right() - s, r.bottom() - 2) : QPoint(r.left() + s, r.bottom() - 2);
    const QPoint e2 = leftToRight ? QPoint(r.right() - s - d, r.top()) : QPoint(r.left() + s + d, r.top());
    const QPoint z = leftToRight ? r.topLeft() : r.topRight();
    const QPoint step = leftToRight ? QPoint(-1, 0) : QPoint(1, 0);
    painter->save();
    const QLine outline[] = {QLine(a, e1), QLine(e1 + step, e2), QLine(e2 + step, z)};
    painter->setPen(colours.border);
    painter->drawLines(outline, 3);
    const QPoint down(0, 1);
    const QLine below[] = {outline[0].translated(down), outline[1].translated(down), outline[2].translated(down)};
    painter->setPen(option->palette.base().color());
    painter->drawLines(below, 3);
    painter->restore();
}

void drawSplitter(const QStyleOption* option, QPainter* painter, const QWidget* widget)
{
    const QRect& r = option->rect;
    if ((option->state & QStyle::State_Enabled) && (option->state & QStyle::State_MouseOver))
        painter->fillRect(r, QColor(255, 255, 255, SPLITTER_WASH_ALPHA));
    if (option->state & QStyle::State_Horizontal) {
        const int height = r.height() / 3;
        const QRect strip(r.left() - 1 + r.width() / 2, r.center().y() - height / 2, GRIP_STRIP, height);
        drawGripDots(painter, option, strip, Qt::Horizontal, widget);
    } else {
        const int width = r.width() / 3;
        const QRect strip(r.center().x() - width / 2, r.top() - 1 + r.height() / 2, width, GRIP_STRIP);
        drawGripDots(painter, option, strip, Qt::Vertical, widget);
    }
}

// The face shared by both kinds of scroll-bar button.
void paintScrollBarButton(QPainter* p, const QRect& r, const QStyleOption* option, const SharedColours& colours,
                          bool pressed, Frame frame, Arrow arrow)
{
    p->fillRect(r, option->palette.window());
    const QColor faceTop = pressed ? colours.gradientStop : colours.gradientStart.lighter(LIGHT_FACTOR);
    if (option->state & QStyle::State_Enabled) {
        QLinearGradient gradient(r.center().x(), r.top() + 2, r.center().x(), r.bottom() - 2);
        gradient.setColorAt(0, faceTop);
        gradient.setColorAt(1, colours.gradientStop);
        p->fillRect(r.adjusted(2, 2, -2, -2), gradient);
    }
    p->drawImage(r, buttonFrame(frame, {colours.corner, colours.border, faceTop, colours.gradientStop,
                                        option->palette.text().color()}));
    const bool horizontal = arrow == Arrow::Left || arrow == Arrow::Right;
    QPoint at = horizontal ? QPoint(r.center().x() - 2, r.center().y() - 3)
                           : QPoint(r.center().x() - 3, r.center().y() - 2);
    if (pressed)
        at += QPoint(1, 1);
    p->drawImage(at, arrowImage(arrow, option->palette.windowText().color()));
}

void drawScrollBarAddLine(const QStyleOption* option, QPainter* painter, const SharedColours& colours)
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider)
        return;
    const bool pressed =
        (slider->activeSubControls & QStyle::SC_ScrollBarAddLine) && (option->state & QStyle::State_Sunken);
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const bool reversed = option->direction == Qt::RightToLeft;
    PlastiqueCachedPainting cache(QStringLiteral("scrollbar_addline"), option, painter);
    if (!cache.begin())
        return;
    const Frame frame = horizontal ? (reversed ? Frame::H2 : Frame::H1) : Frame::V1;
    const Arrow arrow = horizontal ? (reversed ? Arrow::Left : Arrow::Right) : Arrow::Down;
    paintScrollBarButton(cache.target(), cache.area(), option, colours, pressed, frame, arrow);
    cache.end();
}

void drawScrollBarPage(const QStyleOption* option, QPainter* painter, bool addPage)
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider)
        return;
    const bool sunken = option->state & QStyle::State_Sunken;
    QString suffix;
    if (sunken)
        suffix += QLatin1String("-sunken");
    if (addPage)
        suffix += QLatin1String("-addpage");
    PlastiqueCachedPainting cache(QStringLiteral("scrollbar_groove"), option, painter, suffix);
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& r = cache.area();
    const QPoint origin = r.topLeft();
    const QColor base = option->palette.base().color();
    p->fillRect(r, option->palette.window().color());
    p->setPen(Qt::NoPen);
    p->setBrushOrigin(origin + (addPage ? QPoint(r.width(), r.height()) : QPoint()));
    p->setBrush(QBrush(sunken ? base.darker(GROOVE_DOT_DARK) : base, Qt::Dense4Pattern));
    p->drawRect(r);
    p->setBrush(QBrush(base.darker(GROOVE_DOT_DARK), Qt::Dense4Pattern));
    if (slider->orientation == Qt::Horizontal) {
        p->setBrushOrigin(origin + (addPage ? QPoint(r.width(), 0) : QPoint(1, 0)));
        p->drawRect(QRect(r.left(), r.top(), r.width(), 1));
        p->drawRect(QRect(r.left(), r.bottom(), r.width(), 1));
    } else {
        p->setBrushOrigin(origin + (addPage ? QPoint(0, r.height()) : QPoint(0, 1)));
        p->drawRect(QRect(r.left(), r.top(), 1, r.height()));
        p->drawRect(QRect(r.right(), r.top(), 1, r.height()));
    }
    cache.end();
}

void drawProgressBarContents(const QStyleOption* option, QPainter* painter, const SharedColours& colours,
                             int busyAnimationStep)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option);
    if (!bar)
        return;
    const bool busy = bar->minimum == 0 && bar->maximum == 0;
    if (!busy && bar->progress == -1)
        return;
    const QRect& r = option->rect;
    const int maxWidth = r.width() - 4;
    int w = maxWidth;
    if (!busy) {
        const qint64 done = qint64(qMax(bar->progress, bar->minimum)) - bar->minimum;
        const double range = qMax(1.0, double(qint64(bar->maximum) - bar->minimum));
        // Progress beyond the maximum (an item delegate passes values as
        // they come) fills the bar, never past it.
        const double share = qMin(1.0, double(done) / range);
        w = qMax(PROGRESS_MIN_WIDTH, int(share * maxWidth));
    }
    bool reverse = option->direction == Qt::RightToLeft;
    if (bar->invertedAppearance)
        reverse = !reverse;

    QRect block;
    if (busy) {
        const int slide = (maxWidth * 2) / 3;
        // A bar too narrow for a block to slide in has no block: the step
        // would be taken modulo zero.
        if (slide <= 0)
            return;
        const int s = (slide * busyAnimationStep) / BUSY_STEP_DIVISOR;
        int step = s % slide;
        if (s % (2 * slide) >= slide)
            step = slide - step;
        block = QRect(r.left() + 2 + step, r.top() + 2, slide / 2, r.height() - 4);
        w = block.width();
    } else {
        block = QRect(reverse ? r.right() - 1 - w : r.left() + 2, r.top() + 2, w, r.height() - 4);
    }

    painter->save();
    const int bl = block.left();
    const int bt = block.top();
    const int br = block.right();
    const int bb = block.bottom();
    const int inset = busy ? 2 : 1;
    QVector<QPoint> points;
    QVector<QLine> lines;
    if (!reverse) {
        if (w == PROGRESS_MIN_WIDTH && !busy) {
            points << QPoint(bl + 1, bt) << QPoint(bl + 1, bb);
        } else {
            lines << QLine(bl + inset, bt, br - 2, bt) << QLine(bl + inset, bb, br - 2, bb);
        }
        lines << QLine(bl, bt + inset, bl, bb - inset) << QLine(br, bt + 2, br, bb - 2);
    } else {
        if (w == PROGRESS_MIN_WIDTH && !busy) {
            points << QPoint(br - 1, bt) << QPoint(br - 1, bb);
        } else {
            lines << QLine(br - inset, bt, bl + 2, bt) << QLine(br - inset, bb, bl + 2, bb);
        }
        lines << QLine(br, bt + inset, br, bb - inset) << QLine(bl, bt + 2, bl, bb - 2);
    }
    painter->setPen(colours.darkInnerHighlight);
    if (!points.isEmpty())
        painter->drawPoints(points.constData(), int(points.size()));
    painter->drawLines(lines);

    QVector<QPoint> corners;
    const auto mirrored = [&](int x) { return reverse ? bl + br - x : x; };
    if (busy) {
        corners << QPoint(mirrored(bl + 1), bt) << QPoint(mirrored(bl), bt + 1) << QPoint(mirrored(bl + 1), bb)
                << QPoint(mirrored(bl), bb - 1);
    } else {
        corners << QPoint(mirrored(bl), bt) << QPoint(mirrored(bl), bb);
    }
    corners << QPoint(mirrored(br - 1), bt) << QPoint(mirrored(br), bt + 1) << QPoint(mirrored(br - 1), bb)
            << QPoint(mirrored(br), bb - 1);
    painter->setPen(colours.innerCorner);
    painter->drawPoints(corners.constData(), int(corners.size()));
    painter->setPen(QPen());

    if (r.height() > PROGRESS_STRIPE_MIN_HEIGHT) {
        const QSize stripeSize(r.width() + PROGRESS_STRIPE_EXTRA, r.height() - 6);
        const QString key = StyleTools::optionCacheKey(QStringLiteral("progressBarContents"), option, r.size());
        QPixmap stripes;
        if (!QPixmapCache::find(key, &stripes)) {
            stripes = QPixmap(stripeSize);
            stripes.fill(Qt::white);
            QPainter s(&stripes);
            const QColor first = option->palette.highlight().color();
            const QColor second = first.lighter(LIGHT_FACTOR);
            bool odd = false;
            for (int x = 0; x < stripeSize.width() + 1; x += PROGRESS_STRIPE) {
                const QColor& colour = odd ? second : first;
                s.setPen(colour);
                s.drawLine(x - 1, 0, x + PROGRESS_STRIPE - 1, 0);
                s.drawLine(x - 1, stripeSize.height() - 1, x + PROGRESS_STRIPE - 1, stripeSize.height() - 1);
                s.fillRect(x, 0, PROGRESS_STRIPE, stripeSize.height(), colour);
                odd = !odd;
            }
            s.end();
            QPixmapCache::insert(key, stripes);
        }
        painter->setClipRect(block.adjusted(1, 0, -1, -1));
        block.translate(0, 1);
        int x = block.left();
        if (!busy)
            x += reverse ? -PROGRESS_STRIPE_SHIFT : -PROGRESS_STRIPE_SHIFT + w % PROGRESS_STRIPE_PERIOD;
        painter->drawPixmap(x, block.top(), stripes);
    }
    painter->restore();
}

void paintRoundedTab(const QStyleOptionTab* tab, QPainter* painter, const SharedColours& colours, int overlap,
                     const QPlastiqueStyleLocal::BrushDerivations& derive)
{
    const QRect& r = tab->rect;
    const bool rtl = tab->direction == Qt::RightToLeft;
    QPoint up(0, -1);
    QPoint left(-1, 0);
    QPoint tl = r.topLeft();
    QPoint tr = r.topRight();
    QPoint bl = r.bottomLeft();
    QPoint br = r.bottomRight();
    bool shadowDeep = false;
    switch (tab->shape) {
    case QTabBar::RoundedNorth:
        if (rtl) {
            left = QPoint(1, 0);
            std::swap(tl, tr);
            std::swap(bl, br);
        }
        break;
    case QTabBar::RoundedSouth:
        up = QPoint(0, 1);
        shadowDeep = true;
        std::swap(tl, bl);
        std::swap(tr, br);
        if (rtl) {
            left = QPoint(1, 0);
            std::swap(tl, tr);
            std::swap(bl, br);
        }
        break;
    case QTabBar::RoundedWest:
        left = QPoint(0, -1);
        up = QPoint(-1, 0);
        tr = r.bottomLeft();
        bl = r.topRight();
        break;
    default: // RoundedEast
        shadowDeep = true;
        left = QPoint(0, -1);
        up = QPoint(1, 0);
        tl = r.topRight();
        tr = r.bottomRight();
        bl = r.topLeft();
        br = r.bottomLeft();
        break;
    }
    const QPoint down = -up;
    const QPoint right = -left;

    const bool selected = tab->state & QStyle::State_Selected;
    const bool hover =
        (tab->state & QStyle::State_MouseOver) && (tab->state & QStyle::State_Enabled) && !selected;
    const bool atEnd = tab->position == QStyleOptionTab::End || tab->position == QStyleOptionTab::OnlyOneTab;
    const bool leftCorner = tab->cornerWidgets & QStyleOptionTab::LeftCornerWidget;
    const bool startPosition =
        tab->position == QStyleOptionTab::Beginning || tab->position == QStyleOptionTab::OnlyOneTab;
    const bool atBeginning = startPosition && !leftCorner;
    const bool previousSelected = tab->selectedPosition == QStyleOptionTab::PreviousIsSelected;
    const int lowered = selected ? 0 : TAB_LOWERED;
    const int margin = ((atBeginning && !selected) || (selected && leftCorner && startPosition)) ? 1 : 0;

    QBrush borderBrush = tab->palette.shadow();
    derive.alpha(borderBrush, TAB_BORDER_ALPHA);
    QBrush shadeBrush = tab->palette.shadow();
    derive.alpha(shadeBrush, shadowDeep ? TAB_DEEP_ALPHA : TAB_SOFT_ALPHA);
    QBrush cornerBrush = tab->palette.shadow();
    derive.alpha(cornerBrush, TAB_CORNER_ALPHA);

    if (atEnd) {
        tr += left;
        br += left;
    }
    QPoint topStart = tl + right * (margin + (previousSelected ? 0 : 1)) + down * lowered;
    if (atBeginning || selected)
        topStart += right;
    QPoint topEnd = tr + down * lowered;
    if (atEnd || selected)
        topEnd += left * 2;
    QPoint leftStart = tl + right * margin + down * (lowered + 1);
    if (atBeginning || selected)
        leftStart += down;
    QPoint leftEnd = bl + right * margin + up * overlap;
    if (selected)
        leftEnd = atBeginning ? bl + right * margin + down * overlap : leftEnd + up;
    const QPoint rightStart = tr + down * (lowered + 2);
    QPoint rightEnd = br + up * overlap;
    if (selected)
        rightEnd += up;

    painter->save();
    if (tab->state & QStyle::State_Enabled) {
        QPoint from = topStart + down + left;
        if (hover)
            from += down;
        QPoint to = rightEnd;
        if (selected) {
            from += left;
            to += down * 3;
        }
        // Both corners inside, whichever way the vectors point.
        const QRect body(QPoint(qMin(from.x(), to.x()), qMin(from.y(), to.y())),
                         QPoint(qMax(from.x(), to.x()), qMax(from.y(), to.y())));
        if (selected) {
            painter->fillRect(body, tab->palette.window());
            painter->setPen(tab->palette.window().color());
            const QPoint joins[] = {leftEnd + down, rightEnd + down};
            painter->drawPoints(joins, 2);
        } else {
            const QBrush button = tab->palette.button();
            if (!isPlain(button)) {
                painter->fillRect(body, brushForRect(button, body));
            } else {
                QLinearGradient gradient(body.topLeft(), body.bottomLeft());
                gradient.setColorAt(0, button.color().lighter(GRADIENT_START_LIGHT));
                gradient.setColorAt(1, button.color().darker(TAB_BODY_DARK));
                painter->fillRect(body, gradient);
            }
            // Inner bevel: light on the leading side, dark on the trailing.
            const QBrush fitted = brushForRect(button, body);
            const QBrush lightSide =
                isPlain(button) ? QBrush(button.color().lighter(LIGHT_FACTOR)) : derive.light(fitted);
            const QBrush darkSide =
                isPlain(button) ? QBrush(button.color().darker(TAB_BODY_DARK)) : derive.dark(fitted, LIGHT_FACTOR);
            painter->setPen(cosmetic(lightSide));
            painter->drawLine(leftStart + right, leftEnd + right);
            painter->setPen(cosmetic(darkSide));
            painter->drawLine(rightStart + left, rightEnd + left);
        }
    }

    QPen outline = cosmetic(borderBrush);
    outline.setCapStyle(Qt::SquareCap);
    outline.setJoinStyle(Qt::BevelJoin);
    painter->setPen(outline);
    painter->drawLine(topStart, topEnd);
    if (!previousSelected)
        painter->drawLine(leftStart, leftEnd);
    if (atEnd || selected)
        painter->drawLine(rightStart, rightEnd);
    if (hover) {
        painter->setPen(colours.lightInnerHighlight);
        painter->drawLine(topStart + down * 2 + left, topEnd + down * 2 + right);
    }
    // Rounded corners: a soft dot between each end of the top line and its
    // side, and the shade just outside the side lines.
    painter->setPen(cosmetic(cornerBrush));
    const QPoint roundings[] = {topStart + left, topEnd + right};
    painter->drawPoints(roundings, 2);
    painter->setPen(cosmetic(shadeBrush));
    if (!previousSelected)
        painter->drawLine(leftStart + left, leftEnd + left);
    if (atEnd || selected)
        painter->drawLine(rightStart + right, rightEnd + right);
    if (selected) {
        painter->setPen(outline);
        const QPoint joins[] = {leftEnd + down + left, rightEnd + down + right};
        painter->drawPoints(joins, 2);
    }
    painter->restore();
}

} // namespace

void QPlastiqueStyleLocal::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const
{
    if (!option || !painter) {
        QWindowsStyleLocal::drawControl(element, option, painter, widget);
        return;
    }
    const SharedColours colours(option, widget);

    switch (element) {
    case CE_TabBarTabShape:
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
            switch (tab->shape) {
            case QTabBar::RoundedNorth:
            case QTabBar::RoundedSouth:
            case QTabBar::RoundedWest:
            case QTabBar::RoundedEast:
                drawRoundedTabShape(tab, painter, widget, plastiqueBrushDerivations());
                return;
            default:
                break;
            }
        }
        QWindowsStyleLocal::drawControl(element, option, painter, widget);
        break;
    case CE_ProgressBarContents:
        drawProgressBarContents(option, painter, colours, busyAnimationStep);
        break;
    case CE_HeaderSection:
        drawHeaderSection(option, painter, colours);
        break;
    case CE_Splitter:
        drawSplitter(option, painter, widget);
        break;
    case CE_ScrollBarAddLine:
        drawScrollBarAddLine(option, painter, colours);
        break;
    case CE_ScrollBarSubLine:
        drawScrollBarSubLine(option, painter, widget);
        break;
    case CE_ScrollBarAddPage:
    case CE_ScrollBarSubPage:
        drawScrollBarPage(option, painter, element == CE_ScrollBarAddPage);
        break;
    case CE_ScrollBarSlider:
        drawScrollBarSlider(option, painter, widget);
        break;
    case CE_ComboBoxLabel:
        drawComboBoxLabel(option, painter, widget);
        break;
    case CE_MenuItem:
        drawMenuItem(option, painter, widget);
        break;
    case CE_MenuBarItem:
        drawMenuBarItem(option, painter, widget);
        break;
    case CE_ToolBar:
        paintToolBarLines(option, painter, colours);
        break;
    case CE_ToolBoxTabShape:
        drawToolBoxTabShape(option, painter, colours);
        break;
    default:
        QWindowsStyleLocal::drawControl(element, option, painter, widget);
        break;
    }
}

QPlastiqueStyleLocal::BrushDerivations QPlastiqueStyleLocal::plastiqueBrushDerivations()
{
    return {&PlastiqueDrawing::qBrushAlpha, &PlastiqueDrawing::qBrushLight, &PlastiqueDrawing::qBrushDark};
}

void QPlastiqueStyleLocal::drawRoundedTabShape(const QStyleOptionTab* tab, QPainter* painter, const QWidget* widget,
                                               const BrushDerivations& derive) const
{
    if (!tab || !painter)
        return;
    const SharedColours colours(tab, widget);
    paintRoundedTab(tab, painter, colours, proxy()->pixelMetric(PM_TabBarBaseOverlap, tab, widget), derive);
}

void QPlastiqueStyleLocal::drawComboBoxLabel(const QStyleOption* option, QPainter* painter,
                                             const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (!combo)
        return;
    painter->save();
    if (!combo->editable) {
        QPen pen(option->palette.buttonText(), 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
        painter->setPen(pen);
        QWindowsStyleLocal::drawControl(CE_ComboBoxLabel, option, painter, widget);
    } else if (combo->currentIcon.isNull()) {
        QWindowsStyleLocal::drawControl(CE_ComboBoxLabel, option, painter, widget);
    } else {
        QRect edit = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxEditField, widget);
        edit.adjust(0, COMBO_ICON_MARGIN, 0, -COMBO_ICON_MARGIN);
        if (option->direction == Qt::RightToLeft)
            edit.adjust(0, 0, -COMBO_ICON_MARGIN, 0);
        else
            edit.adjust(COMBO_ICON_MARGIN, 0, 0, 0);
        painter->setClipRect(edit);
        const QIcon::Mode mode = (option->state & State_Enabled) ? QIcon::Normal : QIcon::Disabled;
        const QPixmap pixmap = combo->currentIcon.pixmap(combo->iconSize, mode, QIcon::Off);
        const QRect place = QStyle::alignedRect(
            option->direction, Qt::AlignLeft | Qt::AlignVCenter,
            QSize(combo->iconSize.width() + COMBO_ICON_PLACE_EXTRA, edit.height()), edit);
        painter->fillRect(place, option->palette.base());
        proxy()->drawItemPixmap(painter, place, Qt::AlignCenter, pixmap);
    }
    painter->restore();
}

void QPlastiqueStyleLocal::drawScrollBarSubLine(const QStyleOption* option, QPainter* painter,
                                                const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider)
        return;
    const SharedColours colours(option, widget);
    const bool pressed =
        (slider->activeSubControls & SC_ScrollBarSubLine) && (option->state & State_Sunken);
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const bool reversed = option->direction == Qt::RightToLeft;
    const QRect& r = option->rect;
    // A bar too short for two whole buttons squeezes them inside its own
    // rectangle rather than painting past it.
    const int extent =
        qMin(proxy()->pixelMetric(PM_ScrollBarExtent, option, widget), horizontal ? r.width() : r.height());
    QStyleOptionSlider button = *slider;
    const QRect places[] = {
        horizontal ? QRect(r.left(), r.top(), extent, r.height()) : QRect(r.left(), r.top(), r.width(), extent),
        horizontal ? QRect(r.right() + 1 - extent, r.top(), extent, r.height())
                   : QRect(r.left(), r.bottom() + 1 - extent, r.width(), extent)};
    const Frame frame = horizontal ? (reversed ? Frame::H1 : Frame::H2) : Frame::V2;
    const Arrow arrow = horizontal ? (reversed ? Arrow::Right : Arrow::Left) : Arrow::Up;
    // One picture under one key, drawn at both ends.
    for (const QRect& place : places) {
        button.rect = place;
        PlastiqueCachedPainting cache(QStringLiteral("scrollbar_subline"), &button, painter);
        if (!cache.begin())
            continue;
        paintScrollBarButton(cache.target(), cache.area(), &button, colours, pressed, frame, arrow);
        cache.end();
    }
}

void QPlastiqueStyleLocal::drawScrollBarSlider(const QStyleOption* option, QPainter* painter,
                                               const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!slider || !option->rect.isValid())
        return;
    const SharedColours colours(option, widget);
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const bool sunken = option->state & State_Sunken;
    PlastiqueCachedPainting cache(QStringLiteral("scrollbar_slider"), option, painter,
                                  horizontal ? QStringLiteral("-horizontal") : QString());
    if (!cache.begin())
        return;
    QPainter* p = cache.target();
    const QRect& r = cache.area();
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    const QColor lightEdge = colours.gradientStart.lighter(sunken ? SUNKEN_LIGHT : LIGHT_FACTOR);
    const QColor darkEdge = sunken ? colours.gradientStop.lighter(LIGHT_FACTOR) : colours.gradientStop;
    const QRect inside = r.adjusted(2, 2, -2, -2);
    if (!(option->state & State_Enabled)) {
        p->fillRect(inside, option->palette.window());
    } else {
        QLinearGradient gradient = horizontal ? QLinearGradient(r.center().x(), t, r.center().x(), b)
                                              : QLinearGradient(l, r.center().y(), rt, r.center().y());
        gradient.setColorAt(0, lightEdge);
        gradient.setColorAt(1, darkEdge);
        p->fillRect(inside, gradient);
    }
    p->setBrush(Qt::NoBrush);
    p->setPen(colours.border);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->setPen(colours.corner);
    const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    p->drawPoints(corners, 4);
    p->setPen(lightEdge);
    p->drawLine(l + 1, t + 1, rt - 1, t + 1);
    p->drawLine(l + 1, t + 2, l + 1, b - 2);
    p->setPen(darkEdge);
    p->drawLine(l + 1, b - 1, rt - 1, b - 1);
    p->drawLine(rt - 1, t + 2, rt - 1, b - 1);

    const int length = horizontal ? r.width() : r.height();
    if (length > proxy()->pixelMetric(PM_ScrollBarSliderMin, option, widget)) {
        const QImage grip = gripImage(horizontal, colours.corner, lightEdge);
        const QPoint at = horizontal ? QPoint(r.center().x() - grip.width() / 2 + 1, r.center().y() - 4)
                                     : QPoint(r.center().x() - 4, r.center().y() - grip.height() / 2 + 1);
        p->drawImage(at, grip);
    }
    cache.end();
}
