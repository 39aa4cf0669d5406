// The bar records: one fixed table for the whole process, filled once by the loader and
// afterwards changed only in place (normalisation, zoom steps, the far-part slide).
#pragma once

#include <cstdint>

constexpr int32_t kTableSlots = 500000;

// One bar. Ten 32-bit fields in this order; files and tools print them by name.
struct TandemRecord {
  float x;            // foot of the bar along x: the position, later in units of 100,000
  float y;            // row offset: 0.1 per bar already standing at this position
  uint32_t reserved;  // never written or read
  float len;          // the pair's length, later normalised into (0, 7]
  int32_t pos;        // where this bar stands
  int32_t partner;    // the other position of the same pair
  uint32_t tag;       // the tag the loader was called with
  float r;
  float g;
  float b;
};
static_assert(sizeof(TandemRecord) == 40, "ten 32-bit fields");

// Slot 0 is never filled; the valid records are slots 1 to count - 1, appended in pairs.
struct RecordTable {
  TandemRecord slots[kTableSlots];
  int32_t count = 1;
  int32_t maxLen = 0;      // largest raw length read, stored or not
  uint32_t revision = 0;   // bumped by every in-place change, so cached geometry can rebuild
};

extern RecordTable recordTable;

// Stands a new record at pos, as the loader does: x at the position itself, y on the row
// after the bars already counted there.
void standRecordAt(TandemRecord& record, int32_t pos);

// Multiplies every record's x by factor (double precision, stored float32).
void scaleRecordsX(double factor);

// Empties the table and the stack counters, for tools and tests that load more than once.
void resetTandemData();
