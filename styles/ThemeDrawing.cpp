#include "ThemeDrawing.h"

#include "PlastiqueDrawing.h"
#include "StyleTools.h"

#include <QComboBox>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Extras of the theme metrics, in design pixels before the device ratio.
constexpr double COMBO_FRAME_WIDTH = 8.0;
constexpr double SCROLL_BAR_EXTRA = 4.0;
constexpr double SCREENSHOT_TAB_SPACE_EXTRA = 50.0;
constexpr double SCREENSHOT_INDICATOR_EXTRA = 25.0;

// Far above any edge a screen can show; keeps the conversion to int defined
// whatever scale the program-wide value holds.
constexpr double MAXIMUM_EDGE = 1 << 16;
// The least difference of grey between the focus frame and the panel, and
// the shade that takes a highlight too near it further away.
constexpr int FOCUS_FRAME_MIN_CONTRAST = 96;
constexpr int FOCUS_FRAME_SHADE = 250;

double devicePixelRatioOf(const QWidget* widget)
{
    const double ratio = widget ? widget->devicePixelRatioF() : 1.0;
    return ratio > 0.0 ? ratio : 1.0;
}

// A textured brush of the colour, or the plain colour when the texture is
// missing: a brush made with a null pixmap paints nothing at all.
QBrush textureBrush(const QColor& colour, const QPixmap& texture)
{
    return texture.isNull() ? QBrush(colour) : QBrush(colour, texture);
}

// The light half (left to right: above and left of the diagonal from the
// top-right to the bottom-left corner) or, with 'dark', the other half.
QPolygon halfPolygon(const QRect& rect, int radius, bool rightToLeft, bool dark)
{
    const int l = rect.left();
    const int t = rect.top();
    const int w = rect.width();
    const int h = rect.height();
    const int r = radius;
    QPolygon polygon;
    if (!rightToLeft) {
        polygon << (dark ? QPoint(l + w, t + h) : QPoint(l, t)) << QPoint(l + w, t) << QPoint(l + w - r, t + r)
                << QPoint(l + r, t + h - r) << QPoint(l, t + h);
    } else {
        polygon << (dark ? QPoint(l, t + h) : QPoint(l + w, t)) << QPoint(l, t) << QPoint(l + r, t + r)
                << QPoint(l + w - r, t + h - r) << QPoint(l + w, t + h);
    }
    return polygon;
}

QPen edgePen(const QColor& colour, int width)
{
    return QPen(QBrush(colour), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

bool hasTexture(const QBrush& brush) { return !brush.gradient() && !brush.texture().isNull(); }

} // namespace

namespace ThemeDrawing {

void fillPalette(QPalette& palette, const PaletteLook& look)
{
    const QPixmap plain(look.texture);
    if (plain.isNull())
        qWarning("theme texture %s cannot be loaded: plain button colours instead", qPrintable(look.texture));
    QPixmap shaded = plain;
    if (!shaded.isNull()) {
        QPainter overlay(&shaded);
        overlay.fillRect(shaded.rect(), look.overlay);
    }

    palette = QPalette(look.button);
    palette.setBrush(QPalette::All, QPalette::BrightText, QBrush(Qt::white));
    palette.setBrush(QPalette::All, QPalette::Base, QBrush(look.baseSource.lighter(look.baseLighter)));
    palette.setBrush(QPalette::All, QPalette::Highlight, QBrush(look.highlight));

    const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Disabled, QPalette::Inactive};
    for (const QPalette::ColorGroup group : groups)
        palette.setBrush(group, QPalette::Button, textureBrush(palette.color(group, QPalette::Button), plain));
    for (const QPalette::ColorGroup group : groups)
        palette.setBrush(group, QPalette::Mid, textureBrush(palette.color(group, QPalette::Mid), shaded));

    // Disabled controls lose their texture and show the window behind them.
    const QBrush window = palette.window();
    QBrush darker = window;
    darker.setColor(window.color().darker(DISABLED_TEXT_DARK));
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, darker);
    palette.setBrush(QPalette::Disabled, QPalette::Text, darker);
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, darker);
    palette.setBrush(QPalette::Disabled, QPalette::Base, window);
    palette.setBrush(QPalette::Disabled, QPalette::Button, window);
    palette.setBrush(QPalette::Disabled, QPalette::Mid, window);
}

void markHover(QWidget* widget, bool on)
{
    if (qobject_cast<QPushButton*>(widget) || qobject_cast<QComboBox*>(widget))
        widget->setAttribute(Qt::WA_Hover, on);
}

