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

void EnsembleDeCartes::ajouteCarte(Carte* carte)
{
    if (carte == nullptr)
        return;
    const int index = carte->getIndex();
    if (index < 0 || index >= TAILLE || cartes_[index] != nullptr)
        return;
    cartes_[index] = carte;
    masque_ |= quint64(1) << index;
    ++nombre_;
    if (nombre_ == 1 || static_cast<quint32>(index) < premier_)
        premier_ = static_cast<quint32>(index);
}

void EnsembleDeCartes::retireCarte(const Carte* carte)
{
    if (carte == nullptr)
        return;
    const int index = carte->getIndex();
    if (index < 0 || index >= TAILLE || cartes_[index] == nullptr)
        return;
    cartes_[index] = nullptr;
    masque_ &= ~(quint64(1) << index);
    --nombre_;
    if (static_cast<quint32>(index) == premier_)
        premier_ = static_cast<quint32>(suivant(index));
}

void EnsembleDeCartes::vide()
{
    *this = EnsembleDeCartes();
}

bool EnsembleDeCartes::contientCarte(const Carte* carte) const
{
    return carte != nullptr && contientIndex(carte->getIndex());
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
