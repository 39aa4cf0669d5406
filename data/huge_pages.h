// Huge pages for the two big tables. The loader fills them in one pass, and with 4 KiB
// pages most of that pass went to page faults and TLB misses. Only a hint, on Linux only:
// where the kernel declines, or elsewhere, nothing changes.
#pragma once

#include <cstddef>

#if defined(__linux__)
#include <sys/mman.h>
#define QUELVAR_HUGE_PAGE_ALIGNED alignas(1 << 21)
inline int adviseHugePages(void* start, size_t size) { return madvise(start, size, MADV_HUGEPAGE); }
#else
#define QUELVAR_HUGE_PAGE_ALIGNED
inline int adviseHugePages(void*, size_t) { return 0; }
#endif