bool answersAlone(QStyle::PixelMetric metric) { return metric == QStyle::PM_ComboBoxFrameWidth; }

int pixelMetric(QStyle::PixelMetric metric, int base, const QWidget* widget, bool screenshotMode)
{
    const double ratio = devicePixelRatioOf(widget);
    switch (metric) {
    case QStyle::PM_ComboBoxFrameWidth:
        return int(COMBO_FRAME_WIDTH / ratio);
    case QStyle::PM_ScrollBarExtent:
        return int(double(base) + SCROLL_BAR_EXTRA / ratio);
    case QStyle::PM_TabBarTabVSpace:
        return screenshotMode ? int(double(base) + SCREENSHOT_TAB_SPACE_EXTRA / ratio) : base;
    case QStyle::PM_IndicatorWidth:
    case QStyle::PM_IndicatorHeight:
    case QStyle::PM_ExclusiveIndicatorWidth:
    case QStyle::PM_ExclusiveIndicatorHeight:
        return screenshotMode ? int(double(base) + SCREENSHOT_INDICATOR_EXTRA / ratio) : base;
    default:
        return base;
    }
}

int styleHint(QStyle::StyleHint hint, bool& known)
{
    known = true;
    switch (hint) {
    case QStyle::SH_EtchDisabledText:
        return 1;
    case QStyle::SH_DitherDisabledText:
        return 0;
    default:
        known = false;
        return -1;
    }
}

int panelRadius(const QRect& rect, int radiusDivisor)
{
    return qMax(0, qMin(rect.width(), rect.height()) / radiusDivisor);
}

QPainterPath panelPath(const QRect& rect, int radius)
{
    const int l = rect.left();
    const int t = rect.top();
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 1;
    const int r = radius;
    const int d = 2 * r;
    const auto square = [d](int x, int y) { return QRectF(QRect(QPoint(x, y), QPoint(x + d - 1, y + d - 1))); };
    QPainterPath path;
    path.moveTo(right, t + r);
    path.arcTo(square(right - d, t), 0, 90);
    path.lineTo(l + r, t);
    path.arcTo(square(l, t), 90, 90);
    path.lineTo(l, bottom - r);
    path.arcTo(square(l, bottom - d), 180, 90);
    path.lineTo(l + r, bottom);
    path.arcTo(square(right - d, bottom - d), 270, 90);
    path.closeSubpath();
    return path;
}

int edgeWidth(int radius)
{
    const int base = radius < SMALL_RADIUS_LIMIT ? SMALL_EDGE : radius < MEDIUM_RADIUS_LIMIT ? MEDIUM_EDGE : LARGE_EDGE;
    double scale = StyleTools::buttonEdgeScale();
    if (!std::isfinite(scale) || scale <= 0.0)
        scale = 1.0;
    return int(std::round(qMin(double(base) * scale, MAXIMUM_EDGE)));
}

