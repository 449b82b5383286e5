#include "freememory.h"

#ifdef TARVELO_TCMALLOC
#include <gperftools/malloc_extension_c.h>
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarvelo::server {

void releaseFreeMemory()
{
#ifdef TARVELO_TCMALLOC
    MallocExtension_ReleaseFreeMemory();
#elif defined(__GLIBC__)
    // glibc holds on to freed memory unless asked to give it back.
    ::malloc_trim(0);
#endif
}

} // namespace tarvelo::server
