#pragma once

#include "TypeDePartie.h"

#include <array>

class AI_BetA;
class Carte;
class EnsembleDeCartes;
class StatusAtout;
class ZB_StatusMise;

// The computer player's judgement before the card play: which trump mode to
// announce, or whether to leave the choice to the partner ("Chibre"), and
// which bid to make. The same answers serve as advice to a human player.
// Plain functions of the hand and the game type, so that they run at once
// on the caller's thread.
class AI_Conseil
{
public:
    // Below this best value a hand is too weak to choose trump itself.
    static constexpr double SEUIL_FORCE = 4.3;
    // Values of a suit mode are divided by this in games with multipliers,
    // and by DIVISEUR_FORT when a doubled suit is worth more than 3.
    static constexpr double DIVISEUR = 1.6;
    static constexpr double DIVISEUR_FORT = 1.2;

    // How the trump advice came about, for the analysis log and the tests.
    struct DetailAtout
    {
        std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
        std::array<double, TypeDePartie::NOMBRE_MODES> valeurs{}; // 0 for a mode not allowed
        std::array<int, TypeDePartie::NOMBRE_MODES> facteurs{};   // announcement factor of each mode
        bool multiplie = false;
        int meilleurMode = 0;   // 0 when no mode is worth more than 0
        double meilleure = 0.0;
        double plusBasse = 0.0;
        bool quatreCouleurs = false;
        bool passeEnvisagee = false; // the choice had not been passed to this player
        double p = 0.0;         // the pass is taken above 1
    };

    // Fills the trump answer: a chosen mode, or a pass to the partner
    // (chibre 1, nothing chosen, mode 0). When the request's chibre flag is
    // set, the partner has passed already, and an allowed mode is always
    // chosen. Only a game type that allows no mode at all leaves nothing
    // chosen. The multiplier is left to the caller. Among modes of equal
    // value the lowest is chosen.
    static void conseilAtout(const EnsembleDeCartes& main, const TypeDePartie& typeDePartie, AI_BetA& bet,
                             StatusAtout& conseil, DetailAtout* detail = nullptr);

    // The cards a bid is judged on: in the first round of a bidding on a
    // turned card only the hand's cards of the turned card's suit, otherwise
    // the whole hand; the turned card is added in both cases.
    static EnsembleDeCartes mainPourMise(const EnsembleDeCartes& main, const Carte* carteRetournee,
                                         const TypeDePartie& typeDePartie, const ZB_StatusMise& mise);

    // Fills the bid answer from the current auction state in conseil, the
    // own side's latest bid and the number of consecutive bids of the own
    // side in one suit. In the games that bid on a turned card, a bid is a
    // take of the turned card.
    static void conseilMise(const EnsembleDeCartes& main, const Carte* carteRetournee,
                            const TypeDePartie& typeDePartie, AI_BetA& bet, const ZB_StatusMise& derniereMiseEquipe,
                            int compteurMises, ZB_StatusMise& conseil);

    static bool parCarteRetournee(const TypeDePartie& typeDePartie)
    {
        return typeDePartie.contrat_ == TypeDePartie::ContratFixe
            || typeDePartie.contrat_ == TypeDePartie::ContratVache;
    }
};
