// What the viewer tells about one bar's pair, in bases: for the HUD line and the line a
// click prints. Reads the record table and the pair traits; no GL.
#pragma once

#include <cstddef>
#include <cstdint>

struct PairFacts {
  int32_t position;  // where the bar stands
  int32_t partner;   // where its partner stands
  int64_t length;    // raw length in bases, recovered from the normalised one
  uint8_t orientation;
  uint16_t identity;
};

// The slot of the other bar of the same pair.
inline int32_t partnerSlot(int32_t slot) { return slot % 2 == 1 ? slot + 1 : slot - 1; }

// False when the slot holds no record. Valid after the records are normalised.
bool describePair(int32_t slot, PairFacts& out);

// "12,414,032 ↔ 12,414,152 · 74 bp · inverted · 99.1%" (UTF-8); strand and identity only
// when known; with named sequences each end as "NODE_18:12,345".
void formatPairLine(const PairFacts& facts, char* out, size_t room);

// "pair\t12414032\t12414152\t74\t1\t99.10", for copying: the strand as 0 or 1 ("." when
// unknown), the identity only when known. With named sequences the identity is always
// there ("." when unknown), then each end's sequence and 1-based position there.
void formatPairRecord(const PairFacts& facts, char* out, size_t room);

// A normalised length in bases of the raw lengths: normalised × maxLen / 7.
double basesOfNormalisedLength(double normalised);

// Positions per unit along x after this many zoom steps (each scaled x by 0.9).
double positionsPerUnit(int32_t zoomSteps);
