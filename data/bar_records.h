// Every bar as its readers see it, whichever holds the pairs: a named file's store, or the
// fixed record table of the viewer started without arguments. Slots are numbered as in the
// table: pair k (from 1) is slots 2k - 1 (its first copy) and 2k (its second); the valid
// slots are 1 to barSlotEnd() - 1. Inline: the passes ask for every bar every time.
#pragma once

#include <algorithm>
#include <cstdint>

#include "axis_scale.h"
#include "pair_store.h"
#include "pair_traits.h"
#include "record_table.h"

inline bool pairStoreActive() { return pairStore.active; }

inline const StoredPair& storedPairOfSlot(int32_t slot) { return storedPair((slot - 1) / 2); }

inline int32_t barSlotEnd() {
  return pairStoreActive() ? static_cast<int32_t>(2 * pairStore.count + 1) : recordTable.count;
}

// Pairs held: (barSlotEnd() - 1) / 2.
inline int32_t barPairCount() { return (barSlotEnd() - 1) / 2; }

// The 0-based axis position where the bar stands, and where its partner stands.
inline int64_t barPosition(int32_t slot) {
  if (!pairStoreActive()) return recordTable.slots[slot].pos;
  const StoredPair& pair = storedPairOfSlot(slot);
  return slot % 2 == 1 ? pair.first : pair.second;
}
inline int64_t barPartner(int32_t slot) {
  if (!pairStoreActive()) return recordTable.slots[slot].partner;
  const StoredPair& pair = storedPairOfSlot(slot);
  return slot % 2 == 1 ? pair.second : pair.first;
}

// The pair's raw length in bases (the longer copy's).
inline int64_t barBases(int32_t slot);

// The normalised length, in (0, 7] after the load, as the table's len.
inline float barLength(int32_t slot) {
  if (!pairStoreActive()) return recordTable.slots[slot].len;
  double scaled = scaledLength(storedPairOfSlot(slot).len, pairStore.lengthFull);
  if (pairStore.lengthCapped) scaled = std::min(scaled, kFullHeight);
  return static_cast<float>(scaled);
}

// Whether the far part's slide moves this bar.
inline bool barInFarPart(int64_t position) { return position > kFarPartStart; }

// World x and y as the bar stands now: the zoom steps and the far part's slide applied. A
// stored bar's x is a double from its 64-bit position, exact far along a genome.
inline double barX(int32_t slot) {
  if (!pairStoreActive()) return recordTable.slots[slot].x;
  int64_t position = barPosition(slot);
  return static_cast<double>(position) * pairStore.xScale + (barInFarPart(position) ? pairStore.farX : 0.0);
}
inline float barY(int32_t slot) {
  if (!pairStoreActive()) return recordTable.slots[slot].y;
  const StoredPair& pair = storedPairOfSlot(slot);
  double y = pair.row[slot % 2 == 1 ? 0 : 1] / 10.0;
  return static_cast<float>(barInFarPart(barPosition(slot)) ? y + pairStore.farY : y);
}

struct BarColour {
  float r, g, b;
};

// A stored pair's colour comes from its number: the same pair, the same colour, in the
// table's steps of 1/255 below 255/255.
inline BarColour barColour(int32_t slot) {
  if (!pairStoreActive()) {
    const TandemRecord& record = recordTable.slots[slot];
    return {record.r, record.g, record.b};
  }
  uint64_t z = static_cast<uint64_t>(pairOfSlot(slot)) * 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return {static_cast<float>(z % 255) / 255.0f, static_cast<float>((z >> 21) % 255) / 255.0f,
          static_cast<float>((z >> 42) % 255) / 255.0f};
}

// The bars a zoom step or a slide of the far part rewrites: every one of the table's; none
// of the store's, whose moves are counts applied when a bar is asked for.
inline int64_t barsRewrittenByAStep() { return pairStoreActive() ? 0 : recordTable.count - 1; }

// The largest raw length read, stored or not.
inline int32_t barsMaxLen() { return pairStoreActive() ? pairStore.maxLen : recordTable.maxLen; }

// Bumped by every change to where bars stand or how tall, in either holder, and by a switch
// from one to the other.
inline uint32_t barsRevision() { return recordTable.revision; }

// Traits by pair number k (from 1).
inline uint8_t pairOrientationOf(int32_t pair) {
  return pairStoreActive() ? storedPair(pair - 1).orientation : pairTraits.orientation[pair];
}
inline uint16_t pairIdentityOf(int32_t pair) {
  return pairStoreActive() ? storedPair(pair - 1).identity : pairTraits.identity[pair];
}
inline int32_t pairDifferenceOf(int32_t pair) {
  return pairStoreActive() ? storedPair(pair - 1).difference : pairTraits.difference[pair];
}
// Whether any pair's identity is known.
bool anyPairIdentity();

inline int64_t barBases(int32_t slot) {
  if (pairStoreActive()) return storedPairOfSlot(slot).len;
  return std::llround(basesOfScaled(recordTable.slots[slot].len, recordTable.maxLen));
}

// The moves every bar makes, whichever holds them.
// Every x multiplied by factor (a zoom step).
void scaleBarsX(double factor);
// count slides of the far part by kFarSlideStep along 'x' or 'y', sign +1 or -1.
void slideFarBars(char what, int sign, int64_t count);
// Places as the load and the after-load pass left them.
void placeBarsAsLoaded();
// The after-load pass: lengths into (0, 7], x into units of 100,000 positions.
void normalizeBars();
// The lengths as loaded, kept so that scaleBarLengths can start from them again (the table
// scales its lengths in place; the store keeps them as read). Once, before any scaling.
void keepLoadedLengths();
// Lengths scaled from the loaded ones so that full bases stand kFullHeight, longer ones
// capped there; full 0: the list's longest, uncapped, as the after-load pass scales them.
void scaleBarLengths(int64_t full);
