#pragma once

#include <QPalette>
#include <QSize>
#include <QVariant>

class QStyle;

// The program's theme switch: what the main window does when the user picks
// a theme, and the screenshot-mode sizing it does when the table view is
// resized.
//
// Rules:
// - Theme numbers are those the settings keep and the table display's
//   colouring reads: 0 Wood, 1 Alien, 2 Racing, 3 Candy, 4 Nature.
// - Any other number installs nothing: the style and the palette in force
//   stay. Nothing fails.
// - An installed style belongs to the application, which deletes it when
//   the next one is installed.
// - The switch never sets an application palette: the theme's palette
//   reaches widgets through the style's own palette polishing, which an
//   explicit application palette would hide.
// - Creating a theme raises the pixmap cache limit to what the theme's
//   derived textures need, never lowers it.
// - Everything runs in the GUI thread, with a QApplication.
namespace AppStyleSwitch {

constexpr int WOOD = 0;
constexpr int ALIEN = 1;
constexpr int RACING = 2;
constexpr int CANDY = 3;
constexpr int NATURE = 4;
// The theme of a first start, and of a stored value that names no theme.
constexpr int DEFAULT_THEME = WOOD;

// In screenshot mode the minimum control size is this share of the view's
// longer side, and button edges grow beyond this many pixels of its shorter
// side.
constexpr double MINIMUM_CONTROL_SHARE = 0.03;
constexpr double EDGE_SCALE_SIDE = 1000.0;

// What the table display is coloured with after a switch.
struct Choice
{
    int style;
    QPalette palette;
};

// A new theme style of that number with the screenshot flag set, or null.
QStyle* createStyle(int style, bool screenshotMode);

// Fills the palette with the theme's; false, leaving it alone, for a number
// that names no theme.
bool fillPalette(int style, QPalette& palette);

// Installs the theme: a copy of the application palette filled with the
// theme's, the style installed on the application. Returns the number and
// that palette for the table display.
Choice apply(int style, bool screenshotMode);

// Whether the style is one of the five themes.
bool isTheme(const QStyle* style);

// The theme number a stored setting holds: a whole number from 0 to 4, else
// DEFAULT_THEME (missing, text, fractions, out of range).
int storedStyle(const QVariant& value);

// The screenshot-mode sizing for a table view of that size: the minimum
// control size and the button edge scale, written program-wide.
void applyViewSize(const QSize& viewSize);

} // namespace AppStyleSwitch
