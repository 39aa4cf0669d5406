#include "pair_bound.h"

#include "pair_store.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// 0 when the system does not say.
uint64_t physicalMemory() {
#ifdef _WIN32
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? static_cast<uint64_t>(status.ullTotalPhys) : 0;
#else
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
#endif
}

}  // namespace

int64_t defaultMaxPairs() {
  uint64_t pairs = physicalMemory() / 4 / kLoadBytesPerPair;
  // A system that does not say gets what 4 GB would.
  if (pairs == 0) pairs = (uint64_t{4} << 30) / 4 / kLoadBytesPerPair;
  return pairs < static_cast<uint64_t>(kStoreSlotPairs) ? static_cast<int64_t>(pairs) : kStoreSlotPairs;
}
