#pragma once

#include <QString>

class EnsembleDeCartes;
class TypeDePartie;
class ZB_StatusMise;

// A computer player's bidding strategy: it weighs a hand for every trump mode
// the game allows, then chooses a bid from those weights.
class AI_BetA
{
public:
    // How a hand stands in one trump mode. A trump is a card of the mode's
    // suit, so the modes without a trump suit count none.
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

    // The record of one mode; belote selects the Belote strength order.
    static Evaluation evalueMode(const EnsembleDeCartes& main, int mode, bool belote);
};
