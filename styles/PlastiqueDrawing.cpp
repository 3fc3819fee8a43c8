#include "PlastiqueDrawing.h"

#include "StyleTools.h"

#include <QConicalGradient>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QStyleOption>
#include <QWidget>

#include <cmath>
#include <cstring>

namespace {

constexpr int PERCENT = 100;
constexpr int GRADIENT_KEY_CHARS = 4 * StyleTools::HEX32_CHARS;
constexpr int ALPHA_KEY_CHARS = 2 * StyleTools::HEX64_CHARS;

// Field frame brushes (alpha factors of the shadow and highlight colours).
constexpr double FRAME_BORDER_ALPHA = 0.4;
constexpr double FRAME_CORNER_ALPHA = 0.25;
constexpr double FRAME_DEEP_ALPHA = 0.23;
constexpr double FRAME_SOFT_ALPHA = 0.075;
constexpr double FOCUS_BORDER_ALPHA = 0.8;
constexpr double FOCUS_CORNER_ALPHA = 0.5;
constexpr double FOCUS_INNER_ALPHA = 0.65;
constexpr int FOCUS_INNER_DARK = 125;

// Button outline and panel colours.
constexpr int TOP_SHADE_LIGHT = 104;
constexpr int BOTTOM_SHADE_DARK = 105;
constexpr int BOTTOM_SHADE_DARK_AGAIN = 102;
constexpr int SUNKEN_TOP_DARK = 118;
constexpr int SUNKEN_BOTTOM_DARK = 110;
constexpr int SUNKEN_BODY_TOP_DARK = 114;
constexpr int SUNKEN_BODY_BOTTOM_DARK = 106;
constexpr int BODY_BOTTOM_DARK = 102;

// Grip dots.
constexpr int DOT_SIZE = 3;
constexpr int DOT_PITCH = DOT_SIZE + 2;
constexpr int DOT_ALPHA = 170;

const char* const LIGHT_WARNING =
    "QPlastiqueStyleLocal::qBrushLight() - unknown gradient type - falling back to QLinearGradient";
const char* const DARK_WARNING =
    "QPlastiqueStyleLocal::qBrushDark() - unknown gradient type - falling back to QLinearGradient";

// A gradient of the same kind as the source with the new stops; unknown
// kinds become linear (with the warning, when there is one).
QBrush gradientWithStops(const QGradient* source, const QGradientStops& stops, const char* warning)
{
    switch (source->type()) {
    case QGradient::RadialGradient: {
        QRadialGradient gradient(*static_cast<const QRadialGradient*>(source));
        gradient.setStops(stops);
        return QBrush(gradient);
    }
    case QGradient::ConicalGradient: {
        QConicalGradient gradient(*static_cast<const QConicalGradient*>(source));
        gradient.setStops(stops);
        return QBrush(gradient);
    }
    case QGradient::LinearGradient: {
        QLinearGradient gradient(*static_cast<const QLinearGradient*>(source));
        gradient.setStops(stops);
        return QBrush(gradient);
    }
    default: {
        if (warning)
            qWarning("%s", warning);
        QLinearGradient gradient;
        gradient.setSpread(source->spread());
        gradient.setCoordinateMode(source->coordinateMode());
        gradient.setStops(stops);
        return QBrush(gradient);
    }
    }
}

// The shared procedure of the three brush derivations.
template <typename Operation>
void deriveBrush(QBrush& brush, const Operation& operation, const QString& textureKey, const char* warning)
{
    if (const QGradient* gradient = brush.gradient()) {
        QGradientStops stops = gradient->stops();
        for (QGradientStop& stop : stops)
            stop.second = operation(stop.second);
        brush = gradientWithStops(gradient, stops, warning);
        return;
    }
    const QPixmap texture = brush.texture();
    if (!texture.isNull()) {
        QPixmap derived;
        if (!QPixmapCache::find(textureKey, &derived)) {
            // Walked as 32-bit pixels, so the image must hold 32-bit pixels
            // whatever the texture's own depth.
            QImage image = texture.toImage().convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    QColor colour;
                    colour.setRgb(line[x]);
                    line[x] = operation(colour).rgba();
                }
            }
            derived = QPixmap::fromImage(image);
            QPixmapCache::insert(textureKey, derived);
        }
        brush.setTexture(derived);
        return;
    }
    brush.setColor(operation(brush.color()));
}

quint64 textureKeyOf(const QBrush& brush)
{
    return brush.gradient() ? 0 : quint64(brush.texture().cacheKey());
}

QPen cosmeticPen(const QBrush& brush)
{
    QPen pen(brush, 0);
    pen.setCosmetic(true);
    return pen;
}

