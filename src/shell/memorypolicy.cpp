#include "memorypolicy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace MemoryPolicy {

void apply()
{
#if defined(__GLIBC__)
    // Opening, printing and merging allocate and free the same large buffers again and again:
    // a document's text and pieces, and a compressor's tables for every page of a PDF. By
    // default the C library hands the top of the heap back to the system after such a free and
    // takes it again at the next allocation, and every page of it faults in afresh: exporting
    // 10,000 letters spent more time on that than on drawing them. The heap keeps up to 64 MiB
    // free for the next allocation instead, and blocks below 32 MiB come from it, as they come
    // anyway once the library has seen a few large blocks freed.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace MemoryPolicy
