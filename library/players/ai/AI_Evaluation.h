#pragma once

#include "AI_HistoEvaluationCarte.h"
#include "AI_ProbaSimplifiee.h"
#include "AI_Simulation.h"
#include "EnsembleDeCartes.h"
#include "Partie.h"

#include <QThread>

#include <atomic>
#include <memory>

class Carte;
class GM_KnuthRandom;
class OptionsAI;
class ZB_AnalyseJoueurA;

// Judges one candidate card on one sampled deal: grows a small tree of the
// next plays from the position after the card, then plays every live leaf
// out at random and records the scores. Runs as its own thread inside a
// batch, or directly on the search thread when there is one core.
class AI_Evaluation : public QThread
{
public:
    // The tree stops growing once it holds this many nodes.
    static constexpr int LIMITE_NOEUDS = 1200;
    static constexpr int PROFONDEUR_MAX = 36;

    // partie is the position before the candidate; mains the sampled hands,
    // the candidate still in the own hand.
    // fluxPrive: the play-outs draw from a private stream seeded from the
    // shared generator when the evaluation is built (on the search thread),
    // rather than locking the shared generator for every draw; the result
    // then does not depend on how the evaluations share the processor.
    // reserve: where the tree's nodes come from; the evaluation keeps its
    // own when none is given. Evaluations that run at the same time need
    // different reserves.
    AI_Evaluation(const AI_ProbaSimplifiee& modele, const Partie& partie, const EnsembleDeCartes mains[4],
                  int noJoueur, const OptionsAI* options, GM_KnuthRandom* generateur, ZB_AnalyseJoueurA* analyse,
                  Carte* carte, AI_HistoEvaluationCarte* histo, const std::atomic<bool>* stop, bool fluxPrive = true,
                  AI_Simulation::Reserve* reserve = nullptr);
    ~AI_Evaluation() override;

    // The whole evaluation on the calling thread.
    void evalue();

    qint64 getParties() const { return travail_.parties; }
    qint64 getTirages() const { return travail_.tirages; }
    qint64 getNoeuds() const { return noeudsCrees_; }
    Carte* getCarte() const { return carte_; }
    const AI_ProbaSimplifiee& getModele() const { return modele_; }
    const OptionsAI* getOptions() const { return options_; }
    ZB_AnalyseJoueurA* getAnalyse() const { return analyse_; }
    const Partie& getPartie() const { return partie_; }

protected:
    void run() override;

private:
    AI_ProbaSimplifiee modele_;
    Partie partie_; // the candidate already played
    EnsembleDeCartes mains_[4];
    int noJoueur_;
    const OptionsAI* options_;
    GM_KnuthRandom* generateur_;
    ZB_AnalyseJoueurA* analyse_;
    Carte* carte_;
    AI_HistoEvaluationCarte* histo_;
    int compteur_ = 0;
    const std::atomic<bool>* stop_;
    AI_Simulation::Travail travail_;
    qint64 noeudsCrees_ = 0;
    AI_Simulation::Reserve* reserve_;
    std::unique_ptr<AI_Simulation::Reserve> reservePropre_;
};
