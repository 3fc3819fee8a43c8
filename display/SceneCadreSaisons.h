#pragma once

#include <QList>
#include <QPolygonF>
#include <QSizeF>

class QGraphicsPathItem;

// The frame that holds the seasonal pictures, a part the table scene owns:
// the pictures pass behind what must be read (the slate, the bubbles on
// show, the names on the cloth's plates), which the 3-D layer draws under
// every item.
//
// Rules:
// - GUI thread only; no locks. No back reference to the scene: the scene
//   hands it the outlines on screen at each cut.
// - A cut is asked at most once per turn of the event loop (demande), and
//   the frame's path is worked out again only when the outlines moved: a
//   path subtraction costs more than a frame.
// - The frame item belongs to the graphics scene once the scene adds it;
//   this part only keeps its address.
class SceneCadreSaisons
{
public:
    // How far the frame reaches on every side: past any window.
    static constexpr double ETENDUE = 1.0e5;

    SceneCadreSaisons() = default;
    SceneCadreSaisons(const SceneCadreSaisons&) = delete;
    SceneCadreSaisons& operator=(const SceneCadreSaisons&) = delete;

    // Makes the frame, whole, at that depth; the scene adds it.
    QGraphicsPathItem* construit(double z);
    QGraphicsPathItem* item() const { return cadre_; }

    // A cut is asked: false when one already waits for the event loop.
    bool demande();
    // The cut asked is being made.
    void demandeServie() { demande_ = false; }

    // The plates' outlines on screen, from the cloth's outline on screen
    // (first) and the plates' places in its picture, of that size; worked
    // out anew only when one of those moved.
    const QList<QPolygonF>& plaquesVues(const QList<QPolygonF>& lieux, QSizeF image);

    // Cuts the frame around those outlines; nothing when it already is.
    void detoure(const QList<QPolygonF>& trous);

private:
    QGraphicsPathItem* cadre_ = nullptr;
    QList<QPolygonF> trous_;
    QList<QPolygonF> lieux_;
    QList<QPolygonF> plaquesVues_;
    bool demande_ = false;
};
