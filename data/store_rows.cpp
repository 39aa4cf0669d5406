#include "store_rows.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "pair_store.h"

namespace {

constexpr int32_t kSlotsPerBucket = 8;  // on average, when positions spread evenly
constexpr int kSlotBits = 31;           // a slot in the low bits of a sort key
constexpr int kMostOffsetBits = 64 - kSlotBits;

int64_t positionOfSlot(int32_t slot) {
  const StoredPair& pair = storedPair((slot - 1) / 2);
  return slot % 2 == 1 ? pair.first : pair.second;
}

// Rows start at 1 (addStorePair), so only the bars behind another at their position are written.
void setRow(int32_t slot, int64_t row) {
  storedPair((slot - 1) / 2).row[slot % 2 == 1 ? 0 : 1] = static_cast<uint16_t>(row < UINT16_MAX ? row : UINT16_MAX);
}

// Rows of one bucket whose keys sort as (position, slot); equal keys-without-slot share a position.
template <typename Key, typename SlotOf, typename PlaceOf>
void countBucketRows(Key* first, Key* last, SlotOf slotOf, PlaceOf placeOf) {
  std::sort(first, last);
  int64_t row = 1;
  for (Key* k = first + 1; k < last; ++k) {
    row = placeOf(*k) == placeOf(k[-1]) ? row + 1 : 1;
    if (row > 1) setRow(slotOf(*k), row);
  }
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
  // Slots bucketed by position (a counting sort, so equal positions keep slot order), each
  // bucket then sorted on its own in a few cache lines.
  uint64_t span = static_cast<uint64_t>(high) - static_cast<uint64_t>(low);
  uint64_t wanted = static_cast<uint64_t>(slotEnd / kSlotsPerBucket) + 1;
  int shift = 0;
  while (shift < 63 && (span >> shift) >= wanted) ++shift;
  size_t buckets = static_cast<size_t>(span >> shift) + 1;
  auto offsetOf = [&](int32_t slot) { return static_cast<uint64_t>(positionOfSlot(slot)) - static_cast<uint64_t>(low); };
  std::vector<uint32_t> starts(buckets + 1, 0);
  for (int32_t slot = 1; slot < slotEnd; ++slot) ++starts[(offsetOf(slot) >> shift) + 1];
  for (size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  if (shift <= kMostOffsetBits) {
    // A key holds the position within its bucket and the slot: sorting reads no pair.
    std::vector<uint64_t> keys(static_cast<size_t>(slotEnd - 1));
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    uint64_t within = (uint64_t{1} << shift) - 1;
    for (int32_t slot = 1; slot < slotEnd; ++slot) {
      uint64_t offset = offsetOf(slot);
      keys[next[offset >> shift]++] = (offset & within) << kSlotBits | static_cast<uint64_t>(slot);
    }
    for (size_t b = 0; b < buckets; ++b)
      if (starts[b + 1] - starts[b] > 1)
        countBucketRows(keys.data() + starts[b], keys.data() + starts[b + 1],
                        [](uint64_t key) { return static_cast<int32_t>(key & ((uint64_t{1} << kSlotBits) - 1)); },
                        [](uint64_t key) { return key >> kSlotBits; });
    return;
  }
  // Positions spread too far for a key: each bucket's positions are read from the pairs.
  std::vector<int32_t> sorted(static_cast<size_t>(slotEnd - 1));
  {
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (int32_t slot = 1; slot < slotEnd; ++slot) sorted[next[offsetOf(slot) >> shift]++] = slot;
  }
  std::vector<std::pair<int64_t, int32_t>> bucket;
  for (size_t b = 0; b < buckets; ++b) {
    if (starts[b + 1] - starts[b] <= 1) continue;
    bucket.clear();
    for (uint32_t k = starts[b]; k < starts[b + 1]; ++k) bucket.emplace_back(positionOfSlot(sorted[k]), sorted[k]);
    countBucketRows(bucket.data(), bucket.data() + bucket.size(), [](const std::pair<int64_t, int32_t>& p) { return p.second; },
                    [](const std::pair<int64_t, int32_t>& p) { return p.first; });
  }
}
