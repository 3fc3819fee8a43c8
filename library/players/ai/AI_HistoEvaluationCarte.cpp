#include "AI_HistoEvaluationCarte.h"

#include "AI_HistoEvaluations.h"
#include "AI_Simulation.h"

AI_HistoEvaluationCarte::AI_HistoEvaluationCarte(Carte* carte, bool campPair, AI_HistoEvaluations* histo)
    : carte_(carte)
    , campPair_(campPair)
    , histo_(histo)
{
}

void AI_HistoEvaluationCarte::enregistre(const Partie& partieTerminee)
{
    if (histo_ == nullptr)
        return;
    const int equipe = getEquipe();
    valeurs_.push_back(AI_Simulation::pointsEquipe(partieTerminee, equipe));
    if (AI_Simulation::matchEquipe(partieTerminee, equipe))
        ++nombreMatch_;
}

void AI_HistoEvaluationCarte::transmet()
{
    if (histo_ != nullptr && !valeurs_.empty())
        histo_->enregistreLot(carte_, valeurs_, nombreMatch_);
    valeurs_.clear();
    nombreMatch_ = 0;
}
