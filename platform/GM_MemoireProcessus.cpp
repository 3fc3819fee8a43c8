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
