#include "GM_CompteBits.h"

GM_CompteBits::Jeu GM_CompteBits::jeuProcesseur()
{
#if GM_AVEC_DISPATCH_BITS
    static const Jeu jeu = [] {
        // The processor model is read here: this may run before main, from
        // a static initialiser.
        __builtin_cpu_init();
        if (!__builtin_cpu_supports("popcnt"))
            return JeuPortable;
        const bool pdepLent = __builtin_cpu_is("amd")
                           && (__builtin_cpu_is("znver1") || __builtin_cpu_is("znver2")
                               || __builtin_cpu_is("bdver4"));
        return __builtin_cpu_supports("bmi2") && !pdepLent ? JeuBmi2 : JeuPopcnt;
    }();
    return jeu;
#else
    return JeuPortable;
#endif
}
