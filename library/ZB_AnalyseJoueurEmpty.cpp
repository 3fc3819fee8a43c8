#include "ZB_AnalyseJoueurEmpty.h"

AI_ProbaSimplifiee* ZB_AnalyseJoueurEmpty::creeProbabilites(const OptionsAI& options)
{
    // The card-location model arrives with the computer player; until then
    // there is none to hand out.
    Q_UNUSED(options);
    return nullptr;
}
