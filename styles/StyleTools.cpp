#include "StyleTools.h"

#include "PlastiqueDrawing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QScreen>
#include <QStyleOption>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr char HEX_DIGITS[] = "0123456789abcdef";
constexpr int BITS_PER_BYTE = 8;
constexpr quint32 LOW_NIBBLE = 0xf;
constexpr int HIGH_NIBBLE_SHIFT = 4;
constexpr int MIN_OPTION_VERSION = 1;

QSize storedMinimumControlSize(0, 0);
double storedButtonEdgeScale = 1.0;

// Not measured yet while negative.
double screenScaleFactor = -1.0;

template <typename T> void appendHex(QChar*& cursor, T value)
{
    for (unsigned i = 0; i < sizeof(T); ++i) {
        const quint32 byte = quint32(value >> (i * BITS_PER_BYTE)) & 0xffu;
        *cursor++ = QLatin1Char(HEX_DIGITS[byte & LOW_NIBBLE]);
        *cursor++ = QLatin1Char(HEX_DIGITS[byte >> HIGH_NIBBLE_SHIFT]);
    }
}

} // namespace

namespace StyleTools {

void appendHex32(QChar*& cursor, quint32 value)
{
    appendHex(cursor, value);
}

void appendHex64(QChar*& cursor, quint64 value)
{
    appendHex(cursor, value);
}

QString optionCacheKey(const QString& name, const QStyleOption* option, const QSize& size)
{
    const auto* spinBox = option->version >= MIN_OPTION_VERSION && option->type == QStyleOption::SO_SpinBox
        ? static_cast<const QStyleOptionSpinBox*>(option)
        : nullptr;
    const bool complex = option->version >= MIN_OPTION_VERSION && option->type >= QStyleOption::SO_Complex;
    const quint32 activeSubControls =
        complex ? quint32(static_cast<const QStyleOptionComplex*>(option)->activeSubControls.toInt()) : 0u;

    QString key(name.size() + OPTION_KEY_CHARS + (spinBox ? SPIN_BOX_KEY_CHARS : 0), Qt::Uninitialized);
    QChar* cursor = key.data();
    for (const QChar c : name)
        *cursor++ = c;
    appendHex32(cursor, quint32(option->state.toInt()));
    appendHex32(cursor, quint32(option->direction));
    appendHex32(cursor, activeSubControls);
    appendHex64(cursor, quint64(option->palette.cacheKey()));
    appendHex32(cursor, quint32(size.width()));
    appendHex32(cursor, quint32(size.height()));
    if (spinBox) {
        appendHex32(cursor, quint32(spinBox->buttonSymbols));
        appendHex32(cursor, quint32(spinBox->stepEnabled.toInt()));
        *cursor++ = spinBox->frame ? QLatin1Char('1') : QLatin1Char('0');
    }
    return key;
}

QString textureCacheKey(QLatin1String prefix, quint32 value, quint64 key)
{
    QString text(prefix.size() + HEX32_CHARS + HEX64_CHARS, Qt::Uninitialized);
    QChar* cursor = text.data();
    for (const char c : prefix)
        *cursor++ = QLatin1Char(c);
    appendHex32(cursor, value);
    appendHex64(cursor, key);
    return text;
}

double screenLogicalDpiX()
{
    // The styles run on every platform: the primary screen's logical dots
    // per inch stand for what the Windows build asked the screen's device
    // context.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->logicalDotsPerInchX();
    }
    return DESIGN_DPI;
}

double scaleByScreenDpi(double value)
{
    if (screenScaleFactor < 0.0) {
        // Stored before measuring, so that a measure that reenters the style
        // sees a usable factor.
        screenScaleFactor = 1.0;
        screenScaleFactor = screenLogicalDpiX() / DESIGN_DPI;
    }
    return screenScaleFactor * value;
}

bool canCachePainting(const QPainter* painter, const QRect& rect)
{
    if (rect.isEmpty())
        return false;
    const QTransform::TransformationType device = painter->deviceTransform().type();
    const QTransform::TransformationType world = painter->worldTransform().type();
    return (int(device) | int(world)) <= int(QTransform::TxTranslate) || device == QTransform::TxScale;
}

