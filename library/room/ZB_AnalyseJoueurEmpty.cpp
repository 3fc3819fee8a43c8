#include "ZB_AnalyseJoueurEmpty.h"

#include "AI_ProbaSimplifiee.h"

AI_ProbaSimplifiee* ZB_AnalyseJoueurEmpty::creeProbabilites(const OptionsAI& options)
{
    // Nothing to show here, so the model reports nowhere.
    return new AI_ProbaSimplifiee(nullptr, options);
}
