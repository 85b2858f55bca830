#include "platform/heap.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace plat {

void returnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    // The library's own starting threshold; setting it at all stops it from moving.
    constexpr int kLargeBlockBytes = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
}

} // namespace plat
