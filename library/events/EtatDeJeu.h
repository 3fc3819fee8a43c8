#pragma once

// The game states 0..142 of a table. Every event carries one, the event list
// keeps the current one, and saved games and peers write them as numbers, so
// the values never change. The room steps the state (as a rule + 1), the
// table's state machine serves each state with its requests.
//
// A deal runs: inscriptions, the settings snapshot, dealing, four rounds of
// bids, the trump choice, announcements, then nine tricks. Trick 1 has a
// group for players entering, four card states, four collect states and four
// confirmations of announcements; tricks 2..5 lose the confirmation, tricks
// 6..9 the entry group. A Belote deal of eight tricks skips trick 8 and ends
// with trick 9's states. Groups of four are ordered by seat or by position
// from the seat that begins, as the state machine says.
class EtatDeJeu
{
public:
    static constexpr int Aucun = 0;
    static constexpr int AttendInscriptionPartie = 1;   // the room runs the game inscription
    static constexpr int InscriptionJoueur0 = 2;        // .. 5: inscription of seat (state - 2)
    static constexpr int InscriptionJoueur3 = 5;
    static constexpr int EnregistrementSettingsPartie = 6;
    static constexpr int AttendDistribue1 = 7;          // deal requests to all seats
    static constexpr int AttendDistribue4 = 10;         // .. the last seat to deal
    static constexpr int AttendMise1_1 = 11;            // bid round 1, position 1
    static constexpr int AttendMise1_4 = 14;
    static constexpr int AttendMise2_1 = 15;
    static constexpr int AttendMise2_4 = 18;
    static constexpr int AttendMise3_1 = 19;
    static constexpr int AttendMise4_1 = 23;
    static constexpr int AttendMise4_4 = 26;            // the last bid of the bidding
    static constexpr int AttendAtout = 27;              // trump choice by the seat that begins
    static constexpr int AttendAtoutChibre = 28;        // trump choice passed to the partner
    static constexpr int AttendAnnonce1 = 29;           // .. 32: announcements by position
    static constexpr int AttendAnnonce4 = 32;
    // The groups of four of each trick: players entering (tricks 1..5), the
    // cards, the collects, and in trick 1 the confirmation of announcements.
    static constexpr int Tour1_NouveauJoueur1 = 33;     // first state of play
    static constexpr int Tour1_AttendCarte1 = 37;
    static constexpr int Tour1_AttendRamasseTas1 = 41;
    static constexpr int Tour1_AttendRamasseTas4 = 44;
    static constexpr int Tour1_AttendConfirmationAnnonces1 = 45;
    static constexpr int Tour1_AttendConfirmationAnnonces4 = 48;
    static constexpr int Tour2_NouveauJoueur1 = 49;
    static constexpr int Tour2_AttendCarte1 = 53;
    static constexpr int Tour2_AttendRamasseTas1 = 57;
    static constexpr int Tour2_AttendRamasseTas4 = 60;
    static constexpr int Tour3_NouveauJoueur1 = 61;
    static constexpr int Tour3_AttendCarte1 = 65;
    static constexpr int Tour3_AttendRamasseTas1 = 69;
    static constexpr int Tour4_NouveauJoueur1 = 73;
    static constexpr int Tour4_AttendCarte1 = 77;
    static constexpr int Tour4_AttendRamasseTas1 = 81;
    static constexpr int Tour5_NouveauJoueur1 = 85;
    static constexpr int Tour5_AttendCarte1 = 89;
    static constexpr int Tour5_AttendRamasseTas1 = 93;
    static constexpr int Tour6_AttendCarte1 = 97;
    static constexpr int Tour6_AttendRamasseTas1 = 101;
    static constexpr int Tour7_AttendCarte1 = 105;
    static constexpr int Tour7_AttendRamasseTas1 = 109;
    static constexpr int Tour7_AttendRamasseTas4 = 112; // a Belote deal goes on at trick 9
    static constexpr int Tour8_AttendCarte1 = 113;
    static constexpr int Tour8_AttendRamasseTas1 = 117;
    static constexpr int Tour9_AttendCarte1 = 121;
    static constexpr int Tour9_AttendRamasseTas1 = 125;
    static constexpr int Tour9_AttendRamasseTas4 = 128; // the collect that ends the deal
    static constexpr int PaireBeloteDecideMatch = 129;  // set by the table, stepped to 130
    static constexpr int PaireBelote_AttendRamasseTas1 = 130;
    static constexpr int PaireBelote_AttendRamasseTas4 = 133;
    static constexpr int DernierEtatDeJeu = 133;
    static constexpr int MatchTermineEnFinDeDonne = 134; // set by the table, stepped to 135
    static constexpr int FinDePartie = 135;             // scoring; end-of-game answer of seat 0
    static constexpr int FinDePartieSiege2 = 136;       // end-of-game answers of seats 2, 1, 3
    static constexpr int FinDePartieSiege1 = 137;
    static constexpr int FinDePartieSiege3 = 138;
    static constexpr int QuestionNouvellePartie = 139;
    static constexpr int HorsDeroulement = 140;         // messages and replay markers
    static constexpr int Identification = 141;          // a client introduces its user
    static constexpr int EntreeOuSortieDeJoueur = 142;  // a player goes offline, returns or enters
    static constexpr int NombreEtats = 143;

