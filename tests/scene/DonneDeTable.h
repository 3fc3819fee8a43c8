#pragma once

// A deal for a table scene: four players holding the cards of a real deck,
// the user at the bottom and the computer elsewhere, attached to a scene
// and dealt as the table deals them.

#include "AI_Joueur.h"
#include "Carte.h"
#include "DisplayGLScene.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"

#include <QList>
#include <QStringList>

#include <array>
#include <memory>

namespace scenetest {

// Four computer players dealt from the deck of the game: nine cards each
// in Jass, eight in Belote, whose deck has no sixes (seat j the deck's cards
// 4i + j, so that every hand holds every suit).
struct Donne
{
    explicit Donne(bool belote = false)
        : deck(belote ? std::unique_ptr<ZB_DeckA>(std::make_unique<ZB_DeckBelote>())
                      : std::unique_ptr<ZB_DeckA>(std::make_unique<ZB_DeckJass>()))
    {
        QList<Carte*> cartes;
        for (Carte* carte : deck->getCartes())
            if (carte)
                cartes << carte;
        parJoueur = static_cast<int>(cartes.size()) / 4;
        for (int j = 0; j < 4; ++j) {
            joueurs[static_cast<size_t>(j)] = std::make_unique<AI_Joueur>();
            // The user at the bottom, computers elsewhere.
            joueurs[static_cast<size_t>(j)]->options_.nom_ = QStringList{"", "Léa", "Marc", "Zoé"}[j];
            joueurs[static_cast<size_t>(j)]->options_.ordinateur_ = j != 0;
            for (int i = 0; i < parJoueur; ++i)
                joueurs[static_cast<size_t>(j)]->main_.ajouteCarte(cartes[4 * i + j]);
        }
    }
    Joueur* operator[](int j) const { return joueurs[static_cast<size_t>(j)].get(); }
    void distribue(DisplayGLScene& s, Carte* retournee)
    {
        s.setModeVue(1);
        s.setNoJoueurLocal(0);
        s.createGLObjects();
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, (*this)[j]);
        if (retournee)
            s.afficheCartesDistribuees(retournee);
        s.nouvelleDonne(parJoueur, 1000, 0);
        s.redessineCartes(0);
    }
    std::unique_ptr<ZB_DeckA> deck;
    int parJoueur = 0;
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
};

} // namespace scenetest
