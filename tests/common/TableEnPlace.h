#pragma once

#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"

#include <array>

class ListeDesEvenements;
class ZB_RoomTable;

// Four players seated at a stand-in table, and the way back to them between
// runs: the table, its list and its seats return to where installe left
// them without building the players again, which is what costs (each player
// seeds its own generator). A seat whose player an event changed (options,
// mode) is seated anew. The fuzz targets run thousands of inputs on one
// table this way.
struct TableEnPlace {
    int modeReseau = 0;
    OptionsDePartie options;
    std::array<OptionsDuJoueur, 4> joueurs;
    std::array<int, 4> modes{};
    int debut = 0;

    // Four remote human players, ids 100 to 103.
    static TableEnPlace quatreDistants(int modeReseau, int debut);

    // Starts the match and seats the players of a table just initialised.
    void installe(ZB_RoomTable& table) const;
    // Brings the table and its list back to where installe left them.
    void remetEnPlace(ZB_RoomTable& table, ListeDesEvenements& liste) const;
};
