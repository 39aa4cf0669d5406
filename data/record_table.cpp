#include "record_table.h"

#include <cstring>

#include "stack_counts.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

alignas(1 << 21) RecordTable recordTable;

#if defined(__linux__)
namespace {
// The loader fills the table in one pass; with 4 KiB pages that pass spends much of its time
// in page faults. Huge pages are only a hint: where the kernel declines, nothing changes.
const int kHugePagesAdvised = [] {
  madvise(&recordTable, sizeof recordTable, MADV_HUGEPAGE);
  return 0;
}();
}  // namespace
#endif

void scaleRecordsX(double factor) {
  for (int32_t i = 1; i < recordTable.count; ++i) {
    TandemRecord& record = recordTable.slots[i];
    record.x = static_cast<float>(record.x * factor);
  }
  ++recordTable.revision;
}

void resetTandemData() {
  // Every counter in use belongs to a stored record, so clearing those keys empties the
  // counters without sweeping the whole hash table.
  for (int32_t i = 1; i < recordTable.count; ++i) clearStackCount(recordTable.slots[i].pos);
  std::memset(recordTable.slots, 0, sizeof(TandemRecord) * static_cast<size_t>(recordTable.count));
  recordTable.count = 1;
  recordTable.maxLen = 0;
  ++recordTable.revision;
}
