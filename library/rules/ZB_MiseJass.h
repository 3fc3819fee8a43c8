#pragma once

#include "ZB_MiseA.h"

// The Jass dealer: hands are drawn at random, and the holder of the seven of
// suit 2 decides who begins.
class ZB_MiseJass : public ZB_MiseA
{
public:
    explicit ZB_MiseJass(const ZB_DeckA& deck);
    ~ZB_MiseJass() override;

    // Also records the seat before the holder of the seven of suit 2 when
    // this hand holds it (-1 for seat 0).
    void distribue(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, int joueur, bool coupe) override;
    // The recorded value, -10 until the seven of suit 2 has been dealt; draws
    // nothing.
    int getJoueurQuiCommence(GM_KnuthRandom& rng, int nombreDeJoueurs) override;

private:
    int premierJoueur_ = -10;
};