QBrush alpha(QBrush brush, double factor)
{
    PlastiqueDrawing::qBrushAlpha(brush, factor);
    return brush;
}

// The rounded outline shared by the field frame, the button outline and the
// title-bar button: four lines two pixels short of each corner and the four
// diagonal points.
void drawRoundedBorder(QPainter* painter, const QRect& r)
{
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    const QLine lines[] = {QLine(l + 2, t, rt - 2, t), QLine(l + 2, b, rt - 2, b), QLine(l, t + 2, l, b - 2),
                           QLine(rt, t + 2, rt, b - 2)};
    painter->drawLines(lines, 4);
    const QPoint points[] = {QPoint(l + 1, t + 1), QPoint(rt - 1, t + 1), QPoint(l + 1, b - 1),
                             QPoint(rt - 1, b - 1)};
    painter->drawPoints(points, 4);
}

void drawOuterCorners(QPainter* painter, const QRect& r)
{
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    const QPoint points[] = {QPoint(l, t + 1),  QPoint(l, b - 1),  QPoint(l + 1, t),  QPoint(l + 1, b),
                             QPoint(rt, t + 1), QPoint(rt, b - 1), QPoint(rt - 1, t), QPoint(rt - 1, b)};
    painter->drawPoints(points, 8);
}

QColor backgroundOf(const QStyleOption* option, const QWidget* widget)
{
    return widget ? option->palette.color(widget->backgroundRole()) : option->palette.window().color();
}

} // namespace

