#pragma once

#include "AI_BetA.h"
#include "TypeDePartie.h"

#include <QtGlobal>

#include <array>
#include <memory>

// The Belote bidding strategy: opens and raises from the strength of its
// best trump, doubles the opponents when it holds their trump, supports its
// partner's suit, and goes for the capot when the side keeps bidding one suit.
//
// The records of a hand are shared between copies; a new evaluation replaces
// the shared records instead of changing them, so a copy keeps what it was
// given. Records that no copy shares are refilled in place.
class AI_BetBelote : public AI_BetA
{
public:
    static_assert(NOMBRE_MODES == TypeDePartie::NOMBRE_MODES, "one record per trump mode");
    struct Evaluations
    {
        std::array<Evaluation, NOMBRE_MODES> records{};
        std::array<bool, NOMBRE_MODES> evalues{};
        quint64 masqueMain = 0; // the hand weighed, for the choice among equals
    };

    AI_BetBelote();
    ~AI_BetBelote() override;

    void evalue(const EnsembleDeCartes& main, const TypeDePartie& typeDePartie) override;
    void choisitMise(ZB_StatusMise& mise, const ZB_StatusMise& derniereMiseEquipe, bool equipeAMise,
                     bool compteAnnonces, int compteurMises, const EnsembleDeCartes& main) override;
    Evaluation getEvaluation(int mode) const override;
    bool estEvalue(int mode) const override;

    // The parts of the decision, public so that each threshold can be
    // checked on its own.

    // The mode of the strongest record (0 when none beats an empty record):
    // most major trumps, then most minor trumps, then most leading cards,
    // where one leading card more than makes up for one minor trump less.
    // Among records equal in all three, the lowest mode.
    int meilleurMode() const;
    // How many steps a record is worth opening with: 2, 1, 0, or -1 for a
    // record not worth a bid.
    static int niveau(const Evaluation& e);
    // Extra steps from leading cards beyond the first: -1 without any.
    static int bonusMaitres(const Evaluation& e);
    // Steps of 10 that the hand's announcements are worth in the mode.
    static int pasAnnonces(const EnsembleDeCartes& main, int mode, bool compteAnnonces);
    // The bid raise steps above the current bid (or the minimum when there is
    // none) plus extra steps, in the trump given, kept within the minimum and
    // maximum bids; passes when nothing above the maximum can be offered.
    static void prochaineMise(ZB_StatusMise& mise, qint64 hausse, qint64 supplement, int atout);

private:
    std::shared_ptr<Evaluations> evaluations_;
};
