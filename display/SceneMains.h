#pragma once

#include "SceneGeometrie.h"

#include <QList>
#include <QSharedPointer>

#include <array>
#include <vector>

class Carte;
class DisplayGLHumanCarte;
class DisplayGLJeuDeCartes;
class DisplayGLScene;

// The hands as the table scene lays them out, a part the scene owns: the
// hand sprites (the card set's 36 items), which seats' hands show as
// sprites rather than as cards on the cloth, where each sprite rests in its
// hand, and their states through a deal (dealt, played, hidden, tinted by
// the advice).
//
// Rules:
// - GUI thread only; no locks.
// - The card set stays the scene's: it must die before the graphics scene
//   that holds its items. The part holds a share of each sprite from its
//   construction on, and the scene adds them to itself and connects them.
// - Back reference to the scene, read only, for the seats (sieges,
//   siegeBas), the table area (zoneTable) and the automatic mode, in which
//   no hand is laid out.
// - Card numbers outside 0..35, and cards without a sprite, are ignored.
class SceneMains
{
public:
    static constexpr int NOMBRE_SIEGES = scene_geometrie::NOMBRE_SIEGES;
    using Sprites = QList<QSharedPointer<DisplayGLHumanCarte>>;

    SceneMains(const DisplayGLScene& scene, const DisplayGLJeuDeCartes& jeu);
    SceneMains(const SceneMains&) = delete;
    SceneMains& operator=(const SceneMains&) = delete;

    // Every card number's sprite, in card number order.
    const Sprites& sprites() const { return sprites_; }
    // The sprite of a card number, or null.
    DisplayGLHumanCarte* sprite(int index) const;

    // The hand of a seat shows as sprites: its player answers through the
    // seat panel, or it is the bottom seat's and not played at another
    // screen.
    bool estVisible(int siege) const;
    // Lays out every seat's hand; `sortie`, a card just played, no longer
    // takes a place.
    void dispose(const Carte* sortie = nullptr);

    // --- Through a deal.
    // The last deal's sprites leave the table unless this deal, `tours`
    // cards to each seat from its hand in `mains`, deals them to a hand
    // shown.
    void cacheHorsDonne(const std::array<std::vector<Carte*>, NOMBRE_SIEGES>& mains, int tours);
    // Deals a card into its hand, after delaiMs when animated.
    void donne(int index, bool anime, int delaiMs);
    void cache(int index);
    void cacheTout();
    // The advice's tint on a card, and off every card.
    void teinte(int index);
    void effaceTeintes();

private:
    const DisplayGLScene& scene_;
    Sprites sprites_;
};
