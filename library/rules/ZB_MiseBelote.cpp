#include "ZB_MiseBelote.h"

#include "GM_KnuthRandom.h"

ZB_MiseBelote::ZB_MiseBelote(const ZB_DeckA& deck)
    : ZB_MiseA(deck)
{
}

ZB_MiseBelote::~ZB_MiseBelote() = default;

int ZB_MiseBelote::getJoueurQuiCommence(GM_KnuthRandom& rng, int nombreDeJoueurs)
{
    if (premierJoueur_ == -10 && nombreDeJoueurs >= 1)
        premierJoueur_ = rng.tire(nombreDeJoueurs);
    return premierJoueur_;
}

Carte* ZB_MiseBelote::getCarteRetournee(GM_KnuthRandom& rng, bool coupe)
{
    if (carteRetournee_ == nullptr) {
        EnsembleDeCartes main;
        distribueMain_(main, rng, 1, coupe);
        if (!main.estVide())
            carteRetournee_ = main.getCarte(main.premier());
    }
    return carteRetournee_;
}
