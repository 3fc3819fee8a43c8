#pragma once

#include <QtGlobal>

#include <vector>

class AI_HistoEvaluations;
class Carte;
class Partie;

// Where the play-outs of one candidate card report: the card, the team whose
// score counts, and the search's record. One evaluation thread uses it, so
// the samples gather here without a lock and reach the search-wide record
// in one locked step (transmet): evaluation threads would otherwise queue on
// the record's mutex for every play-out. The totals are the same either way.
class AI_HistoEvaluationCarte
{
public:
    AI_HistoEvaluationCarte(Carte* carte, bool campPair, AI_HistoEvaluations* histo);

    // Records the finished deal's score of the player's team.
    void enregistre(const Partie& partieTerminee);
    // Hands the samples gathered so far to the search's record.
    void transmet();

    Carte* getCarte() const { return carte_; }
    int getEquipe() const { return campPair_ ? 0 : 1; }
    // Samples not yet handed on.
    int getEnAttente() const { return int(valeurs_.size()); }

private:
    Carte* carte_;
    bool campPair_; // the player sits at seat 0 or 2
    AI_HistoEvaluations* histo_;
    std::vector<int> valeurs_;
    int nombreMatch_ = 0;
};
