// Complex-control drawing of the Plastique style: the slider with its
// groove, handle and tick marks, the dial, the spin box and the combo box.
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
    case CC_SpinBox:
        if (const auto* spinBox = qstyleoption_cast<const QStyleOptionSpinBox*>(option))
            drawSpinBox(spinBox, painter, widget);
        break;
    case CC_ComboBox:
        if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option))
            drawComboBox(combo, painter, widget);
        break;
    case CC_TitleBar:
        if (const auto* titleBar = qstyleoption_cast<const QStyleOptionTitleBar*>(option))
            drawTitleBar(titleBar, painter, widget);
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

namespace {

constexpr int FACE_TOP_LIGHT = 104;
constexpr int FACE_BOTTOM_DARK = 110;
constexpr int PRESSED_TOP_DARK = 113;
constexpr int PRESSED_BOTTOM_DARK = 103;
constexpr int PRESSED_LEFT_BOTTOM_DARK = 107;
constexpr int PRESSED_RIGHT_TOP_DARK = 108;
constexpr int DERIVED_PRESSED_FACE_DARK = 108;
constexpr int DERIVED_RIGHT_DARK = 105;
constexpr int DERIVED_PRESSED_LEFT_DARK = 110;
constexpr int DERIVED_PRESSED_RIGHT_DARK = 106;
constexpr double BUTTON_BORDER_ALPHA = 0.4;
constexpr double BUTTON_CORNER_ALPHA = 0.25;
constexpr double COMBO_FAINT_ALPHA = 0.16;
constexpr double COMBO_SEPARATOR_ALPHA = 0.35;
constexpr int COMBO_BUTTON_WIDTH = 17;
constexpr int COMBO_ARROW_INSET = 8;

QPen linePen(const QBrush& brush)
{
    return QPen(brush, 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

QBrush gradientOver(const QRect& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return QBrush(gradient);
}

QBrush alphaOf(QBrush brush, double factor)
{
    qBrushAlpha(brush, factor);
    return brush;
}

// The faces and side lines of a spin-box or combo-box button, plain and
// pressed.
struct ButtonBrushes
{
    // Gradients of the colour over the rectangle.
    ButtonBrushes(const QColor& c, const QRect& rect)
        : face(gradientOver(rect, c.lighter(FACE_TOP_LIGHT), c.darker(FACE_BOTTOM_DARK)))
        , pressedFace(gradientOver(rect, c.darker(PRESSED_TOP_DARK), c.darker(PRESSED_BOTTOM_DARK)))
        , left(gradientOver(rect, c.lighter(LIGHT_FACTOR), c))
        , right(gradientOver(rect, c, c.darker(FACE_BOTTOM_DARK)))
        , pressedLeft(gradientOver(rect, c.darker(PRESSED_TOP_DARK), c.darker(PRESSED_LEFT_BOTTOM_DARK)))
        , pressedRight(gradientOver(rect, c.darker(PRESSED_RIGHT_TOP_DARK), c.darker(PRESSED_BOTTOM_DARK)))
    {
    }

    // Derived from a gradient or texture brush, so the look follows it.
    explicit ButtonBrushes(const QBrush& button)
        : face(button)
        , pressedFace(qBrushDark(button, DERIVED_PRESSED_FACE_DARK))
        , left(qBrushLight(button))
        , right(qBrushDark(button, DERIVED_RIGHT_DARK))
        , pressedLeft(qBrushDark(button, DERIVED_PRESSED_LEFT_DARK))
        , pressedRight(qBrushDark(button, DERIVED_PRESSED_RIGHT_DARK))
    {
    }

    QBrush face;
    QBrush pressedFace;
    QBrush left;
    QBrush right;
    QBrush pressedLeft;
    QBrush pressedRight;
};

void drawSpinButtonFace(QPainter* painter, const ButtonBrushes& brushes, const QRect& b, bool pressed, bool up,
                        bool reversed)
{
    const QBrush face = brushForRect(pressed ? brushes.pressedFace : brushes.face, b);
    const int l = b.left();
    const int t = b.top();
    const int r = b.right();
    const int bt = b.bottom();
    painter->fillRect(b.adjusted(2, 2, -2, -2), face);
    painter->setPen(linePen(qBrushLight(face)));
    if (up)
        painter->drawLine(reversed ? QLine(r - 1, t + 1, l + 2, t + 1) : QLine(l + 1, t + 1, r - 2, t + 1));
    else
        painter->drawLine(reversed ? QLine(r - 1, t + 1, l + 1, t + 1) : QLine(l + 1, t + 1, r - 1, t + 1));
    painter->setPen(linePen(brushForRect(pressed ? brushes.pressedLeft : brushes.left, b)));
    if (up || !reversed)
        painter->drawLine(l + 1, t + 2, l + 1, bt - 1);
    else
        painter->drawLine(l + 1, t + 1, l + 1, bt - 2);
    painter->setPen(linePen(qBrushDark(face, LIGHT_FACTOR)));
    if (up)
        painter->drawLine(reversed ? QLine(r - 2, bt - 1, l + 1, bt - 1) : QLine(l + 2, bt - 1, r - 1, bt - 1));
    else
        painter->drawLine(reversed ? QLine(r - 2, bt - 1, l + 2, bt - 1) : QLine(l + 2, bt - 1, r - 2, bt - 1));
    painter->setPen(linePen(brushForRect(pressed ? brushes.pressedRight : brushes.right, b)));
    if (up || reversed)
        painter->drawLine(r - 1, t + 2, r - 1, bt - 1);
    else
        painter->drawLine(r - 1, t + 1, r - 1, bt - 2);
}

// A 7 by 4 arrow box: pointing up or down from its top-left corner.
void drawSmallArrow(QPainter* painter, const QPoint& topLeft, bool up)
{
    const int ax = topLeft.x() + 3;
    const int top = topLeft.y();
    if (up) {
        painter->drawPoint(ax, top);
        const QLine lines[] = {QLine(ax - 1, top + 1, ax + 1, top + 1), QLine(ax - 2, top + 2, ax + 2, top + 2),
                               QLine(ax - 3, top + 3, ax + 3, top + 3)};
        painter->drawLines(lines, 3);
    } else {
        const QLine lines[] = {QLine(ax - 3, top, ax + 3, top), QLine(ax - 2, top + 1, ax + 2, top + 1),
                               QLine(ax - 1, top + 2, ax + 1, top + 2)};
        painter->drawLines(lines, 3);
        painter->drawPoint(ax, top + 3);
    }
}

} // namespace

void QPlastiqueStyleLocal::drawSpinBox(const QStyleOptionSpinBox* option, QPainter* painter,
                                       const QWidget* widget) const
{
    painter->save();
    const bool pressedState = option->state & (State_Sunken | State_On);
    const bool upPressed = (option->activeSubControls & SC_SpinBoxUp) && pressedState;
    const bool downPressed = (option->activeSubControls & SC_SpinBoxDown) && pressedState;
    const bool reversed = option->direction == Qt::RightToLeft;
    const QRect up = proxy()->subControlRect(CC_SpinBox, option, SC_SpinBoxUp, widget);
    const QRect down = proxy()->subControlRect(CC_SpinBox, option, SC_SpinBoxDown, widget);
    const QRect buttons = up | down;

    if (option->buttonSymbols == QAbstractSpinBox::NoButtons) {
        const QRect field = option->rect.adjusted(1, 1, -1, -1);
        painter->setBrushOrigin(field.topLeft());
        painter->fillRect(field.adjusted(1, 1, -1, -1), brushForRect(option->palette.base(), field));
        drawShadowedFrame(painter, option->rect, option, QFrame::Sunken);
        painter->restore();
        return;
    }
    // The field keeps its sunken frame beside the buttons, as it has
    // without them.
    if (option->frame)
        drawShadowedFrame(painter, option->rect, option, QFrame::Sunken);
    if (buttons.isEmpty()) {
        painter->restore();
        return;
    }

    const QBrush shadow = brushForRect(option->palette.shadow(), buttons);
    painter->setPen(linePen(alphaOf(shadow, BUTTON_BORDER_ALPHA)));
    if (!reversed) {
        const QLine lines[] = {QLine(buttons.left(), buttons.top() + 1, buttons.left(), buttons.bottom() - 1),
                               QLine(up.left(), up.top(), up.right() - 2, up.top()),
                               QLine(up.left() + 1, up.bottom(), up.right() - 1, up.bottom()),
                               QLine(down.left(), down.bottom(), down.right() - 2, down.bottom()),
                               QLine(buttons.right(), buttons.top() + 2, buttons.right(), buttons.bottom() - 2)};
        painter->drawLines(lines, 5);
        const QPoint points[] = {QPoint(up.right() - 1, up.top() + 1), QPoint(down.right() - 1, down.bottom() - 1)};
        painter->drawPoints(points, 2);
        painter->setPen(linePen(alphaOf(shadow, BUTTON_CORNER_ALPHA)));
        const QPoint corners[] = {QPoint(up.right() - 1, up.top()), QPoint(up.right(), up.top() + 1),
                                  QPoint(up.right(), down.bottom() - 1), QPoint(up.right() - 1, down.bottom())};
        painter->drawPoints(corners, 4);
    } else {
        const QLine lines[] = {QLine(buttons.right(), buttons.top() - 1, buttons.right(), buttons.bottom() + 1),
                               QLine(up.right(), up.top(), up.left() + 2, up.top()),
                               QLine(up.right() - 1, up.bottom(), up.left() + 1, up.bottom()),
                               QLine(down.right(), down.bottom(), down.left() + 2, down.bottom()),
                               QLine(buttons.left(), buttons.top() + 2, buttons.left(), buttons.bottom() - 2)};
        painter->drawLines(lines, 5);
        const QPoint points[] = {QPoint(up.left() + 1, up.top() + 1), QPoint(down.left() + 1, down.bottom() - 1)};
        painter->drawPoints(points, 2);
        painter->setPen(linePen(alphaOf(shadow, BUTTON_CORNER_ALPHA)));
        const QPoint corners[] = {QPoint(up.left() + 1, up.top()), QPoint(up.left(), up.top() + 1),
                                  QPoint(up.left(), down.bottom() - 1), QPoint(up.left() + 1, down.bottom())};
        painter->drawPoints(corners, 4);
    }

    const ButtonBrushes brushes(brushForRect(option->palette.button(), buttons).color(), buttons);
    drawSpinButtonFace(painter, brushes, up, upPressed, true, reversed);
    drawSpinButtonFace(painter, brushes, down, downPressed, false, reversed);

    painter->setPen(linePen(brushForRect(option->palette.buttonText(), buttons)));
    const int upShift = upPressed ? 1 : 0;
    const int downShift = downPressed ? 1 : 0;
    if (option->buttonSymbols == QAbstractSpinBox::PlusMinus) {
        if (option->subControls & SC_SpinBoxUp) {
            const QPoint c = up.center() + QPoint(upShift, upShift);
            painter->drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
            painter->drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
        }
        if (option->subControls & SC_SpinBoxDown) {
            const QPoint c = down.center() + QPoint(downShift, downShift);
            painter->drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
        }
    } else {
        if (option->subControls & SC_SpinBoxUp)
            drawSmallArrow(painter, QPoint(up.center().x() - 3 + upShift, up.center().y() - 2 + upShift), true);
        if (option->subControls & SC_SpinBoxDown)
            drawSmallArrow(painter, QPoint(down.center().x() - 3 + downShift, down.center().y() - 1 + downShift),
                           false);
    }
    painter->restore();
}

void QPlastiqueStyleLocal::drawComboBox(const QStyleOptionComboBox* option, QPainter* painter,
                                        const QWidget* widget) const
{
    const bool pressed = option->state & State_On;
    const bool reversed = option->direction == Qt::RightToLeft;
    const int shift = !pressed ? 0 : (reversed ? -1 : 1);
    const QPen savedPen = painter->pen();
    const QRect& rect = option->rect;
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();

    if (!option->editable) {
        QStyleOptionButton button;
        button.QStyleOption::operator=(*option);
        if (!pressed)
            button.state &= ~State_Sunken;
        proxy()->drawPrimitive(PE_PanelButtonCommand, &button, painter, widget);
        painter->setPen(linePen(alphaOf(brushForRect(option->palette.shadow(), rect), COMBO_SEPARATOR_ALPHA)));
        const int x = reversed ? l + shift + (COMBO_BUTTON_WIDTH - 1) : r + shift - (COMBO_BUTTON_WIDTH - 1);
        painter->drawLine(x, t + 1, x, b - 1);
    } else {
        // The edit field's sunken frame, as a line edit has; the button
        // strip is drawn over its end.
        if (option->frame)
            drawShadowedFrame(painter, rect, option, QFrame::Sunken);
        const QBrush buttonBrush = option->palette.button();
        const ButtonBrushes brushes = (buttonBrush.gradient() || !buttonBrush.texture().isNull())
            ? ButtonBrushes(buttonBrush)
            : ButtonBrushes(buttonBrush.color(), rect);
        const QRect button(reversed ? l : r - (COMBO_BUTTON_WIDTH - 1), t, COMBO_BUTTON_WIDTH, rect.height());
        const int bl = button.left();
        const int bt = button.top();
        const int br = button.right();
        const int bb = button.bottom();
        const QBrush shadow = brushForRect(option->palette.shadow(), button);
        painter->setPen(linePen(alphaOf(shadow, BUTTON_BORDER_ALPHA)));
        if (!reversed) {
            const QLine lines[] = {QLine(bl, bt + 1, bl, bb - 1), QLine(bl, bt, br - 2, bt),
                                   QLine(br, bt + 2, br, bb - 2), QLine(bl, bb, br - 2, bb)};
            painter->drawLines(lines, 4);
            const QPoint points[] = {QPoint(br - 1, bt + 1), QPoint(br - 1, bb - 1)};
            painter->drawPoints(points, 2);
            painter->setPen(linePen(alphaOf(shadow, COMBO_FAINT_ALPHA)));
            const QPoint faint[] = {QPoint(br - 1, bt), QPoint(br - 1, bb), QPoint(br, bt + 1), QPoint(br, bb - 1)};
            painter->drawPoints(faint, 4);
        } else {
            const QLine lines[] = {QLine(br, bt - 1, br, bb + 1), QLine(br, bt, bl + 2, bt),
                                   QLine(bl, bt + 2, bl, bb - 2), QLine(br, bb, bl + 2, bb)};
            painter->drawLines(lines, 4);
            const QPoint points[] = {QPoint(bl + 1, bt + 1), QPoint(bl + 1, bb - 1)};
            painter->drawPoints(points, 2);
            painter->setPen(linePen(alphaOf(shadow, COMBO_FAINT_ALPHA)));
            const QPoint faint[] = {QPoint(bl + 1, bt), QPoint(bl + 1, bb), QPoint(bl, bt + 1), QPoint(bl, bb - 1)};
            painter->drawPoints(faint, 4);
        }
        const QBrush face = brushForRect(pressed ? brushes.pressedFace : brushes.face, rect);
        painter->fillRect(button.adjusted(2, 2, -2, -2), face);
        painter->setPen(linePen(qBrushLight(face)));
        painter->drawLine(reversed ? QLine(br - 1, bt + 1, bl + 2, bt + 1) : QLine(bl + 1, bt + 1, br - 2, bt + 1));
        painter->setPen(linePen(qBrushDark(face, LIGHT_FACTOR)));
        painter->drawLine(reversed ? QLine(br - 1, bb - 1, bl + 2, bb - 1) : QLine(bl + 1, bb - 1, br - 2, bb - 1));
        painter->setPen(linePen(brushForRect(pressed ? brushes.pressedLeft : brushes.left, rect)));
        painter->drawLine(bl + 1, bt + 2, bl + 1, bb - 2);
        painter->setPen(linePen(brushForRect(pressed ? brushes.pressedRight : brushes.right, rect)));
        painter->drawLine(br - 1, bt + 2, br - 1, bb - 2);
    }

    if (option->subControls & SC_ComboBoxArrow) {
        const int x0 = reversed ? l + COMBO_ARROW_INSET : r - COMBO_ARROW_INSET;
        const QPoint topLeft(x0 + shift - 3, rect.center().y() - 1 + (pressed ? 1 : 0));
        painter->setPen(linePen(brushForRect(option->palette.buttonText(), rect)));
        drawSmallArrow(painter, topLeft, false);
    }

    if ((option->state & State_HasFocus) && !option->editable
        && ((option->state & State_KeyboardFocusChange) || styleHint(SH_UnderlineShortcut, option, widget))) {
        QStyleOptionFocusRect focus;
        focus.rect = proxy()->subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget).adjusted(-2, 0, 2, 0);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->setPen(savedPen);
}
