// What the viewer tells about one bar's pair, in bases: for the HUD line and the line a
// click prints. Reads the record table and the pair traits; no GL.
#pragma once

#include <cstddef>
#include <cstdint>

#include "axis_scale.h"  // positionsPerUnit, for the passes that place by position

struct PairFacts {
  int64_t position;  // where the bar stands
  int64_t partner;   // where its partner stands
  int64_t length;    // raw length in bases (the table recovers it from the normalised one): the longer copy's
  uint8_t orientation;
  uint16_t identity;
  int64_t copyLength;     // the bar's own copy, from position
  int64_t partnerLength;  // the partner's copy, from partner
};

// The slot of the other bar of the same pair.
inline int32_t partnerSlot(int32_t slot) { return slot % 2 == 1 ? slot + 1 : slot - 1; }

// False when the slot holds no record. Valid after the records are normalised.
bool describePair(int32_t slot, PairFacts& out);

// "12,414,032–12,414,105 ↔ 12,414,152–12,414,225 · 74 bp · inverted · 99.1%" (UTF-8): each
// copy's first and last base, both copies' lengths when they differ ("2,000 ↔ 1,990 bp"),
// strand and identity only when known; with named sequences each copy as
// "NODE_18:12,345–12,418".
void formatPairLine(const PairFacts& facts, char* out, size_t room);

// "pair\t12414032\t12414152\t74\t1\t99.10\t12414105\t12414225", for copying: the
// strand as 0 or 1 ("." when unknown), the identity ("." when unknown), each copy's last
// base. With named sequences each copy's sequence, 1-based start and end there follow.
void formatPairRecord(const PairFacts& facts, char* out, size_t room);

// A normalised length in bases of the raw lengths, the list's longest standing kFullHeight.
double basesOfNormalisedLength(double normalised);
