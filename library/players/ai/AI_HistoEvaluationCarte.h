#pragma once

class AI_HistoEvaluations;
class Carte;
class Partie;

// Where the play-outs of one candidate card report: the card, the team whose
// score counts, and the search's record.
class AI_HistoEvaluationCarte
{
public:
    AI_HistoEvaluationCarte(Carte* carte, bool campPair, AI_HistoEvaluations* histo);

    // Records the finished deal's score of the player's team.
    void enregistre(const Partie& partieTerminee);

    Carte* getCarte() const { return carte_; }
    int getEquipe() const { return campPair_ ? 0 : 1; }

private:
    Carte* carte_;
    bool campPair_; // the player sits at seat 0 or 2
    AI_HistoEvaluations* histo_;
};
