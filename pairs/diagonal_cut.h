// minimap2 -X drops only an alignment of a region exactly onto itself: one that starts a
// little off the main diagonal and then runs along it (a tandem array, then kilobases of a
// sequence matched base for base to itself) is reported whole, and would be the tallest
// "repeat". Where the hit's path is known (PAF's cg:Z), its stretches on the diagonal (each
// base aligned to itself) are cut out and the parts off it become pairs of their own. An
// alignment offset by its period throughout, a real tandem array, never touches the
// diagonal and stays whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "pair_row.h"

enum class PathCut {
  NoPath,     // the hit carries no path
  Whole,      // its path never runs on the diagonal
  Cut,        // pieces holds the parts off the diagonal
  Malformed,  // the path cannot be read, or does not lead from the hit's starts to its ends
};

// hit: a hit of a sequence on itself, same strand. Each piece runs from its first aligned
// base to its last, with its own extents on both copies. Its identity is that of all the
// hit's parts off the diagonal together: the diagonal's bases all match, so the matches
// left over are those of the parts off it; exact when there is one part, as there usually
// is. stretches: how many runs along the diagonal were cut.
PathCut cutDiagonal(const PairRow& hit, std::vector<PairRow>& pieces, int& stretches);

// What the import cut, and what it could not look at, for its report.
struct DiagonalCounts {
  uint64_t stretches;
  uint64_t alignments;
  uint64_t piecesKept;
  uint64_t piecesShort;          // shorter than --min-length
  uint64_t piecesMerged;         // of those kept, the twins of others (mirror_index.h)
  uint64_t overlapsWithoutPath;  // hits whose copies overlap on one strand, without a path
};

// The report's lines about them, nothing when there is nothing to say.
void printDiagonalCounts(FILE* out, const DiagonalCounts& counts);
