// Complex-control drawing of the Plastique style: the slider with its
// groove, handle and tick marks, and the dial.
#include "QPlastiqueStyleLocal.h"

#include "PlastiqueCachedPainting.h"
#include "PlastiqueDrawing.h"
#include "StyleTools.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStyleOption>

#include <climits>

using namespace PlastiqueDrawing;

namespace {

constexpr int GROOVE_INSET = 5;
constexpr int PRESSED_HANDLE_LIGHT = 110;
constexpr int TICK_LIST_RESERVE = 32;
// A single step narrower than this many pixels ticks by the page step.
constexpr int MIN_TICK_SPACING = 3;
constexpr QRgb HANDLE_HIGHLIGHT = 0x80ffffffu;
constexpr QRgb HANDLE_SHADOW = 0x25000000u;

constexpr const char* HANDLE_INDICES = ".BGKHS";

// The handle pictures: B border, G gradient start, K corner, H highlight,
// S shadow.
QImage handleImage(bool horizontal, bool flipped, const QColor& border, const QColor& start, const QColor& corner,
                   bool enabled)
{
    const QColor highlight = enabled ? QColor::fromRgba(HANDLE_HIGHLIGHT) : QColor(Qt::transparent);
    const QColor shadow = enabled ? QColor::fromRgba(HANDLE_SHADOW) : QColor(Qt::transparent);
    const std::initializer_list<QColor> colours = {border, start, corner, highlight, shadow};
    if (horizontal && !flipped)
        return indexedImage({".KBBBBBBBK.", "KBHHHHHHHBK", "BH.......SB", "BHKK...KKSB", "BHKG...KGSB", "BH.......SB",
                             "BH.......SB", "BH.......SB", "BH.......SB", "BH.......SB", "KB......SBK", ".KB....SBK.",
                             "..KB..SBK..", "...KBSBK...", "....KBK...."},
                            HANDLE_INDICES, colours);
    if (horizontal)
        return indexedImage({"....KBK....", "...KBHBK...", "..KBH..BK..", ".KBH....BK.", "KBH......BK", "BH.......SB",
                             "BH.......SB", "BH.......SB", "BH.......SB", "BH.......SB", "BHKK...KKSB", "BHKG...KGSB",
                             "BH.......SB", "KBSSSSSSSBK", ".KBBBBBBBK."},
                            HANDLE_INDICES, colours);
    if (!flipped)
        return indexedImage({".KBBBBBBBBK....", "KBHHHHHHHHBK...", "BH.KK......BK..", "BH.KG.......BK.",
                             "BH...........BK", "BH...........SB", "BH..........SBK", "BH.KK......SBK.",
                             "BH.KG.....SBK..", "KBSSSSSSSSBK...", ".KBBBBBBBBK...."},
                            HANDLE_INDICES, colours);
    return indexedImage({"....KBBBBBBBBK.", "...KBHHHHHHHHBK", "..KBH.....KK.SB", ".KBH......KG.SB", "KBH..........SB",
                         "BH...........SB", "KB...........SB", ".KB.......KK.SB", "..KB......KG.SB", "...KBSSSSSSSSBK",
                         "....KBBBBBBBBK."},
                        HANDLE_INDICES, colours);
}

QPolygon handleOutline(const QRect& r, bool horizontal, bool flipped)
{
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    QPolygon polygon;
    if (horizontal && !flipped)
        polygon << QPoint(rt, t + 1) << QPoint(rt, t + 10) << QPoint(rt - 5, t + 14) << QPoint(l + 1, t + 10)
                << QPoint(l + 1, t + 1);
    else if (horizontal)
        polygon << QPoint(rt, b) << QPoint(rt, b - 10) << QPoint(rt - 5, b - 14) << QPoint(l + 1, b - 10)
                << QPoint(l + 1, b);
    else if (!flipped)
        polygon << QPoint(l + 1, t + 1) << QPoint(l + 10, t + 1) << QPoint(l + 14, t + 5) << QPoint(l + 10, b)
                << QPoint(l + 1, b);
    else
        polygon << QPoint(rt, t + 1) << QPoint(rt - 10, t + 1) << QPoint(rt - 14, t + 5) << QPoint(rt - 10, b)
                << QPoint(rt, b);
    polygon << polygon.first();
    return polygon;
}

} // namespace

