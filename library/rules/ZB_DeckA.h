#pragma once

#include "EnsembleDeCartes.h"

class Carte;

// The cards of one game family. The deck owns its cards; everything else
// holds pointers into it and must not outlive it.
class ZB_DeckA
{
public:
    ZB_DeckA() = default;
    ZB_DeckA(const ZB_DeckA&) = delete;
    ZB_DeckA& operator=(const ZB_DeckA&) = delete;
    virtual ~ZB_DeckA();
    virtual EnsembleDeCartes getCartes() const;
    virtual int getNombreDeCartes() const;

    // The deck's own card of that suit and rank; null when the deck has none
    // (a six in the Belote deck, values out of range).
    Carte* getCarte(int couleur, int valeur) const;
    Carte* getCarteParIndex(int index) const { return cartes_.getCarte(index); }

protected:
    // Creates the cards of suits 1 to 4 from the given lowest rank to the ace.
    void creeCartes(int valeurMin);
    void detruitCartes();

    EnsembleDeCartes cartes_;
};
