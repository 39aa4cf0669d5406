#include "longest_pairs.h"

#include <algorithm>
#include <cstring>

#include "pair_traits.h"
#include "record_table.h"
#include "stack_counts.h"

namespace {

struct HeldPair {
  int32_t pos;
  int32_t partner;
  int32_t len;
  uint32_t order;  // place in the file among the pairs longer than 10
  float r, g, b;
  uint8_t orientation;
  uint16_t identity;
  int32_t difference;
};

// A min-heap whose root is the pair to drop first: the shortest, and of equal lengths the
// latest in the file, so ties keep file order.
bool weaker(const HeldPair& a, const HeldPair& b) { return a.len != b.len ? a.len < b.len : a.order > b.order; }
bool heapBefore(const HeldPair& a, const HeldPair& b) { return weaker(b, a); }

// Static like the table: no allocation, and untouched unless a file overflows the table.
HeldPair held[kTablePairs];
int32_t heldCount = 0;
bool active = false;
uint64_t offered = 0;

}  // namespace

void startLongestPairs() {
  heldCount = 0;
  for (int32_t slot = 1; slot + 1 < recordTable.count; slot += 2) {
    const TandemRecord& a = recordTable.slots[slot];
    int32_t pair = pairOfSlot(slot);
    held[heldCount] = HeldPair{a.pos, a.partner, static_cast<int32_t>(a.len), static_cast<uint32_t>(heldCount),
                               a.r, a.g, a.b, pairTraits.orientation[pair], pairTraits.identity[pair],
                               pairTraits.difference[pair]};
    ++heldCount;
  }
  offered = static_cast<uint64_t>(heldCount);
  std::make_heap(held, held + heldCount, heapBefore);
  active = true;
}

void offerLongestPair(int32_t pos, int32_t partner, int32_t len, float r, float g, float b, uint8_t orientation,
                      uint16_t identity, int32_t difference) {
  HeldPair pair{pos, partner, len, static_cast<uint32_t>(offered), r, g, b, orientation, identity, difference};
  ++offered;
  if (heldCount == 0 || !weaker(held[0], pair)) return;
  std::pop_heap(held, held + heldCount, heapBefore);
  held[heldCount - 1] = pair;
  std::push_heap(held, held + heldCount, heapBefore);
}

void settleLongestPairs(uint32_t tag) {
  if (!active) return;
  int32_t maxLen = recordTable.maxLen;
  resetTandemData();
  recordTable.maxLen = maxLen;
  std::sort(held, held + heldCount, [](const HeldPair& a, const HeldPair& b) { return a.order < b.order; });
  for (int32_t i = 0; i < heldCount; ++i) {
    const HeldPair& pair = held[i];
    int32_t slot = recordTable.count;
    TandemRecord& a = recordTable.slots[slot];
    TandemRecord& b = recordTable.slots[slot + 1];
    standRecordAt(a, pair.pos);
    standRecordAt(b, pair.partner);
    a.pos = b.partner = pair.pos;
    a.partner = b.pos = pair.partner;
    a.len = b.len = static_cast<float>(pair.len);
    a.tag = b.tag = tag;
    a.r = b.r = pair.r;
    a.g = b.g = pair.g;
    a.b = b.b = pair.b;
    int32_t index = pairOfSlot(slot);
    pairTraits.orientation[index] = pair.orientation;
    pairTraits.identity[index] = pair.identity;
    pairTraits.difference[index] = pair.difference;
    if (pair.identity != kIdentityUnknown) ++pairTraits.withIdentity;
    recordTable.count += 2;
  }
  active = false;
}

bool longestPairsActive() { return active; }

LongestPairsReport longestPairsReport() {
  int32_t shortest = 0;
  for (int32_t i = 1; i < recordTable.count; i += 2) {
    int32_t len = static_cast<int32_t>(recordTable.slots[i].len);
    if (shortest == 0 || len < shortest) shortest = len;
  }
  return LongestPairsReport{offered, (recordTable.count - 1) / 2, shortest};
}
