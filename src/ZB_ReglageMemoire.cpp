#include "ZB_ReglageMemoire.h"

#include <QtGlobal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

bool ZB_ReglageMemoire::applique()
{
#if defined(__GLIBC__)
    if (!qEnvironmentVariableIsEmpty("MALLOC_MMAP_THRESHOLD_"))
        return false;
    return mallopt(M_MMAP_THRESHOLD, SEUIL_MMAP_OCTETS) == 1;
#else
    return false;
#endif
}
