#include "EnsembleDeCartes.h"

#include "Carte.h"

EnsembleDeCartes::EnsembleDeCartes()
    : nombre_(0)
    , premier_(0)
    , masque_(0)
{
    for (Carte*& c : cartes_)
        c = nullptr;
}

bool EnsembleDeCartes::operator==(const EnsembleDeCartes& other) const
{
    if (masque_ != other.masque_)
        return false;
    for (int i = 0; i < TAILLE; ++i) {
        if (cartes_[i] != other.cartes_[i])
            return false;
    }
    return true;
}
