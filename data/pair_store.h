// The pairs of a named file (or FASTA), held compactly and without a fixed limit: both
// copies' 64-bit positions, the longer copy's length, the copy difference, strand, identity
// and each bar's row. Colours are derived from the pair's number, not stored. The viewer
// started without arguments never fills it and keeps the fixed record table.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One pair: 32 bytes.
struct StoredPair {
  int64_t first;       // 0-based axis position of the first copy
  int64_t second;      // of the partner copy
  int32_t len;         // the longer copy's length
  int32_t difference;  // as copyDifference keeps the sixth field
  uint16_t identity;   // hundredths of a percent, or kIdentityUnknown
  uint16_t row[2];     // each bar's place in the row at its position, from 1 (saturating)
  uint8_t orientation;
  uint8_t unused;
};
static_assert(sizeof(StoredPair) == 32, "a pair in 32 bytes");

constexpr int kStoreChunkBits = 16;  // grown a chunk at a time, so nothing is copied as it grows
constexpr int64_t kStoreChunkPairs = int64_t{1} << kStoreChunkBits;

// Slots are numbered as the table's, in int32: at most this many pairs.
constexpr int64_t kStoreSlotPairs = (INT32_MAX - 1) / 2;

struct PairStore {
  std::vector<std::unique_ptr<StoredPair[]>> chunks;
  int64_t count = 0;   // pairs held
  int32_t maxLen = 0;  // largest length read, held or not
  int64_t withIdentity = 0;  // pairs whose identity is known, counted when the load ends
  bool active = false;  // every change bumps recordTable.revision: one count for either holder
  // Where the bars stand now, applied when a bar is asked for, never written into the pairs:
  double xScale = 0;       // x per position: the load's scale times a zoom factor a step
  double farX = 0;         // the far part's slide
  double farY = 0;
  double lengthFull = 0;   // bases standing kFullHeight
  bool lengthCapped = false;  // a length past lengthFull stands kFullHeight
};

extern PairStore pairStore;

inline StoredPair& storedPair(int64_t index) {
  return pairStore.chunks[static_cast<size_t>(index >> kStoreChunkBits)][static_cast<size_t>(index & (kStoreChunkPairs - 1))];
}

// Empties the store and makes it the one that holds the pairs, keeping at most maxPairs
// (the longest when more come).
void startPairStore(int64_t maxPairs);

// Offers one pair (its length above 10), in file order.
void addStorePair(int64_t first, int64_t second, int32_t len, uint8_t orientation, uint16_t identity,
                  int32_t difference);

// Ends the load: the pairs kept back in file order, each bar's row counted, places and
// lengths as the after-load pass leaves them.
void finishPairStore();

// What the bound did; offered counts every pair longer than 10.
struct StoreBoundReport {
  int64_t offered;
  int64_t kept;
  int32_t shortestKept;
  bool bounded;  // some pair was dropped; shortestKept is 0 unless
};
StoreBoundReport pairStoreBoundReport();

// Places and lengths as the load left them.
void placeStoreAsLoaded();

// Forgets every pair and gives the bars back to the record table.
void resetPairStore();
