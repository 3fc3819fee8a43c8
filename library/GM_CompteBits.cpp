#include "GM_CompteBits.h"

bool GM_CompteBits::processeurAPopcnt()
{
#if GM_AVEC_DISPATCH_POPCNT
    // __builtin_cpu_init first: this may run before main, from a static
    // initialiser, when the processor model is not read yet.
    static const bool popcnt = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt") != 0);
    return popcnt;
#elif defined(__POPCNT__)
    return true;
#else
    return false;
#endif
}
