#pragma once

#include <QString>

#include <array>

class EnsembleDeCartes;
class TypeDePartie;
class ZB_StatusMise;

// A computer player's bidding strategy: it weighs a hand for every trump mode
// the game allows, then chooses a bid from those weights.
class AI_BetA
{
public:
    // How a hand stands in one trump mode. In a suit mode a trump is a card
    // of the mode's suit and the other suits are weighed by their leading
    // runs. In the modes without a trump suit (5 to 11) every suit follows
    // the mode's order, and the record counts sure tricks instead: the run
    // of each suit from its strongest card down (from the top in top-down,
    // no-trump and inverse, from the bottom in bottom-up, jacks and nines
    // first in Belote's all-trump; zig-zag takes each direction for its
    // share of the tricks). The first SURES_SANS_CONTROLE of them stand for
    // minor trumps and the rest for major trumps, since without a trump
    // suit the side cannot stop the opponents' long suits; the strongest
    // cards are the tops of the suits and no suit is a side suit, so there
    // are no leading cards.
    struct Evaluation
    {
        int nbrMinorTrumps = 0;   // trumps of strength below 6
        int nbrMajorTrumps = 0;   // trumps of strength 6 or more
        int nbrStrongestCard = 0; // non-trumps of strength 8
        bool hasFirstStrongestTrump = false;  // the trump of strength 8
        bool hasSecondStrongestTrump = false; // the trump of strength 7
        int nbrLeadingCards = 0;  // non-trumps in unbroken runs down from strength 8
        int nbrLeadingColors = 0; // suits with at least one such card

        // One line for the analysis log, with the counters' names.
        QString toString() const;
        bool operator==(const Evaluation& o) const;
        bool operator!=(const Evaluation& o) const { return !(*this == o); }
    };

    virtual ~AI_BetA();

    // Weighs the hand for every mode that the game type allows (multiplier
    // above 0); the records of the previous hand are dropped.
    virtual void evalue(const EnsembleDeCartes& main, const TypeDePartie& typeDePartie) = 0;
    // Fills the answer to a bid request from the current auction state mise,
    // the latest bid of the own side (derniereMiseEquipe, with equipeAMise
    // its bid-made flag), whether announcements count in the bidding, the
    // number of consecutive bids of the own side in one suit and the hand
    // that was weighed.
    virtual void choisitMise(ZB_StatusMise& mise, const ZB_StatusMise& derniereMiseEquipe, bool equipeAMise,
                             bool compteAnnonces, int compteurMises, const EnsembleDeCartes& main) = 0;
    // The record of a mode; an empty record for a mode that was not weighed.
    virtual Evaluation getEvaluation(int mode) const = 0;
    virtual bool estEvalue(int mode) const = 0;

    static constexpr int NOMBRE_MODES = 12;

    // The record of one mode; belote selects the Belote strength order.
    static Evaluation evalueMode(const EnsembleDeCartes& main, int mode, bool belote);
    // The records of the modes flagged, each as evalueMode gives it, the
    // others empty; the hand's suits are looked up once for all of them.
    static void evalueModes(const EnsembleDeCartes& main, bool belote, const std::array<bool, NOMBRE_MODES>& modes,
                            std::array<Evaluation, NOMBRE_MODES>& evaluations);
    // Sure tricks of a hand in a mode without a trump suit (see Evaluation).
    static int plisSurs(const EnsembleDeCartes& main, int mode, bool belote);

    // Sure tricks a mode without a trump suit counts as minor trumps.
    static constexpr int SURES_SANS_CONTROLE = 2;
};
