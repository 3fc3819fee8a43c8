#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

// Where and when the table scene puts things: seat positions, the pace of a
// deal, the 3-D layer's scale, the dialogs' rectangles, the hand's area and
// the swipe read from a flick, each a function of its arguments alone.
//
// Rules:
// - Nothing here touches a scene or a widget: the scene measures, asks here
//   and places, so each rule can be checked on its own.
// - No result is ever negative, infinite or NaN for sizes a window can take
//   (zero and degenerate sizes included).
namespace scene_geometrie {

inline constexpr int NOMBRE_SIEGES = 4;

// Where a seat is drawn: 0 bottom, 1 right, 2 top, 3 left, seen from the
// bottom seat (taken as 0 outside 0..3); miroir swaps left and right. -1 for
// a seat outside 0..3.
int positionAffichage(int siege, int siegeBas, bool miroir);

// When the card of a deal round goes to a seat: three cards 50 ms apart,
// the next seat 150 ms later, packets of three 800 ms apart.
int delaiDistribution(int tour, int siege);

// The 3-D layer's scale for a table of that size: 1, smaller for a table
// narrower than 0.59 of its height, never 0 or below.
double echelleTable(double largeur, double hauteur);

// Where a dialog goes for a table rectangle, a scene width, a placement (1:
// the strip right of the table, when there is one) and a mode (1: inset in
// the table).
QRect geometrieDialogue(const QRectF& table, double largeurScene, int placement, int mode);

// The hand area for a hand of `cartes` cards on the table area: places of a
// ninth of its width, or narrower when the cards would not fit within a
// margin of its edges, shifted so that the hand is centred on the table.
QRectF zoneMain(const QRectF& table, int cartes);

// Swipe directions as the main window reads them: 1 left, 2 right, 4 up,
// 3 down.
enum DirectionGlissement { GlisseAucun = 0, GlisseGauche = 1, GlisseDroite = 2, GlisseBas = 3, GlisseHaut = 4 };
// A flick is a swipe when it lasts more than the minimum and less than the
// maximum, and moves more than the scene's size divided by the divisor.
inline constexpr qint64 GLISSEMENT_MIN_MS = 100;
inline constexpr qint64 GLISSEMENT_MAX_MS = 1000;
inline constexpr double DIVISEUR_GLISSEMENT = 8.0;
// The direction of a flick from press to release that lasted dureeMs in a
// scene of that size; GlisseAucun when it is no swipe. Sideways wins over
// up and down.
int directionGlissement(const QPointF& appui, const QPointF& relache, const QSizeF& scene, qint64 dureeMs);

// What of `dessus` (an outline seen on the screen) lies over a picture
// drawn as the quadrilateral `vu` (its four corners, in any order, as the
// 3-D layer shows them), in that picture's pixels (`image`); empty when
// they do not meet or `vu` is no quadrilateral.
QPolygonF couvertDansLImage(const QPolygonF& vu, const QSizeF& image, const QPolygonF& dessus);
// Where a part of that picture (`dansImage`, in its pixels) shows on the
// screen; empty when `vu` is no quadrilateral.
QPolygonF vuDepuisLImage(const QPolygonF& vu, const QSizeF& image, const QPolygonF& dansImage);

} // namespace scene_geometrie
