#pragma once

#include "ZB_MiseA.h"

// The Belote dealer: draws the first player and the turned-up card, and may
// deal the previous deal's piles after a cut.
class ZB_MiseBelote : public ZB_MiseA
{
public:
    explicit ZB_MiseBelote(const ZB_DeckA& deck);
    ~ZB_MiseBelote() override;

    // Draws a seat among nombreDeJoueurs the first time, then keeps it. With
    // no players to draw from it stays -10.
    int getJoueurQuiCommence(GM_KnuthRandom& rng, int nombreDeJoueurs) override;
    // Deals one card with the same rules as a hand the first time and keeps
    // it; null when no card is left to turn.
    virtual Carte* getCarteRetournee(GM_KnuthRandom& rng, bool coupe);
    // The card turned so far, without drawing one.
    Carte* carteRetourneeTiree() const { return carteRetournee_; }

private:
    int premierJoueur_ = -10;
    Carte* carteRetournee_ = nullptr;
};