void QPlastiqueStyleLocal::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                              QPainter* painter, const QWidget* widget) const
{
    if (!option || !painter) {
        QWindowsStyleLocal::drawComplexControl(control, option, painter, widget);
        return;
    }
    switch (control) {
    case CC_Slider:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option))
            drawSlider(slider, painter, widget);
        break;
    case CC_Dial:
        if (const auto* dial = qstyleoption_cast<const QStyleOptionSlider*>(option))
            StyleTools::paintDial(dial, painter);
        break;
    default:
        QWindowsStyleLocal::drawComplexControl(control, option, painter, widget);
        break;
    }
}

void QPlastiqueStyleLocal::drawSlider(const QStyleOptionSlider* option, QPainter* painter,
                                      const QWidget* widget) const
{
    const QColor border = option->palette.window().color().darker(BORDER_DARK_FACTOR);
    const QColor corner = cornerColor(option, widget);
    const QColor gradientStart = option->palette.button().color().lighter(104);
    const QColor gradientStop = option->palette.button().color().darker(105);
    const QRect grooveRegion = proxy()->subControlRect(CC_Slider, option, SC_SliderGroove, widget);
    const QRect handle = proxy()->subControlRect(CC_Slider, option, SC_SliderHandle, widget);
    const bool horizontal = option->orientation == Qt::Horizontal;
    const bool ticksAbove = option->tickPosition & QSlider::TicksAbove;
    const bool ticksBelow = option->tickPosition & QSlider::TicksBelow;

    QRect groove;
    if (grooveRegion.isValid())
        groove = horizontal ? grooveRegion.adjusted(0, GROOVE_INSET, 0, -GROOVE_INSET)
                            : grooveRegion.adjusted(GROOVE_INSET, 0, -GROOVE_INSET, 0);
    if ((option->subControls & SC_SliderGroove) && groove.isValid()) {
        PlastiqueCachedPainting cache(
            QStringLiteral("slider_groove-%1-%2").arg(ticksAbove ? 1 : 0).arg(ticksBelow ? 1 : 0), option, painter);
        if (cache.begin()) {
            QPainter* p = cache.target();
            // The groove keeps its place within the option's rectangle,
            // wherever that rectangle is.
            const QRect g = groove.translated(cache.area().topLeft() - option->rect.topLeft());
            const int l = g.left();
            const int t = g.top();
            const int r = g.right();
            const int b = g.bottom();
            p->fillRect(g, option->palette.window());
            p->setPen(border);
            const QLine lines[] = {QLine(l + 1, t, r - 1, t), QLine(l + 1, b, r - 1, b), QLine(l, t + 1, l, b - 1),
                                   QLine(r, t + 1, r, b - 1)};
            p->drawLines(lines, 4);
            p->setPen(corner);
            const QPoint points[] = {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)};
            p->drawPoints(points, 4);
            cache.end();
        }
    }

    if ((option->subControls & SC_SliderHandle) && handle.isValid()) {
        const bool flipped = ticksAbove && !ticksBelow;
        const bool sunken = (option->activeSubControls & SC_SliderHandle) && (option->state & State_Sunken);
        QString suffix;
        if (flipped)
            suffix += QLatin1String("-flipped");
        if (sunken)
            suffix += QLatin1String("-sunken");
        QStyleOptionSlider handleOption = *option;
        handleOption.rect = handle;
        PlastiqueCachedPainting cache(QStringLiteral("slider_handle"), &handleOption, painter, suffix);
        if (cache.begin()) {
            QPainter* p = cache.target();
            const QRect& r = cache.area();
            const bool enabled = option->state & State_Enabled;
            p->fillRect(r, option->palette.window());
            QPainterPath path;
            path.addPolygon(handleOutline(r, horizontal, flipped));
            if (enabled) {
                const bool pressedLook = horizontal && sunken;
                QLinearGradient gradient(r.center().x(), r.top(), r.center().x(), r.bottom());
                gradient.setColorAt(0, pressedLook ? gradientStart.lighter(PRESSED_HANDLE_LIGHT) : gradientStart);
                gradient.setColorAt(1, pressedLook ? gradientStop.lighter(PRESSED_HANDLE_LIGHT) : gradientStop);
                p->fillPath(path, gradient);
            } else {
                p->fillPath(path, option->palette.window());
            }
            p->drawImage(r, handleImage(horizontal, flipped, border, gradientStart, corner, enabled));
            cache.end();
        }
        if (option->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = subElementRect(SE_SliderFocusRect, option, widget);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    if (option->subControls & SC_SliderTickmarks) {
        const QPen saved = painter->pen();
        painter->setPen(border);
        const QList<QLine> ticks = sliderTickLines(option, widget);
        if (!ticks.isEmpty())
            painter->drawLines(ticks);
        painter->setPen(saved);
    }
}

QList<QLine> QPlastiqueStyleLocal::sliderTickLines(const QStyleOptionSlider* option, const QWidget* widget) const
{
    QList<QLine> lines;
    const int tickSize = proxy()->pixelMetric(PM_SliderTickmarkOffset, option, widget);
    const int available = proxy()->pixelMetric(PM_SliderSpaceAvailable, option, widget);
    const int handleLength = proxy()->pixelMetric(PM_SliderLength, option, widget);
    const bool horizontal = option->orientation == Qt::Horizontal;
    const bool above = option->tickPosition & QSlider::TicksAbove;
    const bool below = option->tickPosition & QSlider::TicksBelow;
    const int minimum = option->minimum;
    const int maximum = option->maximum;
    if (maximum < minimum)
        return lines;

    qint64 interval = option->tickInterval;
    if (interval <= 0) {
        interval = option->singleStep;
        if (QStyle::sliderPositionFromValue(minimum, maximum, int(qBound(qint64(INT_MIN), interval, qint64(INT_MAX))),
                                            available)
                - QStyle::sliderPositionFromValue(minimum, maximum, 0, available)
            < MIN_TICK_SPACING)
            interval = option->pageStep;
    }
    if (interval < 1)
        interval = 1;
    const QRect& r = option->rect;
    const int span = (horizontal ? r.width() : r.height()) - handleLength;
    // At most one tick per pixel: a huge range ticked by 1 would otherwise
    // paint for as long as it has values.
    const qint64 range = qint64(maximum) - minimum;
    const qint64 pixels = qMax(1, span);
    if (range / interval > pixels)
        interval = (range + pixels - 1) / pixels;

    lines.reserve(TICK_LIST_RESERVE);
    // 64-bit steps: the last one may pass maximum + 1 and INT_MAX.
    for (qint64 v = minimum; v <= qint64(maximum) + 1; v += interval) {
        if (v == qint64(maximum) + 1 && interval == 1)
            break;
        const int u = int(qMin<qint64>(v, maximum));
        const int pos = QStyle::sliderPositionFromValue(minimum, maximum, u, span, option->upsideDown)
            + handleLength / 2;
        const int extra = (u == minimum || u == maximum) ? 1 : 2;
        if (horizontal) {
            const int x = r.left() + pos;
            if (above)
                lines.append(QLine(x, r.top() + extra, x, r.top() + tickSize));
            if (below)
                lines.append(QLine(x, r.bottom() - extra, x, r.bottom() - tickSize));
        } else {
            const int y = r.top() + pos;
            if (above)
                lines.append(QLine(r.left() + extra, y, r.left() + tickSize, y));
            if (below)
                lines.append(QLine(r.right() - extra, y, r.right() - tickSize, y));
        }
    }
    return lines;
}
