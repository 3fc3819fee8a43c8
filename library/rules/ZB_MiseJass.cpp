#include "ZB_MiseJass.h"

#include "Carte.h"

ZB_MiseJass::ZB_MiseJass(const ZB_DeckA& deck)
    : ZB_MiseA(deck)
{
}

ZB_MiseJass::~ZB_MiseJass() = default;

void ZB_MiseJass::distribue(EnsembleDeCartes& main, GM_KnuthRandom& rng, int n, int joueur, bool coupe)
{
    distribueMain_(main, rng, n, coupe);
    // The table turns this seat into the leader: the holder of the seven
    // of suit 2 leads the first trick.
    if (main.contientIndex(Carte::indexDe(2, Carte::Sept)))
        premierJoueur_ = joueur - 1;
}

int ZB_MiseJass::getJoueurQuiCommence(GM_KnuthRandom& rng, int nombreDeJoueurs)
{
    Q_UNUSED(rng);
    Q_UNUSED(nombreDeJoueurs);
    return premierJoueur_;
}
