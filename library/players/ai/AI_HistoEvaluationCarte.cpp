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
    histo_->enregistre(carte_, AI_Simulation::pointsEquipe(partieTerminee, equipe),
                       AI_Simulation::matchEquipe(partieTerminee, equipe));
}
