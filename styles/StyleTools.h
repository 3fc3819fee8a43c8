#pragma once

#include <QLatin1String>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;
class QStyleOption;
class QStyleOptionSlider;

// Tools shared by every widget style of the program: the keys under which
// painted pictures go into the process-wide QPixmapCache, and the scaling of
// design pixels by the screen's dots per inch.
//
// Rules:
// - A key holds everything its picture depends on and nothing else, so two
//   paints that would give the same pixels share one cache entry. Keys are
//   only ever compared, never parsed.
// - Hex fields are fixed width and written least significant byte first, low
//   digit of each byte first (the ordinary hex form read backwards).
// - The screen scale is measured once per process, on first use, from the
//   primary screen's logical dots per inch (96 when there is no screen).
// - Everything runs in the GUI thread, like the styles themselves.
namespace StyleTools {

// Characters of a hex field.
constexpr int HEX32_CHARS = 8;
constexpr int HEX64_CHARS = 16;
// What optionCacheKey adds to the name, and what a spin box adds on top.
constexpr int OPTION_KEY_CHARS = 3 * HEX32_CHARS + HEX64_CHARS + 2 * HEX32_CHARS;
constexpr int SPIN_BOX_KEY_CHARS = 2 * HEX32_CHARS + 1;
// The dots per inch that design pixels are drawn for.
constexpr double DESIGN_DPI = 96.0;

// Writes the hex field of the value at the cursor and moves the cursor past
// it. The caller owns enough room.
void appendHex32(QChar*& cursor, quint32 value);
void appendHex64(QChar*& cursor, quint64 value);

// The name followed by the option's state, direction, active sub-controls
// (0 for an option that is not complex), palette key and the size; a spin-box
// option adds its button symbols, enabled steps and frame flag. The option
// must not be null.
QString optionCacheKey(const QString& name, const QStyleOption* option, const QSize& size);

// The prefix followed by the 32-bit value and the 64-bit key.
QString textureCacheKey(QLatin1String prefix, quint32 value, quint64 key);

// The value times the screen's dots per inch over 96; no rounding.
double scaleByScreenDpi(double value);

// The screen's logical dots per inch along x, asked afresh on every call:
// the primary screen's, or 96 without a screen.
double screenLogicalDpiX();

// Whether a picture painted for this rectangle may be cached and reused:
// the rectangle is not empty and the painter either only translates or its
// whole transform to the device is a pure scale (a high-density screen, a
// zoom). Rotated and sheared painters paint afresh.
bool canCachePainting(const QPainter* painter, const QRect& rect);

// The smallest size a control may take, program-wide: the main window
// writes it while it shows the table in screenshot mode, and the styles raise
// their sizes and a few metrics to it. 0 by 0 (no minimum) until written.
QSize minimumControlSize();
void setMinimumControlSize(const QSize& size);

// The share by which themed button edges grow, program-wide: written beside
// the minimum control size in screenshot mode, 1 until then.
double buttonEdgeScale();
void setButtonEdgeScale(double scale);

// The same bar with its range, page and position scaled down to sums that fit
// an int, for the common style's scroll-bar geometry, which adds the range to
// the page in int (a whole-int range divides by zero there). A maximum below
// the minimum counts as an empty range and a negative page as none. Options
// already within bounds come back unchanged.
QStyleOptionSlider scrollBarWithinIntRange(const QStyleOptionSlider& option);

// The dial: notches, body (cached under "qdial"), focus ring and handle,
// all placed relative to the option's rectangle, so a dial anywhere (an
// item delegate's cell) draws in place. A tick interval of 0 or less draws
// no notches; a range of more than 1000 values or a reversed one draws
// 1000 / interval of them at most.
void paintDial(const QStyleOptionSlider* option, QPainter* painter);
// Where the dial's value points, at the share 'factor' of the handle radius.
QPointF dialHandlePoint(const QStyleOptionSlider* option, double factor);
// Start and end points of every notch, in pairs.
QList<QPointF> dialNotchLines(const QStyleOptionSlider* option);
// The long notch of a dial of that radius; the short one is half of it.
int dialLongNotchLength(int radius);

// Test hook: sets the stored screen scale factor; a negative factor makes
// the next scaleByScreenDpi measure the screen again.
void setScreenScaleFactorForTesting(double factor);

} // namespace StyleTools
