// A self-comparison (PAF, BLAST, show-coords) may report a repeat twice, once from each
// copy: A against B and B against A, on the same strand. Aligners do not always end the two
// directions on the same base, so each of the four ends may differ by kMirrorTolerance
// bases; in a tandem array hits offset by a few bases then look like twins of each other
// too. So twins are matched only once every hit is in: the closest first (an exact twin
// before any other), each hit twinned at most once, the later of the two merged into the
// earlier. Every other hit, whichever copy comes first, stays its own repeat.
//
// The index holds the kept pairs until then, in input order (pairs of other kinds that
// come after the first hit too, so the output keeps the input's order).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

constexpr int64_t kMirrorTolerance = 10;

struct HeldPair {
  int64_t startA, endA;  // 0-based, end exclusive, on their own sequences
  int64_t startB, endB;
  double identity;
  uint32_t seqA, seqB;   // the sequences of the two copies, numbered by the caller
  uint32_t next;         // the next hit held in its bucket
  uint8_t orientation;
  bool hit;              // may have a twin
  bool onGenome;         // placed among every sequence laid end to end
  bool piece;            // a part of a hit cut off the diagonal (diagonal_cut.h)
  bool merged;           // the twin of an earlier hit
};

struct MirrorIndex {
  std::unordered_map<uint64_t, uint32_t> buckets;  // bucket -> last hit held there, chained by next
  std::vector<HeldPair> held;
};

// Holds pair (next is set here) until mergeMirrors. Positions are never negative.
void holdPair(MirrorIndex& index, const HeldPair& pair);

// Marks every hit that is the closest remaining twin of an earlier hit as merged, and
// returns how many.
uint64_t mergeMirrors(MirrorIndex& index);

// About the memory the index takes for each pair held, twins included (measured: 100 to 120
// bytes a hit over a million hits), for the README and the report.
constexpr int kMirrorIndexBytesPerHit = 120;
