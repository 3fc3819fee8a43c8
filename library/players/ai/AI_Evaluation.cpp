#include "AI_Evaluation.h"

#include "AI_HistoEvaluationCarte.h"
#include "GM_KnuthRandom.h"
#include "ZB_PointsA.h"

#include <memory>

AI_Evaluation::AI_Evaluation(const AI_ProbaSimplifiee& modele, const Partie& partie, const EnsembleDeCartes mains[4],
                             int noJoueur, const OptionsAI* options, GM_KnuthRandom* generateur,
                             ZB_AnalyseJoueurA* analyse, Carte* carte, AI_HistoEvaluationCarte* histo,
                             const std::atomic<bool>* stop, bool fluxPrive, AI_Simulation::Reserve* reserve)
    : modele_(modele)
    , partie_(partie)
    , mains_{mains[0], mains[1], mains[2], mains[3]}
    , noJoueur_(noJoueur)
    , options_(options)
    , generateur_(generateur)
    , analyse_(analyse)
    , carte_(carte)
    , histo_(histo)
    , stop_(stop)
    , reserve_(reserve)
{
    if (reserve_ == nullptr) {
        reservePropre_ = std::make_unique<AI_Simulation::Reserve>();
        reserve_ = reservePropre_.get();
    }
    mains_[noJoueur_].retireCarte(carte_);
    partie_.joueCarte(carte_, noJoueur_);
    travail_.generateur = generateur_;
    if (fluxPrive && generateur_ != nullptr) {
        travail_.fluxPrive = true;
        travail_.etatPrive = (quint64(generateur_->tire(1 << 30)) << 30) ^ quint64(generateur_->tire(1 << 30));
    }
}

AI_Evaluation::~AI_Evaluation()
{
    wait();
}

void AI_Evaluation::run()
{
    evalue();
}

void AI_Evaluation::evalue()
{
    const auto arrete = [this] { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); };
    if (arrete())
        return;
    compteur_ = 0;
    // Given back whatever way this ends.
    const auto rends = [this](AI_Simulation* r) { reserve_->rendArbre(r); };
    const std::unique_ptr<AI_Simulation, decltype(rends)> racine(
        reserve_->racine(mains_, partie_, carte_, noJoueur_, histo_, &compteur_, stop_), rends);
    // Level by level, so that the budget goes to the next few plays.
    for (int passe = 0; passe < PROFONDEUR_MAX - 4; ++passe) {
        if (arrete() || compteur_ >= LIMITE_NOEUDS)
            break;
        const int avant = compteur_;
        racine->developpe(LIMITE_NOEUDS);
        if (compteur_ == avant)
            break; // every line has reached the end of the deal
    }
    noeudsCrees_ = compteur_;
    racine->echantillonne(travail_);
    if (histo_ != nullptr)
        histo_->transmet();
}
