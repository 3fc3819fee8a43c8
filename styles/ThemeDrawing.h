#pragma once

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QStyle>
#include <QStyleOption>

class QPainter;
class QWidget;

// What the five themed styles share: their palette builder, hover marking,
// metrics, hints and the drawing of the themed push button. Each theme class
// passes its own values; the behaviour is told once, here.
//
// Rules:
// - A theme palette is built afresh from its values on every call: the
//   texture image is loaded each time and nothing is kept.
// - A texture image that cannot be loaded leaves a plain brush of the same
//   colour, never an empty brush, so buttons stay visible.
// - The push-button panel never caches: each paint draws the path, its two
//   edges and its outline again.
// - The brush derivations here never touch a texture and use no pixmap
//   cache; gradients and plain colours are derived as the Plastique look
//   derives them.
// - Everything runs in the GUI thread.
namespace ThemeDrawing {

// The palette of a theme.
struct PaletteLook
{
    QColor button;
    QColor baseSource;
    int baseLighter;
    QColor highlight;
    QString texture;
    QColor overlay;
};

// The push-button drawing of a theme.
struct ButtonLook
{
    // The corner radius is the shorter side divided by this.
    int radiusDivisor;
    QColor overlay;
    // Colours of the two edges; their alpha is set by the hover state.
    QColor lightEdge;
    QColor darkEdge;
};

// Radius divisors of the two panel shapes.
constexpr int QUARTER_ROUND = 4;
constexpr int HALF_ROUND = 2;
// Edge alphas at rest and under the mouse.
constexpr int EDGE_ALPHA = 127;
constexpr int LIGHT_EDGE_HOVER_ALPHA = 191;
constexpr int DARK_EDGE_HOVER_ALPHA = 63;
// The narrowest ring that marks the button with the keyboard focus, and the
// share of the button's smaller side it takes when that is wider.
constexpr int FOCUS_RING_MIN_WIDTH = 2;
constexpr int FOCUS_RING_DIVISOR = 12;
// Edge widths by radius: below the first limit, below the second, else.
constexpr int SMALL_RADIUS_LIMIT = 10;
constexpr int MEDIUM_RADIUS_LIMIT = 20;
constexpr int SMALL_EDGE = 3;
constexpr int MEDIUM_EDGE = 5;
constexpr int LARGE_EDGE = 7;
// Disabled text is the window colour darker by this.
constexpr int DISABLED_TEXT_DARK = 200;

// Replaces the whole palette by the theme's.
void fillPalette(QPalette& palette, const PaletteLook& look);

// Sets or clears the hover attribute of push buttons and combo boxes; other
// widgets are left alone. A null widget is ignored.
void markHover(QWidget* widget, bool on);

// The theme's metric, given the Plastique style's answer for the same
// arguments (not used for the combo-box frame width).
int pixelMetric(QStyle::PixelMetric metric, int base, const QWidget* widget, bool screenshotMode);
// Whether the theme answers the metric without asking the base style.
bool answersAlone(QStyle::PixelMetric metric);

// The theme's hint, or -1 with 'known' false when the base style answers.
int styleHint(QStyle::StyleHint hint, bool& known);

// The corner radius of the panel of that rectangle: the shorter side over
// the divisor, never below 0.
int panelRadius(const QRect& rect, int radiusDivisor);
// The rounded outline of the themed panel with corners of that radius.
QPainterPath panelPath(const QRect& rect, int radius);
// The width of the two edges of a panel of that radius, scaled by the
// program-wide button edge scale and rounded half away from zero.
int edgeWidth(int radius);

// The themed push-button panel, with a highlight ring inside its edges
// while it has the focus. An empty rectangle draws nothing.
void drawButtonPanel(const QStyleOption* option, QPainter* painter, const ButtonLook& look);

// The colour that marks the keyboard focus: the highlight, or a shade of it
// that stands out from the panel where the two are both grey.
QColor focusColour(const QPalette& palette);

// The frame that marks the control with the keyboard focus (a check box's or
// a radio button's label, a tab, a slider): a solid ring in the highlight
// colour just around the option's rectangle, drawn whenever it is asked
// for, since the caller asks only for the control that has the focus; kept
// within the widget when one is given, and in a shade that stands out from
// the panel. An empty rectangle draws nothing.
void drawFocusFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget = nullptr);

// The option the Plastique style should draw a push-button label with: a
// copy of the button option whose button text is bright while the button is
// pressed or on and its palette is not the disabled one; a default button
// option when the option is not a button option.
QStyleOptionButton pushButtonLabelOption(const QStyleOption* option);

// The themes' own brush derivations: fade, lighten by 105, darken by the
// factor. A textured brush comes back as it was.
void qBrushAlpha(QBrush& brush, double factor);
QBrush qBrushLight(QBrush brush);
QBrush qBrushDark(QBrush brush, int factor);

} // namespace ThemeDrawing
