#include "files/LargePages.h"

#include <sys/mman.h>

namespace ravelin {

void AdviseLargePages(void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
    // Only advice: where it is refused, the block is on small pages and works the same.
    (void)madvise(data, bytes, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace ravelin
