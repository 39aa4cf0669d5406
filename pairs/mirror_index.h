// A self-comparison (PAF, BLAST, show-coords) may report a repeat twice, once from each
// copy: A against B and B against A, on the same strand. The index remembers every hit kept
// and tells a hit that is such a twin of one already kept, so that it is merged, while any
// other hit, whichever copy comes first, stays its own repeat. Aligners do not always end
// the two directions on the same base, so each of the four ends may differ by
// kMirrorTolerance bases.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

constexpr int64_t kMirrorTolerance = 10;

struct HitEnds {
  uint32_t seqA, seqB;    // the sequences of the two copies, numbered by the caller
  int64_t startA, endA;   // 0-based, end exclusive
  int64_t startB, endB;
  int orientation;
};

struct MirrorIndex {
  struct Held {
    int64_t startA, endA, startB, endB;
    uint32_t seqA, seqB;
    uint8_t orientation;
    bool merged;  // its twin has come: a third report is a repeat of its own
    uint32_t next;
  };
  std::unordered_map<uint64_t, uint32_t> buckets;  // bucket -> first held hit, chained by next
  std::vector<Held> held;
};

// True when hit is the twin of a hit kept before (it is then merged into it); otherwise
// the hit is remembered as kept and false is returned. Positions are never negative.
bool mergeMirror(MirrorIndex& index, const HitEnds& hit);

// About the memory the index takes for each hit kept, for the README and the report.
constexpr int kMirrorIndexBytesPerHit = 80;
