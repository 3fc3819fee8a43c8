#pragma once

#include "GM_LoadSaveElement.h"

// Tuning of a computer player: how far it trusts a partner's second and
// third trump turns, how much it infers of the opponents' hands, and how
// many deals its search samples (its strength).
class OptionsAI : public GM_LoadSaveElement
{
public:
    OptionsAI() = default;
    OptionsAI(double secondTurnTrump, double thirdTurnTrump, double knowledgeOpponents, double nbrCombinations,
              int version = 1);
    ~OptionsAI() override;

    // A tuning value that is not a finite number is refused; a refused text
    // leaves the record as it was.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // The version is not compared: two records that tune alike are equal.
    bool memesReglages(const OptionsAI& o) const
    {
        return secondTurnTrump_ == o.secondTurnTrump_ && thirdTurnTrump_ == o.thirdTurnTrump_
            && knowledgeOpponents_ == o.knowledgeOpponents_ && nbrCombinations_ == o.nbrCombinations_;
    }
    bool operator==(const OptionsAI& o) const { return memesReglages(o) && version_ == o.version_; }
    bool operator!=(const OptionsAI& o) const { return !(*this == o); }

    double secondTurnTrump_ = 0.25;
    double thirdTurnTrump_ = 0.08;
    double knowledgeOpponents_ = 0.41;
    double nbrCombinations_ = 5000.0;
    int version_ = 1;
};
