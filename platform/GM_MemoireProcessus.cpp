#include "GM_MemoireProcessus.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

bool GM_MemoireProcessus::regleAllocateur()
{
#if defined(__GLIBC__)
    // A fixed threshold also stops the allocator from raising the heap's
    // trim threshold along with it.
    return mallopt(M_MMAP_THRESHOLD, static_cast<int>(SEUIL_BLOC_MAPPE)) == 1;
#else
    return false;
#endif
}

void GM_MemoireProcessus::rendMemoireLibre()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
