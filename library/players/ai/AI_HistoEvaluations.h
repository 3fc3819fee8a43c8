#pragma once

#include "AI_ValeursEvaluation.h"
#include "EnsembleDeCartes.h"
#include "OptionsAI.h"

#include <QMutex>

#include <atomic>
#include <vector>

class Carte;
class Partie;

// What the play-outs of one search gave for every candidate card, and the
// choice made from it. Evaluation threads record into it concurrently, so
// every access takes the record's mutex.
class AI_HistoEvaluations
{
public:
    // What the choice needs to know of the position besides the samples.
    struct Contexte
    {
        const Partie* partie = nullptr; // before the candidate is played
        int noJoueur = 0;
        int joueurAtout = 4;             // the seat that chose trump, 4 for none
        bool adversairesAtout = false;   // an opponent may still hold a trump
        OptionsAI options;
    };

    // maxPoints: the highest score of a deal, for readers of the record.
    AI_HistoEvaluations(int maxPoints, const std::atomic<bool>* stop);
    AI_HistoEvaluations(const AI_HistoEvaluations&) = delete;
    AI_HistoEvaluations& operator=(const AI_HistoEvaluations&) = delete;

    void enregistre(Carte* carte, int valeur, bool match);
    // The samples of one evaluation at once, as many enregistre calls would
    // leave the record; valeurs is sorted on the way.
    void enregistreLot(Carte* carte, std::vector<int>& valeurs, int nombreMatch);

    // The card with the best corrected average, the cheaper card on equal
    // averages; null when no card has a sample.
    Carte* choisitCarte(const Contexte& contexte) const;
    // The corrected sum of samples of a card, as the choice sees it.
    double getSommeCorrigee(int index, const Contexte& contexte) const;

    int getNombre(int index) const;
    double getSomme(int index) const;
    int getNombreMatch(int index) const;
    int getOccurrences(int index, int valeur) const;
    EnsembleDeCartes getCandidats() const;
    int getMaxPoints() const { return maxPoints_; }
    qint64 getNombreTotal() const;

    // The heuristic factor the choice applies to a card's sum (1 when none
    // applies). Public so that each rule can be checked alone.
    static double facteurHeuristique(const Carte* carte, const Contexte& contexte);

private:
    double sommeCorrigee_unlocked(int index, const Contexte& contexte) const;

    int nombre_[EnsembleDeCartes::TAILLE] = {};
    double somme_[EnsembleDeCartes::TAILLE] = {};
    int nombreMatch_[EnsembleDeCartes::TAILLE] = {};
    AI_ValeursEvaluation valeurs_[EnsembleDeCartes::TAILLE];
    Carte* cartes_[EnsembleDeCartes::TAILLE] = {};
    EnsembleDeCartes candidats_;
    int maxPoints_;
    mutable QMutex mutex_;
    const std::atomic<bool>* stop_;
};