    static constexpr int NombreDeTours = 9;
    static constexpr int NombreDeToursAvecEntree = 5;

    // The first state of each group of four, by trick (index 0 = trick 1).
    static constexpr int PremierNouveauJoueur[NombreDeToursAvecEntree] = {
        Tour1_NouveauJoueur1, Tour2_NouveauJoueur1, Tour3_NouveauJoueur1, Tour4_NouveauJoueur1, Tour5_NouveauJoueur1};
    static constexpr int PremiereAttenteDeCarte[NombreDeTours] = {
        Tour1_AttendCarte1, Tour2_AttendCarte1, Tour3_AttendCarte1, Tour4_AttendCarte1, Tour5_AttendCarte1,
        Tour6_AttendCarte1, Tour7_AttendCarte1, Tour8_AttendCarte1, Tour9_AttendCarte1};
    // The collect groups, the Belote pair's extra group last.
    static constexpr int PremierRamasseTas[NombreDeTours + 1] = {
        Tour1_AttendRamasseTas1, Tour2_AttendRamasseTas1, Tour3_AttendRamasseTas1, Tour4_AttendRamasseTas1,
        Tour5_AttendRamasseTas1, Tour6_AttendRamasseTas1, Tour7_AttendRamasseTas1, Tour8_AttendRamasseTas1,
        Tour9_AttendRamasseTas1, PaireBelote_AttendRamasseTas1};

    static constexpr bool estValide(int etat) { return etat >= Aucun && etat < NombreEtats; }
    static constexpr bool estInscriptionJoueur(int etat)
    {
        return etat >= InscriptionJoueur0 && etat <= InscriptionJoueur3;
    }
    static constexpr bool estAttenteDistribue(int etat) { return etat >= AttendDistribue1 && etat <= AttendDistribue4; }
    static constexpr bool estAttenteMise(int etat) { return etat >= AttendMise1_1 && etat <= AttendMise4_4; }
    static constexpr bool estAttenteAnnonce(int etat) { return etat >= AttendAnnonce1 && etat <= AttendAnnonce4; }
    static constexpr bool estConfirmationAnnonces(int etat)
    {
        return etat >= Tour1_AttendConfirmationAnnonces1 && etat <= Tour1_AttendConfirmationAnnonces4;
    }
    // From the first entry group to the Belote pair's collect group.
    static constexpr bool estEtatDePli(int etat) { return etat >= Tour1_NouveauJoueur1 && etat <= DernierEtatDeJeu; }
    static constexpr bool estFinDePartie(int etat) { return etat >= FinDePartie && etat <= FinDePartieSiege3; }

    // The first state of the group of four that holds etat, -1 when none.
    static constexpr int debutDeGroupe(const int* debuts, int nombre, int etat)
    {
        for (int i = 0; i < nombre; ++i)
            if (etat >= debuts[i] && etat < debuts[i] + 4)
                return debuts[i];
        return -1;
    }
    static constexpr int premierNouveauJoueur(int etat)
    {
        return debutDeGroupe(PremierNouveauJoueur, NombreDeToursAvecEntree, etat);
    }
    static constexpr bool estNouveauJoueur(int etat) { return premierNouveauJoueur(etat) >= 0; }
    static constexpr bool estAttenteDeCarte(int etat)
    {
        return debutDeGroupe(PremiereAttenteDeCarte, NombreDeTours, etat) >= 0;
    }
    static constexpr bool estRamasseTas(int etat)
    {
        return debutDeGroupe(PremierRamasseTas, NombreDeTours + 1, etat) >= 0;
    }
    // The last collect state of a trick (the Belote pair's group excluded).
    static constexpr bool estFinDePli(int etat)
    {
        for (int i = 0; i < NombreDeTours; ++i)
            if (etat == PremierRamasseTas[i] + 3)
                return true;
        return false;
    }
    // The trick (1..9) whose cards are asked in etat, 0 outside the card states.
    static constexpr int tourDeCarte(int etat)
    {
        for (int i = NombreDeTours - 1; i >= 0; --i)
            if (etat >= PremiereAttenteDeCarte[i])
                return etat < PremiereAttenteDeCarte[i] + 4 ? i + 1 : 0;
        return 0;
    }
};
