#pragma once

#include <malloc.h>

// After a burst of short-lived allocations (a sheet closed, every text re-read in another
// language) the allocator would keep the freed pages resident for the rest of the session;
// a program that runs for days hands them back.
inline void OstGiveBackFreedHeap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
