#include "stack_counts.h"

#include "huge_pages.h"

namespace {

// Twice the most distinct positions the record table can hold, rounded up to a power of
// two, so probes stay short even when the table is full.
constexpr uint32_t kStackCountSlots = 1u << 20;

struct StackCountEntry {
  int32_t position;
  int32_t count;  // 0 marks an empty slot: a counter that exists is at least 1
};

struct StackCounts {
  StackCountEntry entries[kStackCountSlots];
};

QUELVAR_HUGE_PAGE_ALIGNED StackCounts stackCounts;
const int kHugePagesAdvised = adviseHugePages(&stackCounts, sizeof stackCounts);

constexpr uint32_t kMask = kStackCountSlots - 1;

uint32_t homeSlot(int32_t position) {
  // Fibonacci hashing: neighbouring positions land far apart.
  return (static_cast<uint32_t>(position) * 2654435769u) >> 12 & kMask;
}

// The slot holding position, or the empty slot where it would go.
uint32_t findSlot(int32_t position) {
  uint32_t slot = homeSlot(position);
  while (stackCounts.entries[slot].count != 0 && stackCounts.entries[slot].position != position)
    slot = (slot + 1) & kMask;
  return slot;
}

}  // namespace

void prefetchStackCount(int32_t position) {
#if defined(__GNUC__)
  __builtin_prefetch(&stackCounts.entries[homeSlot(position)], 1);
#else
  (void)position;
#endif
}

int32_t bumpStackCount(int32_t position) {
  StackCountEntry& entry = stackCounts.entries[findSlot(position)];
  entry.position = position;
  return ++entry.count;
}

int32_t stackCount(int32_t position) { return stackCounts.entries[findSlot(position)].count; }

void clearStackCount(int32_t position) {
  uint32_t hole = findSlot(position);
  if (stackCounts.entries[hole].count == 0) return;
  stackCounts.entries[hole].count = 0;
  // Backward-shift deletion: move later members of the probe run into the hole so that
  // lookups, which stop at the first empty slot, still find them.
  uint32_t slot = hole;
  for (;;) {
    slot = (slot + 1) & kMask;
    StackCountEntry& entry = stackCounts.entries[slot];
    if (entry.count == 0) return;
    uint32_t home = homeSlot(entry.position);
    bool reachableFromHole = ((slot - home) & kMask) >= ((slot - hole) & kMask);
    if (reachableFromHole) {
      stackCounts.entries[hole] = entry;
      entry.count = 0;
      hole = slot;
    }
  }
}
