// A genome cut into windows of W bases, each sketched for identity tiles: the canonical
// k-mers (k = 21) whose hash falls below one threshold (FracMinHash, so the sketches of two
// windows sample their k-mer sets alike and their shared hashes sample the shared k-mers),
// with the strands each was seen on. The threshold keeps about kSketchTarget hashes a full
// window. Only the sketches are kept, never the bases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "canonical_kmers.h"

constexpr int kTileK = kKmerLength;
constexpr int kSketchTarget = 200;

// Strand bits of a sketched k-mer: as written, reverse complemented, or both.
constexpr uint8_t kSeenForward = 1;
constexpr uint8_t kSeenReverse = 2;

struct TileWindow {
  uint32_t sequence;  // index in the FASTA
  int64_t start;      // 0-based in its sequence
  int32_t length;     // W, or less for a sequence's last window
  uint32_t begin;     // its sketch: hashes[begin, end), sorted
  uint32_t end;
};

struct WindowSketches {
  int64_t window = 0;      // W
  uint64_t threshold = 0;  // a k-mer is kept when its hash is below this
  std::vector<TileWindow> windows;
  std::vector<uint64_t> hashes;
  std::vector<uint8_t> strands;  // beside hashes
};

// Sketches the bases fed in file order. wanted(sequence) says whether a record is tiled
// (--chrom keeps one); a window of a record passed over is not made.
struct Sketcher {
  WindowSketches* out;
  bool wanted = true;
  size_t record = SIZE_MAX;
  int64_t position = 0;  // in the record
  KmerRoll roll;
  std::vector<uint64_t> pending;  // this window's kept hashes, strand in the low two bits
};

void startSketches(Sketcher& sketcher, WindowSketches& out, int64_t window);
// record: the record's index; wanted: whether it is tiled (asked once a record).
void sketchBase(Sketcher& sketcher, size_t record, bool wanted, char base);
// Closes the last window.
void finishSketches(Sketcher& sketcher);