namespace PlastiqueDrawing {

QColor blendColors(const QColor& a, const QColor& b, int factor)
{
    QColor result = a;
    result.setRed((b.red() * (PERCENT - factor)) / PERCENT + (a.red() * factor) / PERCENT);
    result.setGreen((b.green() * (PERCENT - factor)) / PERCENT + (a.green() * factor) / PERCENT);
    result.setBlue((b.blue() * (PERCENT - factor)) / PERCENT + (a.blue() * factor) / PERCENT);
    return result;
}

QImage createCacheImage(const QSize& size)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const auto scaled = [ratio](int value) { return int(std::lround(double(value) * ratio)); };
    QImage image(scaled(size.width()), scaled(size.height()), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

QBrush brushForRect(const QBrush& brush, const QRectF& rect)
{
    const QGradient* gradient = brush.gradient();
    if (!gradient)
        return brush;
    QLinearGradient fitted(rect.center().x(), rect.top(), rect.center().x(), rect.top() + rect.height());
    fitted.setStops(gradient->stops());
    return QBrush(fitted);
}

void qBrushAlpha(QBrush& brush, double factor)
{
    QString key;
    if (!brush.gradient() && !brush.texture().isNull()) {
        key = QString(int(std::strlen("qbrushtexture-alpha")) + ALPHA_KEY_CHARS, Qt::Uninitialized);
        QChar* cursor = key.data();
        for (const char c : QLatin1String("qbrushtexture-alpha"))
            *cursor++ = QLatin1Char(c);
        quint64 bits = 0;
        static_assert(sizeof(bits) == sizeof(factor), "a double is 64 bits");
        std::memcpy(&bits, &factor, sizeof(bits));
        StyleTools::appendHex64(cursor, bits);
        StyleTools::appendHex64(cursor, textureKeyOf(brush));
    }
    deriveBrush(
        brush,
        [factor](QColor colour) {
            colour.setAlphaF(colour.alphaF() * float(factor));
            return colour;
        },
        key, nullptr);
}

QBrush qBrushLight(QBrush brush)
{
    const QString key = brush.gradient() || brush.texture().isNull()
        ? QString()
        : StyleTools::textureCacheKey(QLatin1String("qbrushtexture-light"), LIGHT_FACTOR, textureKeyOf(brush));
    deriveBrush(
        brush, [](const QColor& colour) { return colour.lighter(LIGHT_FACTOR); }, key, LIGHT_WARNING);
    return brush;
}

QBrush qBrushDark(QBrush brush, int factor)
{
    const QString key = brush.gradient() || brush.texture().isNull()
        ? QString()
        : StyleTools::textureCacheKey(QLatin1String("qbrushtexture-dark"), quint32(factor), textureKeyOf(brush));
    deriveBrush(
        brush, [factor](const QColor& colour) { return colour.darker(factor); }, key, DARK_WARNING);
    return brush;
}

void drawCachedGradient(QPainter* painter, const QRect& rect, const QColor& start, const QColor& stop)
{
    const int w = rect.width();
    const int h = rect.height();
    const bool caching = painter->deviceTransform().isIdentity() && painter->worldTransform().isIdentity()
        && w > 0 && h > 0;
    QString key;
    QPixmap pixmap;
    QPainter cachePainter;
    QPainter* target = painter;
    QRect area = rect;
    if (caching) {
        key = QString(int(std::strlen("qplastique-g")) + GRADIENT_KEY_CHARS, Qt::Uninitialized);
        QChar* cursor = key.data();
        for (const char c : QLatin1String("qplastique-g"))
            *cursor++ = QLatin1Char(c);
        StyleTools::appendHex32(cursor, quint32(w));
        StyleTools::appendHex32(cursor, quint32(h));
        StyleTools::appendHex32(cursor, start.rgba());
        StyleTools::appendHex32(cursor, stop.rgba());
        if (QPixmapCache::find(key, &pixmap)) {
            painter->drawPixmap(rect, pixmap);
            return;
        }
        pixmap = QPixmap(w, h);
        pixmap.fill(Qt::transparent);
        cachePainter.begin(&pixmap);
        target = &cachePainter;
        area = QRect(0, 0, w, h);
    }
    QLinearGradient gradient(area.center().x(), area.top(), area.center().x(), area.bottom());
    gradient.setColorAt(0, start);
    gradient.setColorAt(1, stop);
    target->fillRect(area, gradient);
    if (caching) {
        cachePainter.end();
        painter->drawPixmap(rect, pixmap);
        QPixmapCache::insert(key, pixmap);
    }
}

void drawShadowedFrame(QPainter* painter, const QRect& rect, const QStyleOption* option, QFrame::Shadow shadow)
{
    const QBrush highlight = option->palette.highlight();
    const QBrush shadowBrush = option->palette.shadow();
    QBrush border;
    QBrush corner;
    QBrush innerTopLeft;
    QBrush innerBottomRight;
    if (shadow != QFrame::Plain && (option->state & QStyle::State_HasFocus)) {
        border = alpha(highlight, FOCUS_BORDER_ALPHA);
        corner = alpha(highlight, FOCUS_CORNER_ALPHA);
        innerTopLeft = qBrushDark(highlight, FOCUS_INNER_DARK);
        innerBottomRight = alpha(highlight, FOCUS_INNER_ALPHA);
    } else {
        border = alpha(shadowBrush, FRAME_BORDER_ALPHA);
        corner = alpha(shadowBrush, FRAME_CORNER_ALPHA);
        const bool sunken = shadow == QFrame::Sunken;
        innerTopLeft = alpha(shadowBrush, sunken ? FRAME_DEEP_ALPHA : FRAME_SOFT_ALPHA);
        innerBottomRight = alpha(shadowBrush, sunken ? FRAME_SOFT_ALPHA : FRAME_DEEP_ALPHA);
    }
    const QPen oldPen = painter->pen();
    painter->setPen(cosmeticPen(border));
    drawRoundedBorder(painter, rect);
    painter->setPen(cosmeticPen(corner));
    drawOuterCorners(painter, rect);
    if (shadow != QFrame::Plain) {
        const int l = rect.left();
        const int t = rect.top();
        const int r = rect.right();
        const int b = rect.bottom();
        painter->setPen(cosmeticPen(innerTopLeft));
        painter->drawLine(l + 2, t + 1, r - 2, t + 1);
        painter->drawLine(l + 1, t + 2, l + 1, b - 2);
        painter->setPen(cosmeticPen(innerBottomRight));
        painter->drawLine(l + 2, b - 1, r - 2, b - 1);
        painter->drawLine(r - 1, t + 2, r - 1, b - 2);
    }
    painter->setPen(oldPen);
}

QColor cornerColor(const QStyleOption* option, const QWidget* widget)
{
    return blendColors(backgroundOf(option, widget), option->palette.window().color().darker(BORDER_DARK_FACTOR),
                       HALF_BLEND);
}

void drawPanelFrame(QPainter* painter, const QStyleOption* option, const QWidget* widget)
{
    const QRect& rect = option->rect;
    const QColor button = option->palette.button().color();
    const QColor border = option->palette.window().color().darker(BORDER_DARK_FACTOR);
    const bool sunken = option->state & (QStyle::State_Sunken | QStyle::State_On);
    const QPen oldPen = painter->pen();
    painter->setPen(border);
    drawRoundedBorder(painter, rect);
    painter->setPen(cornerColor(option, widget));
    drawOuterCorners(painter, rect);
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    painter->setPen(sunken ? button.darker(SUNKEN_TOP_DARK) : button.lighter(TOP_SHADE_LIGHT));
    painter->drawLine(l + 2, t + 1, r - 2, t + 1);
    painter->drawLine(l + 1, t + 2, l + 1, b - 2);
    painter->setPen(sunken ? button.darker(SUNKEN_BOTTOM_DARK)
                           : button.darker(BOTTOM_SHADE_DARK).darker(BOTTOM_SHADE_DARK_AGAIN));
    painter->drawLine(l + 2, b - 1, r - 2, b - 1);
    painter->drawLine(r - 1, t + 2, r - 1, b - 2);
    painter->setPen(oldPen);
}

void drawGradientPanel(QPainter* painter, const QStyleOption* option, const QWidget* widget)
{
    const bool hidden = !(option->state & QStyle::State_Enabled) && (option->state & QStyle::State_AutoRaise);
    if (!hidden) {
        const QRect body = option->rect.adjusted(1, 1, -1, -1);
        if (option->state & (QStyle::State_Sunken | QStyle::State_On)) {
            const QColor button = option->palette.button().color();
            drawCachedGradient(painter, body, button.darker(SUNKEN_BODY_TOP_DARK),
                               button.darker(SUNKEN_BODY_BOTTOM_DARK));
        } else {
            const QColor window = option->palette.window().color();
            drawCachedGradient(painter, body, window.lighter(LIGHT_FACTOR), window.darker(BODY_BOTTOM_DARK));
        }
    }
    drawPanelFrame(painter, option, widget);
}

void drawTitleBarButton(QPainter* painter, const QStyleOptionTitleBar* option, const QRect& rect, bool hover,
                        bool sunken)
{
    if (rect.isNull())
        return;
    const bool active = option->titleBarState & QStyle::State_Active;
    const bool lit = hover || sunken;
    struct Colours
    {
        QRgb top;
        QRgb bottom;
        QRgb border;
    };
    static constexpr Colours ACTIVE = {0x55689A, 0x7381AB, 0x324577};
    static constexpr Colours ACTIVE_LIT = {0x7D8BB1, 0x939EBE, 0x627097};
    static constexpr Colours INACTIVE = {0x818181, 0x929292, 0x5E5E5E};
    static constexpr Colours INACTIVE_LIT = {0x9E9E9E, 0xABABAB, 0x838383};
    const Colours& colours = active ? (lit ? ACTIVE_LIT : ACTIVE) : (lit ? INACTIVE_LIT : INACTIVE);
    drawCachedGradient(painter, rect.adjusted(1, 1, -1, -1), QColor(colours.top), QColor(colours.bottom));
    painter->setPen(QPen(QColor(colours.border), 1));
    drawRoundedBorder(painter, rect);
}

QImage indexedImage(std::initializer_list<const char*> rows, const char* indices,
                    std::initializer_list<QColor> colours)
{
    const int height = int(rows.size());
    const int width = int(std::strlen(*rows.begin()));
    QImage image(width, height, QImage::Format_Indexed8);
    QVector<QRgb> table{0u};
    for (const QColor& colour : colours)
        table.append(colour.rgba());
    image.setColorTable(table);
    int y = 0;
    for (const char* row : rows) {
        uchar* line = image.scanLine(y++);
        for (int x = 0; x < width; ++x) {
            const char* found = row[x] ? std::strchr(indices, row[x]) : nullptr;
            const int index = found ? int(found - indices) : 0;
            line[x] = uchar(index < table.size() ? index : 0);
        }
    }
    return image;
}

QImage gripDot(const QStyleOption* option, const QWidget* widget)
{
    QImage dot(DOT_SIZE, DOT_SIZE, QImage::Format_Indexed8);
    QColor corner = cornerColor(option, widget);
    corner.setAlpha(DOT_ALPHA);
    const QColor light = option->palette.light().color();
    dot.setColorTable({0u, corner.rgba(), blendColors(corner, light, HALF_BLEND).rgba(), light.rgba()});
    static constexpr uchar MAP[DOT_SIZE][DOT_SIZE] = {{1, 1, 0}, {1, 2, 3}, {0, 3, 3}};
    for (int y = 0; y < DOT_SIZE; ++y)
        std::memcpy(dot.scanLine(y), MAP[y], DOT_SIZE);
    return dot;
}

void drawGripDots(QPainter* painter, const QStyleOption* option, const QRect& rect, Qt::Orientation orientation,
                  const QWidget* widget)
{
    const bool across = orientation == Qt::Vertical;
    const int count = (across ? rect.width() : rect.height()) / DOT_PITCH;
    if (count < 1)
        return;
    const QImage dot = gripDot(option, widget);
    for (int i = 0; i < count; ++i) {
        const QPoint at = across ? QPoint(rect.left() + DOT_PITCH * i, rect.top())
                                 : QPoint(rect.left(), rect.top() + DOT_PITCH * i);
        painter->drawImage(at, dot);
    }
}

} // namespace PlastiqueDrawing