QSize minimumControlSize()
{
    return storedMinimumControlSize;
}

void setMinimumControlSize(const QSize& size)
{
    storedMinimumControlSize = size;
}

double buttonEdgeScale()
{
    return storedButtonEdgeScale;
}

void setButtonEdgeScale(double scale)
{
    storedButtonEdgeScale = scale;
}

QStyleOptionSlider scrollBarWithinIntRange(const QStyleOptionSlider& option)
{
    // Far below any int sum, far above any scroll bar's pixel length.
    constexpr qint64 limit = qint64(1) << 24;
    const qint64 span = std::max(qint64(option.maximum) - option.minimum, qint64(0));
    const qint64 page = std::max(qint64(option.pageStep), qint64(0));
    if (span == qint64(option.maximum) - option.minimum && page == option.pageStep && span <= limit && page <= limit)
        return option;
    const qint64 divisor = std::max(span, page) / limit + 1;
    const auto scaled = [&](qint64 value) {
        return int(std::clamp(value - option.minimum, qint64(0), span) / divisor);
    };
    QStyleOptionSlider copy = option;
    copy.minimum = 0;
    copy.maximum = int(span / divisor);
    copy.pageStep = page == 0 ? 0 : int(std::max(page / divisor, qint64(1)));
    copy.singleStep = int(std::max(qint64(option.singleStep) / divisor, qint64(1)));
    copy.sliderPosition = scaled(option.sliderPosition);
    copy.sliderValue = scaled(option.sliderValue);
    return copy;
}

void setScreenScaleFactorForTesting(double factor)
{
    screenScaleFactor = factor;
}

} // namespace StyleTools

