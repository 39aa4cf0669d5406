// A self-comparison (PAF, BLAST, show-coords) may report a repeat twice, once from each
// copy: A against B and B against A, on the same strand. Aligners do not always end the two
// directions on the same base, so each of the four ends may differ by kMirrorTolerance
// bases; in a tandem array hits offset by a few bases then look like twins of each other
// too. So twins are matched only once every hit is in: the closest first (an exact twin
// before any other), each hit twinned at most once, the later of the two merged into the
// earlier. Every other hit, whichever copy comes first, stays its own repeat.
//
// The hits themselves wait in the import's spool (pair_spool.h); the index keeps only what
// matching needs, 24 bytes a hit in chunks that never move (32 for the few whose copies are
// 65,536 bases or longer, or whose sequences number past 16,777,215), and matches by sorting
// each chunk and merging them, not by a table of every hit.
#pragma once

#include <cstdint>
#include <vector>

#include "pair_spool.h"

constexpr int64_t kMirrorTolerance = 10;

// Each hit's two copies packed: the copy with the lower (sequence, start) first, starts
// and ends in 39 bits (the import keeps positions within kLongestAxis).
struct MirrorEntry {
  uint64_t words[4];
};
// The same for a hit of short copies on sequences numbered in 24 bits: spans in 16 bits.
struct CompactMirrorEntry {
  uint64_t words[3];
};

struct MirrorIndex {
  std::vector<std::vector<CompactMirrorEntry>> chunks;
  std::vector<MirrorEntry> outsized;
  std::vector<bool> merged;  // by the spool's pair number, once matched
};

// Notes a hit that is the spool's pair number (0-based).
void indexHit(MirrorIndex& index, const SpooledPair& hit, uint64_t number);

// Marks every hit that is the closest remaining twin of an earlier hit as merged (index.merged,
// sized for pairs pairs held) and returns how many; the hits' entries are freed.
uint64_t mergeMirrors(MirrorIndex& index, uint64_t pairs);

inline bool mirrorMerged(const MirrorIndex& index, uint64_t number) {
  return number < index.merged.size() && index.merged[number];
}

// The index's memory for each hit held, for the README and the report.
constexpr int kMirrorIndexBytesPerHit = static_cast<int>(sizeof(CompactMirrorEntry));