void drawButtonPanel(const QStyleOption* option, QPainter* painter, const ButtonLook& look)
{
    if (!option || !painter || option->rect.isEmpty())
        return;
    const QRect& rect = option->rect;
    const int radius = panelRadius(rect, look.radiusDivisor);
    const QPainterPath path = panelPath(rect, radius);

    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    const bool flat = button && (button->features & QStyleOptionButton::Flat);
    const bool pressed = option->state & QStyle::State_Sunken;
    const bool on = option->state & QStyle::State_On;
    QBrush fill;
    bool overlay = false;
    if (flat) {
        fill = option->palette.window();
        overlay = pressed || on;
    } else if (pressed) {
        fill = option->palette.mid();
    } else if (on) {
        fill = option->palette.mid();
        overlay = true;
    } else {
        fill = option->palette.button();
        overlay = true;
    }

    const bool hover = option->state & QStyle::State_MouseOver;
    QColor light = look.lightEdge;
    light.setAlpha(hover ? LIGHT_EDGE_HOVER_ALPHA : EDGE_ALPHA);
    QColor dark = look.darkEdge;
    dark.setAlpha(hover ? DARK_EDGE_HOVER_ALPHA : EDGE_ALPHA);
    const int width = edgeWidth(radius);
    QPen first = edgePen(light, width);
    QPen second = edgePen(dark, width);
    if (pressed || on)
        std::swap(first, second);

    const bool rightToLeft = option->direction == Qt::RightToLeft;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillPath(path, fill);
    if (overlay)
        painter->fillPath(path, look.overlay);
    painter->setBrush(Qt::NoBrush);
    // The clip is the path itself, so only the inner half of each stroke
    // shows.
    const QPen pens[] = {first, second};
    for (const bool darkHalf : {false, true}) {
        painter->setClipPath(path, Qt::ReplaceClip);
        painter->setClipRegion(
            QRegion(halfPolygon(rect, radius, rightToLeft, darkHalf), Qt::OddEvenFill), Qt::IntersectClip);
        painter->setPen(pens[darkHalf ? 1 : 0]);
        painter->drawPath(path);
    }
    painter->setPen(QPen(option->palette.windowText().color()));
    painter->setClipping(false);
    painter->drawPath(path);
    // The keyboard's button: a ring in the highlight colour inside the
    // edges. The dotted focus frame below shows only after a key moved the
    // focus and is lost on the textures, so a button the program gave the
    // keyboard (the trump and bid band's first) gave no sign that Return
    // would press it. The ring is thick enough to show on every texture but
    // thin beside the label: on a small button (a box's OK) a thick ring
    // would fill the band the label is written on.
    if ((option->state & QStyle::State_HasFocus) && (option->state & QStyle::State_Enabled)) {
        const int ring = std::clamp(std::min(rect.width(), rect.height()) / FOCUS_RING_DIVISOR, FOCUS_RING_MIN_WIDTH,
                                    std::max(FOCUS_RING_MIN_WIDTH, width));
        // Where the edges leave the label too little room, the ring lies
        // over the edge itself, inside the button's dark outline.
        const int inset = rect.height() - 2 * (width + ring) >= rect.height() / 2 ? width + ring / 2 : ring / 2 + 2;
        const QRect inner = rect.adjusted(inset, inset, -inset, -inset);
        if (inner.height() >= 2 * ring && inner.width() >= 2 * ring) {
            painter->setPen(QPen(focusColour(option->palette), ring, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->drawPath(panelPath(inner, std::max(0, radius - inset)));
        }
    }
    painter->restore();
}

QColor focusColour(const QPalette& palette)
{
    // A highlight too near the panel's shade (the grey themes: grey on
    // grey) is taken further from it.
    QColor couleur = palette.highlight().color();
    const int fond = qGray(palette.window().color().rgb());
    if (std::abs(qGray(couleur.rgb()) - fond) < FOCUS_FRAME_MIN_CONTRAST)
        couleur = fond >= 128 ? couleur.darker(FOCUS_FRAME_SHADE) : couleur.lighter(FOCUS_FRAME_SHADE);
    return couleur;
}

void drawFocusFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget)
{
    if (!option || option->rect.isEmpty())
        return;
    // The plain look's dotted frame, one pixel in the inverse of the
    // background, vanished on the themes' light panels and textures: a
    // person who pressed Tab could not tell where the keyboard went.
    double scale = StyleTools::buttonEdgeScale();
    if (!std::isfinite(scale) || scale <= 0.0)
        scale = 1.0;
    const int ring = std::max(FOCUS_RING_MIN_WIDTH, int(std::round(FOCUS_RING_MIN_WIDTH * std::min(scale, 4.0))));
    // The ring lies just outside the rectangle, which hugs the label with
    // a pixel to spare, so that it keeps clear of the letters; within the
    // widget, which would clip it.
    QRectF autour = QRectF(option->rect).adjusted(-1.5, -1.5, 1.5, 1.5);
    if (widget) {
        const double demi = ring / 2.0;
        autour = autour.intersected(QRectF(widget->rect()).adjusted(demi, demi, -demi, -demi));
    }
    if (autour.isEmpty())
        return;
    const QColor couleur = focusColour(option->palette);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(couleur, ring, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawRoundedRect(autour, ring, ring);
    painter->restore();
}

QStyleOptionButton pushButtonLabelOption(const QStyleOption* option)
{
    QStyleOptionButton copy;
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
        copy = *button;
        if (copy.palette.currentColorGroup() != QPalette::Disabled
            && (copy.state & (QStyle::State_Sunken | QStyle::State_On)))
            copy.palette.setBrush(QPalette::ButtonText, copy.palette.brightText());
    }
    return copy;
}

void qBrushAlpha(QBrush& brush, double factor)
{
    if (!hasTexture(brush))
        PlastiqueDrawing::qBrushAlpha(brush, factor);
}

QBrush qBrushLight(QBrush brush) { return hasTexture(brush) ? brush : PlastiqueDrawing::qBrushLight(brush); }

QBrush qBrushDark(QBrush brush, int factor)
{
    return hasTexture(brush) ? brush : PlastiqueDrawing::qBrushDark(brush, factor);
}

} // namespace ThemeDrawing