namespace StyleTools {

namespace {

constexpr int MIN_LONG_NOTCH = 4;
constexpr int NOTCH_SHARE = 6;
constexpr int HANDLE_RADIUS_MARGIN = 3;
constexpr qint64 MAX_NOTCHED_RANGE = 1000;
constexpr double SWEEP_SIXTHS = 10.0;
constexpr double START_SIXTHS = 8.0;

// The dial's angle, counter-clockwise from the positive x axis, for k of
// span steps: a whole circle from the bottom when wrapping, else 300 degrees
// from the bottom left.
double dialAngle(const QStyleOptionSlider* option, double k, double span)
{
    if (option->maximum == option->minimum || span == 0)
        return M_PI / 2;
    if (option->dialWrapping)
        return M_PI * 3 / 2 - (2 * k) * M_PI / span;
    return (START_SIXTHS * M_PI - (SWEEP_SIXTHS * k) * M_PI / span) / 6;
}

int dialRadius(const QStyleOptionSlider* option)
{
    return qMin(option->rect.width(), option->rect.height()) / 2;
}

// Dial body and handle.
constexpr double RADIUS_TRIM = 50.0;
constexpr double PEN_SHARE = 20.0;
constexpr double BODY_INSET_SHARE = 6.0;
constexpr double HANDLE_SHARE = 7.0;
constexpr int BODY_MAX_SATURATION = 140;
constexpr int BODY_MIN_VALUE = 180;
constexpr int FOCUS_MAX_SATURATION = 160;
constexpr int FOCUS_MIN_VALUE = 230;
constexpr int FOCUS_ALPHA = 127;
constexpr int NOTCH_DARK = 120;
constexpr int OUTLINE_DARK = 280;
constexpr int FACE_LIGHT = 110;
constexpr int FACE_EDGE_DARK = 102;
constexpr int FACE_RIM_DARK = 115;
constexpr int HANDLE_LIGHT = 104;
constexpr double HANDLE_ALPHA = 0.8;
constexpr double SHADOW_STOP = 0.91;
constexpr int SHADOW_ALPHA = 40;
constexpr double MARK_MIN_PEN = 3.0;
constexpr int MARK_ALPHA = 25;
constexpr int HANDLE_RING_ALPHA = 150;
constexpr double HANDLE_AT = 0.7;
constexpr double MARK_FROM = 0.90;
constexpr double MARK_TO = 0.96;
constexpr int HANDLE_RIM_DARK = 140;
constexpr int HANDLE_MID_DARK = 120;
constexpr int HANDLE_CENTRE_DARK = 110;
constexpr double HANDLE_MID_STOP = 0.4;
constexpr int HANDLE_EDGE_ALPHA = 80;

QColor clampedHsv(const QColor& colour, int maxSaturation, int minValue)
{
    QColor result;
    result.setHsv(colour.hue(), qMin(maxSaturation, colour.saturation()), qMax(minValue, colour.value()), 255);
    return result;
}

// The dial's face, focus ring and shadow, in the coordinates of 'area'.
void paintDialBody(const QStyleOptionSlider* option, QPainter* p, const QRect& area, double r, double ps)
{
    const int w = area.width();
    const int h = area.height();
    const double d = r / BODY_INSET_SHARE;
    const double dx = area.left() + d + (w - 2 * r) / 2 + 1;
    const double dy = area.top() + d + (h - 2 * r) / 2 + 1;
    const int side = int(2 * r - 2 * d - 2);
    const QRectF br(dx + 0.5, dy + 0.5, side, side);
    const QColor button = clampedHsv(option->palette.button().color(), BODY_MAX_SATURATION, BODY_MIN_VALUE);
    p->setRenderHint(QPainter::Antialiasing);
    QBrush face(Qt::NoBrush);
    if (option->state & QStyle::State_Enabled) {
        const double s = qMax(ps / 2, 1.0);
        const QRectF shadowRect = br.adjusted(-2 * s, -2 * s, 2 * s, 2 * s);
        QRadialGradient shadow(shadowRect.center(), shadowRect.width() / 2, shadowRect.center());
        shadow.setColorAt(SHADOW_STOP, QColor(0, 0, 0, SHADOW_ALPHA));
        shadow.setColorAt(1.0, Qt::transparent);
        p->setBrush(shadow);
        p->setPen(Qt::NoPen);
        p->translate(s, s);
        p->drawEllipse(shadowRect);
        p->translate(-s, -s);
        QRadialGradient gradient(br.center().x() - br.width() / 3, dy, br.width() * 1.3, br.center().x(), br.top());
        gradient.setColorAt(0, button.lighter(FACE_LIGHT));
        gradient.setColorAt(0.5, button);
        gradient.setColorAt(0.501, button.darker(FACE_EDGE_DARK));
        gradient.setColorAt(1, button.darker(FACE_RIM_DARK));
        face = QBrush(gradient);
    }
    p->setPen(QPen(button.darker(OUTLINE_DARK), 1));
    p->setBrush(face);
    p->drawEllipse(br);
    p->setBrush(Qt::NoBrush);
    p->setPen(button.lighter(FACE_LIGHT));
    p->drawEllipse(br.adjusted(1, 1, -1, -1));
    if (option->state & QStyle::State_HasFocus) {
        QColor focus = clampedHsv(option->palette.highlight().color(), FOCUS_MAX_SATURATION, FOCUS_MIN_VALUE);
        focus.setAlpha(FOCUS_ALPHA);
        p->setPen(QPen(QBrush(focus), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        p->drawEllipse(br.adjusted(-1, -1, 1, 1));
    }
}

} // namespace

void paintDial(const QStyleOptionSlider* option, QPainter* painter)
{
    const QRect& rect = option->rect;
    double r = qMin(rect.width(), rect.height()) / 2;
    r -= r / RADIUS_TRIM;
    const double ps = r / PEN_SHARE;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (option->subControls & QStyle::SC_DialTickmarks) {
        painter->setPen(option->palette.dark().color().darker(NOTCH_DARK));
        const QList<QPointF> notches = dialNotchLines(option);
        if (!notches.isEmpty())
            painter->drawLines(notches.constData(), int(notches.size() / 2));
    }
    // The body does not depend on the value: turning the dial blits it.
    if (canCachePainting(painter, rect)) {
        const QString key = optionCacheKey(QStringLiteral("qdial"), option, rect.size());
        QPixmap pixmap;
        if (!QPixmapCache::find(key, &pixmap)) {
            QImage image = PlastiqueDrawing::createCacheImage(rect.size());
            image.fill(0);
            QPainter body(&image);
            paintDialBody(option, &body, QRect(QPoint(0, 0), rect.size()), r, ps);
            body.end();
            pixmap = QPixmap::fromImage(image);
            QPixmapCache::insert(key, pixmap);
        }
        painter->drawPixmap(rect.topLeft(), pixmap);
    } else {
        painter->save();
        paintDialBody(option, painter, rect, r, ps);
        painter->restore();
    }

    const QPointF dp = dialHandlePoint(option, HANDLE_AT);
    QColor handle = option->palette.button().color().lighter(HANDLE_LIGHT);
    handle.setAlphaF(HANDLE_ALPHA);
    const double ds = r / HANDLE_SHARE;
    const QRectF knob(dp.x() - ds, dp.y() - ds, 2 * ds, 2 * ds);
    QRadialGradient gradient(knob.center().x() + knob.width() / 2, knob.center().y() + knob.width(),
                             knob.width() * 2, knob.center().x(), knob.center().y());
    gradient.setColorAt(1, handle.darker(HANDLE_RIM_DARK));
    gradient.setColorAt(HANDLE_MID_STOP, handle.darker(HANDLE_MID_DARK));
    gradient.setColorAt(0, handle.darker(HANDLE_CENTRE_DARK));
    if (ps > MARK_MIN_PEN) {
        painter->setPen(QPen(QBrush(QColor(0, 0, 0, MARK_ALPHA)), ps, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawLine(dialHandlePoint(option, MARK_FROM), dialHandlePoint(option, MARK_TO));
    }
    painter->setBrush(gradient);
    painter->setPen(QColor(255, 255, 255, HANDLE_RING_ALPHA));
    painter->drawEllipse(knob.adjusted(-1, -1, 1, 1));
    painter->setPen(QColor(0, 0, 0, HANDLE_EDGE_ALPHA));
    painter->drawEllipse(knob);
    painter->restore();
}

int dialLongNotchLength(int radius)
{
    return qMin(qMax(radius / NOTCH_SHARE, MIN_LONG_NOTCH), radius / 2);
}

QPointF dialHandlePoint(const QStyleOptionSlider* option, double factor)
{
    const QRect& r = option->rect;
    const int radius = dialRadius(option);
    const double position = option->upsideDown ? double(option->sliderPosition)
                                               : double(option->maximum) - double(option->sliderPosition);
    const double a = dialAngle(option, position - option->minimum, double(option->maximum) - option->minimum);
    const int length = radius - dialLongNotchLength(radius) - HANDLE_RADIUS_MARGIN;
    return QPointF(r.left() + r.width() * 0.5 + factor * length * std::cos(a),
                   r.top() + r.height() * 0.5 - factor * length * std::sin(a));
}

QList<QPointF> dialNotchLines(const QStyleOptionSlider* option)
{
    QList<QPointF> points;
    const qint64 interval = option->tickInterval;
    if (interval <= 0)
        return points;
    const QRect& rect = option->rect;
    const int radius = dialRadius(option);
    const double r = radius;
    const int big = dialLongNotchLength(radius);
    const int small = big / 2;
    const double xc = rect.left() + rect.width() / 2 + 0.5;
    const double yc = rect.top() + rect.height() / 2 + 0.5;
    const qint64 range = qint64(option->maximum) - option->minimum;
    qint64 notches = (interval - 1 + range) / interval;
    if (notches <= 0)
        return points;
    if (range < 0 || range > MAX_NOTCHED_RANGE)
        notches = (interval + MAX_NOTCHED_RANGE - 1) / interval;
    const qint64 page = option->pageStep == 0 ? 1 : option->pageStep;
    points.resize(2 * notches + 2);
    for (qint64 i = 0; i <= notches; ++i) {
        const double a = dialAngle(option, double(i), double(notches));
        const double c = std::cos(a);
        const double s = std::sin(a);
        const bool long_ = i == 0 || (i * interval) % page == 0;
        const double outer = long_ ? r : r - 1;
        const double inner = long_ ? r - big : r - 1 - small;
        points[2 * i] = QPointF(xc + inner * c, yc - inner * s);
        points[2 * i + 1] = QPointF(xc + outer * c, yc - outer * s);
    }
    return points;
}

} // namespace StyleTools
