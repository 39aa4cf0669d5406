#include "stack_counts.h"

#include <chrono>
#include <cstdint>
#include <random>

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

// Simple tabulation hashing with tables drawn at start-up: no list can be crafted to pile
// its positions into one probe run, since the tables are not known in advance, and linear
// probing keeps its expected constant cost under this hash. Drawn without rand(), whose
// sequence belongs to the colours.
struct HashTables {
  uint32_t byte[4][256];
};

HashTables drawHashTables() {
  HashTables tables{};
  std::random_device device;
  uint64_t seed = (uint64_t{device()} << 32) ^ device() ^
                  static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  reinterpret_cast<uintptr_t>(&tables);
  for (auto& row : tables.byte)
    for (uint32_t& entry : row) {
      uint64_t z = (seed += 0x9E3779B97F4A7C15ull);  // splitmix64
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
      entry = static_cast<uint32_t>(z ^ (z >> 31));
    }
  return tables;
}

const HashTables hashTables = drawHashTables();

uint32_t homeSlot(int32_t position) {
  uint32_t p = static_cast<uint32_t>(position);
  return (hashTables.byte[0][p & 0xFF] ^ hashTables.byte[1][(p >> 8) & 0xFF] ^ hashTables.byte[2][(p >> 16) & 0xFF] ^
          hashTables.byte[3][p >> 24]) &
         kMask;
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

int32_t longestStackCountProbe() {
  int32_t longest = 0;
  for (uint32_t slot = 0; slot < kStackCountSlots; ++slot) {
    const StackCountEntry& entry = stackCounts.entries[slot];
    if (entry.count == 0) continue;
    int32_t distance = static_cast<int32_t>((slot - homeSlot(entry.position)) & kMask);
    if (distance > longest) longest = distance;
  }
  return longest;
}
