#include "GM_MemoireProcessus.h"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void GM_MemoireProcessus::rendMemoireLibre()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void GM_MemoireProcessus::partageLesTas()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 2);
#endif
}
