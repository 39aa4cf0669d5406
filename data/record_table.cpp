#include "record_table.h"

#include <cstring>

#include "pair_store.h"
#include "pair_traits.h"
#include "stack_counts.h"

#include "huge_pages.h"

QUELVAR_HUGE_PAGE_ALIGNED RecordTable recordTable;

namespace {
const int kHugePagesAdvised = adviseHugePages(&recordTable, sizeof recordTable);
}  // namespace

void standRecordAt(TandemRecord& record, int32_t pos) {
  record.x = static_cast<float>(pos);
  record.y = static_cast<float>(bumpStackCount(pos) / 10.0);
}

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
  resetPairTraits();
  resetPairStore();
  ++recordTable.revision;
}
