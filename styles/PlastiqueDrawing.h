#pragma once

#include <QBrush>
#include <QColor>
#include <QFrame>
#include <QImage>
#include <QRect>

#include <initializer_list>

class QPainter;
class QStyleOption;
class QStyleOptionTitleBar;
class QWidget;

// The drawing functions of the Plastique look, shared by the Plastique style
// and the themes built on it: brushes derived from palette brushes, colour
// blends, cached gradients and the recurring shapes (field frame, button
// outline, button panel, title-bar button, grip dots).
//
// Rules:
// - They keep no state; the only shared state is QPixmapCache, where
//   gradients and derived textures go under keys that hold every input.
// - Gradients are cached only on untransformed painters; a transformed one
//   paints afresh, so a cached picture never shows at the wrong scale.
// - Derived brushes keep the kind, geometry, spread and coordinate mode of a
//   gradient and every stop's position; only colours change.
// - drawShadowedFrame, drawPanelFrame and drawGradientPanel give the painter
//   its pen back; drawTitleBarButton leaves its border pen set.
// - Everything runs in the GUI thread.
namespace PlastiqueDrawing {

// Factors of QColor::lighter and QColor::darker used throughout the look.
constexpr int LIGHT_FACTOR = 105;
constexpr int BORDER_DARK_FACTOR = 178;
constexpr int HALF_BLEND = 50;

// The share of a in the mix is factor percent (0 to 100); a's alpha stays.
QColor blendColors(const QColor& a, const QColor& b, int factor);

// An uninitialised premultiplied image of the logical size at the
// application's pixel ratio.
QImage createCacheImage(const QSize& size);

// A gradient brush laid vertically over the rectangle; other brushes as
// they are.
QBrush brushForRect(const QBrush& brush, const QRectF& rect);

// Alpha times the factor (in place), lighter 105, darker by the factor.
void qBrushAlpha(QBrush& brush, double factor);
QBrush qBrushLight(QBrush brush);
QBrush qBrushDark(QBrush brush, int factor);

// Fills the rectangle with a top-to-bottom gradient from start to stop.
void drawCachedGradient(QPainter* painter, const QRect& rect, const QColor& start, const QColor& stop);

// The rounded two-pixel frame of an input field.
void drawShadowedFrame(QPainter* painter, const QRect& rect, const QStyleOption* option,
                       QFrame::Shadow shadow);
// The rounded outline of a button panel around the option's rectangle.
void drawPanelFrame(QPainter* painter, const QStyleOption* option, const QWidget* widget);
// A whole button panel: gradient body (none for a disabled auto-raise
// button) and outline.
void drawGradientPanel(QPainter* painter, const QStyleOption* option, const QWidget* widget);
// One face of a sub-window title-bar button.
void drawTitleBarButton(QPainter* painter, const QStyleOptionTitleBar* option, const QRect& rect, bool hover,
                        bool sunken);
// Grip dots tiled along the rectangle: across for Qt::Vertical, down
// otherwise.
void drawGripDots(QPainter* painter, const QStyleOption* option, const QRect& rect, Qt::Orientation orientation,
                  const QWidget* widget);

// The window colour blended half and half with the window colour darker
// 178 (the border): the soft corners of the look. The background is the
// widget's background role, the window colour without a widget.
QColor cornerColor(const QStyleOption* option, const QWidget* widget);

// A small picture kept as rows of characters of equal length: the position
// of a character in 'indices' is its colour index, index 0 and characters
// not in 'indices' are transparent, index i > 0 takes colours[i - 1].
QImage indexedImage(std::initializer_list<const char*> rows, const char* indices,
                    std::initializer_list<QColor> colours);

// The 3 by 3 grip dot in the palette's colours.
QImage gripDot(const QStyleOption* option, const QWidget* widget);

} // namespace PlastiqueDrawing
