#pragma once

// Builds deals and positions for the rules tests from readable card lists.

#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_PointsA.h"
#include "ZB_StatusMise.h"

#include <QList>
#include <QPair>

#include <memory>

using Cartes = QList<QPair<int, int>>; // (suit, rank)

class RulesTestKit
{
public:
    explicit RulesTestKit(bool belote)
        : belote_(belote)
    {
        if (belote)
            deck_ = std::make_unique<ZB_DeckBelote>();
        else
            deck_ = std::make_unique<ZB_DeckJass>();
    }

    Carte* carte(int couleur, int valeur) const { return deck_->getCarte(couleur, valeur); }
    const ZB_DeckA& deck() const { return *deck_; }

    EnsembleDeCartes ensemble(const Cartes& cartes) const
    {
        EnsembleDeCartes e;
        for (const auto& c : cartes)
            e.ajouteCarte(carte(c.first, c.second));
        return e;
    }

    TypeDePartie type() const
    {
        return TypeDePartie::getTypeDePartie(belote_ ? 6 : 0);
    }

    // A deal of the whole deck in the given trump mode, the leader to play,
    // then the cards of the current trick played in order from the leader.
    std::unique_ptr<Partie> position(int modeAtout, int leader, const Cartes& pli, ZB_PointsA* points = nullptr,
                                     int multiplicateur = 1) const
    {
        auto partie = std::make_unique<Partie>(StatusAtout(false, true, modeAtout, multiplicateur),
                                               deck_->getCartes(), leader, leader, multiplicateur, type(),
                                               ZB_StatusMise(), points);
        ZB_PointsDonne share;
        int joueur = leader;
        for (const auto& c : pli) {
            partie->joueCarte(share, carte(c.first, c.second), joueur);
            joueur = (joueur + 1) % 4;
        }
        return partie;
    }

private:
    bool belote_;
    std::unique_ptr<ZB_DeckA> deck_;
};
