#include "ZB_DeckA.h"

#include "Carte.h"

ZB_DeckA::~ZB_DeckA() = default;

EnsembleDeCartes ZB_DeckA::getCartes() const
{
    return cartes_;
}

int ZB_DeckA::getNombreDeCartes() const
{
    return static_cast<int>(cartes_.getNombreDeCartes());
}

Carte* ZB_DeckA::getCarte(int couleur, int valeur) const
{
    if (couleur < 1 || couleur > 4 || valeur < 6 || valeur > 14)
        return nullptr;
    return cartes_.getCarte(Carte::indexDe(couleur, valeur));
}

void ZB_DeckA::creeCartes(int valeurMin)
{
    for (int couleur = 1; couleur <= 4; ++couleur) {
        for (int valeur = valeurMin; valeur <= 14; ++valeur)
            cartes_.ajouteCarte(new Carte(couleur, valeur));
    }
}

void ZB_DeckA::detruitCartes()
{
    for (Carte* carte : cartes_)
        delete carte;
    cartes_.vide();
}
