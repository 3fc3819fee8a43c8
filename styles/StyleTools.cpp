#include "StyleTools.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>
#include <QTransform>

#include <algorithm>

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
