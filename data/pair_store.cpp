#include "pair_store.h"

#include <algorithm>

#include "axis_units.h"
#include "pair_traits.h"
#include "record_table.h"
#include "store_rows.h"

PairStore pairStore;

namespace {

// Past the bound every further pair competes with the shortest held, as the table's
// selection does: a min-heap whose root is the pair to drop first, the shortest, and of
// equal lengths the latest in the file, so ties keep file order. 16 bytes a held pair, made
// only when the bound is passed.
struct HeldEntry {
  int64_t order;  // place in the file among the pairs offered
  int32_t len;
  int32_t index;  // where in the store it is held
};

bool weaker(const HeldEntry& a, const HeldEntry& b) { return a.len != b.len ? a.len < b.len : a.order > b.order; }
bool heapBefore(const HeldEntry& a, const HeldEntry& b) { return weaker(b, a); }

std::vector<HeldEntry> held;
int64_t maxHeld = kStoreSlotPairs;
int64_t offered = 0;

StoredPair& appendSlot() {
  int64_t index = pairStore.count++;
  if ((index >> kStoreChunkBits) >= static_cast<int64_t>(pairStore.chunks.size()))
    pairStore.chunks.emplace_back(new StoredPair[kStoreChunkPairs]);
  return storedPair(index);
}

void startHeld() {
  held.reserve(static_cast<size_t>(pairStore.count));
  for (int64_t i = 0; i < pairStore.count; ++i)
    held.push_back(HeldEntry{i, storedPair(i).len, static_cast<int32_t>(i)});
  std::make_heap(held.begin(), held.end(), heapBefore);
}

// The held pairs back in file order: new place i takes the pair the i-th earliest entry
// names, moved round its cycle in place so no second copy of the store is made.
void settleHeld() {
  std::sort(held.begin(), held.end(), [](const HeldEntry& a, const HeldEntry& b) { return a.order < b.order; });
  std::vector<int32_t> source(held.size());
  for (size_t i = 0; i < held.size(); ++i) source[i] = held[i].index;
  held.clear();
  held.shrink_to_fit();
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] < 0) continue;
    StoredPair first = storedPair(static_cast<int64_t>(i));
    size_t at = i;
    for (;;) {
      size_t from = static_cast<size_t>(source[at]);
      source[at] = -1;
      if (from == i) {
        storedPair(static_cast<int64_t>(at)) = first;
        break;
      }
      storedPair(static_cast<int64_t>(at)) = storedPair(static_cast<int64_t>(from));
      at = from;
    }
  }
}

}  // namespace

void startPairStore(int64_t maxPairs) {
  resetPairStore();
  pairStore.active = true;
  maxHeld = maxPairs > 0 && maxPairs < kStoreSlotPairs ? maxPairs : kStoreSlotPairs;
}

void addStorePair(int64_t first, int64_t second, int32_t len, uint8_t orientation, uint16_t identity,
                  int32_t difference) {
  StoredPair pair{first, second, len, difference, identity, {1, 1}, orientation, 0};
  int64_t order = offered++;
  if (pairStore.count < maxHeld) {
    appendSlot() = pair;
    return;
  }
  if (held.empty()) startHeld();
  HeldEntry entry{order, len, 0};
  if (held.empty() || !weaker(held.front(), entry)) return;
  std::pop_heap(held.begin(), held.end(), heapBefore);
  entry.index = held.back().index;
  held.back() = entry;
  storedPair(entry.index) = pair;
  std::push_heap(held.begin(), held.end(), heapBefore);
}

void finishPairStore() {
  if (!held.empty()) settleHeld();
  countStoreRows();
  pairStore.withIdentity = 0;
  for (int64_t i = 0; i < pairStore.count; ++i) pairStore.withIdentity += storedPair(i).identity != kIdentityUnknown;
  placeStoreAsLoaded();
  pairStore.lengthFull = pairStore.maxLen;
  pairStore.lengthCapped = false;
  ++recordTable.revision;
}

StoreBoundReport pairStoreBoundReport() {
  int32_t shortest = 0;
  for (int64_t i = 0; i < pairStore.count && offered > pairStore.count; ++i)
    if (i == 0 || storedPair(i).len < shortest) shortest = storedPair(i).len;
  return StoreBoundReport{offered, pairStore.count, shortest, offered > pairStore.count};
}

void placeStoreAsLoaded() {
  pairStore.xScale = kAxisScale;
  pairStore.farX = pairStore.farY = 0;
  ++recordTable.revision;
}

void resetPairStore() {
  pairStore = PairStore{};
  ++recordTable.revision;
  held.clear();
  held.shrink_to_fit();
  offered = 0;
  maxHeld = kStoreSlotPairs;
}
