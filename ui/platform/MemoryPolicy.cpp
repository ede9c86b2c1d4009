#include "ui/platform/MemoryPolicy.h"

#include <cstdlib> // defines __GLIBC__ with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace korvel::ui {

void keepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks of up to 32 MB come from the heap rather than from mappings of their own, and up to 256 MB of free
    // memory stays at the top of the heap before any is handed back. Setting these fixes them: the C library no
    // longer adjusts them as blocks come and go.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

} // namespace korvel::ui
