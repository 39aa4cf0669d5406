#include "store_rows.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "pair_store.h"

namespace {

constexpr int32_t kSlotsPerBucket = 8;  // on average, when positions spread evenly

int64_t positionOfSlot(int32_t slot) {
  const StoredPair& pair = storedPair((slot - 1) / 2);
  return slot % 2 == 1 ? pair.first : pair.second;
}

void setRow(int32_t slot, int64_t row) {
  storedPair((slot - 1) / 2).row[slot % 2 == 1 ? 0 : 1] = static_cast<uint16_t>(row < UINT16_MAX ? row : UINT16_MAX);
}

}  // namespace

void countStoreRows() {
  int64_t pairs = pairStore.count;
  if (pairs == 0) return;
  int32_t slotEnd = static_cast<int32_t>(2 * pairs + 1);
  int64_t low = INT64_MAX, high = INT64_MIN;
  for (int64_t i = 0; i < pairs; ++i) {
    const StoredPair& pair = storedPair(i);
    low = std::min({low, pair.first, pair.second});
    high = std::max({high, pair.first, pair.second});
  }
  // Buckets by position, so that a bucket's slots sort in a small buffer.
  uint64_t span = static_cast<uint64_t>(high) - static_cast<uint64_t>(low);
  uint64_t wanted = static_cast<uint64_t>(slotEnd / kSlotsPerBucket) + 1;
  int shift = 0;
  while ((span >> shift) >= wanted) ++shift;
  size_t buckets = static_cast<size_t>(span >> shift) + 1;
  auto bucketOf = [&](int64_t position) {
    return static_cast<size_t>((static_cast<uint64_t>(position) - static_cast<uint64_t>(low)) >> shift);
  };
  std::vector<uint32_t> starts(buckets + 1, 0);
  for (int32_t slot = 1; slot < slotEnd; ++slot) ++starts[bucketOf(positionOfSlot(slot)) + 1];
  for (size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  // Slots in slot order within each bucket, so equal positions keep the loader's order.
  std::vector<int32_t> sorted(static_cast<size_t>(slotEnd - 1));
  {
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (int32_t slot = 1; slot < slotEnd; ++slot) sorted[next[bucketOf(positionOfSlot(slot))]++] = slot;
  }
  std::vector<std::pair<int64_t, int32_t>> bucket;
  for (size_t b = 0; b < buckets; ++b) {
    uint32_t from = starts[b], to = starts[b + 1];
    if (to - from == 1) setRow(sorted[from], 1);
    if (to - from <= 1) continue;
    bucket.clear();
    for (uint32_t k = from; k < to; ++k) bucket.emplace_back(positionOfSlot(sorted[k]), sorted[k]);
    std::sort(bucket.begin(), bucket.end());
    int64_t row = 0;
    for (size_t k = 0; k < bucket.size(); ++k) {
      row = k > 0 && bucket[k].first == bucket[k - 1].first ? row + 1 : 1;
      setRow(bucket[k].second, row);
    }
  }
}
