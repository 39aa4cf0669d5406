#include "diagonal_cut.h"

#include <algorithm>
#include <cinttypes>

#include "text_fields.h"

namespace {

// Far beyond any sequence, small enough that sums of a few cannot overflow.
constexpr int64_t kLongestOperation = int64_t{1} << 40;

bool readOperation(std::string_view cigar, size_t& at, int64_t& length, char& operation) {
  length = 0;
  size_t digits = 0;
  while (at < cigar.size() && cigar[at] >= '0' && cigar[at] <= '9') {
    length = length * 10 + (cigar[at] - '0');
    if (length > kLongestOperation) return false;
    ++at;
    ++digits;
  }
  if (digits == 0 || at == cigar.size()) return false;
  operation = cigar[at++];
  return true;
}

}  // namespace

PathCut cutDiagonal(const PairRow& hit, std::vector<PairRow>& pieces, int& stretches) {
  pieces.clear();
  stretches = 0;
  std::string_view cigar = hit.path.cigar;
  if (cigar.empty()) return PathCut::NoPath;
  int64_t q = hit.pos, t = hit.partner;
  int64_t diagonalBases = 0;
  int64_t alignedOff = 0, columnsOff = 0;  // of all the parts off the diagonal
  int64_t gap = 0;       // gap columns since the last aligned base
  bool inPart = false;   // a part off the diagonal is open
  bool onDiagonal = false;
  size_t at = 0;
  while (at < cigar.size()) {
    int64_t length = 0;
    char operation = 0;
    if (!readOperation(cigar, at, length, operation)) return PathCut::Malformed;
    if (operation == 'M' || operation == '=' || operation == 'X') {
      if (q == t) {
        if (!onDiagonal) ++stretches;
        onDiagonal = true;
        inPart = false;
        diagonalBases += length;
      } else {
        if (!inPart) {
          PairRow piece = hit;
          piece.pos = q;
          piece.partner = t;
          piece.path = AlignmentPath{};
          pieces.push_back(piece);
          gap = 0;  // the jump off the diagonal belongs to no part
        }
        pieces.back().len = q + length - pieces.back().pos;
        pieces.back().partnerEnd = t + length;
        alignedOff += length;
        columnsOff += gap + length;
        inPart = true;
        onDiagonal = false;
      }
      q += length;
      t += length;
      gap = 0;
    } else if (operation == 'I') {
      q += length;
      gap += length;
    } else if (operation == 'D' || operation == 'N') {
      t += length;
      gap += length;
    } else {
      return PathCut::Malformed;
    }
  }
  if (q != hit.pos + hit.len || t != hit.partnerEnd) return PathCut::Malformed;
  if (stretches == 0) {
    pieces.clear();
    return PathCut::Whole;
  }
  double identity = kNoIdentity;
  if (hit.path.columns > 0 && columnsOff > 0) {
    int64_t matchesOff = std::clamp<int64_t>(hit.path.matches - diagonalBases, 0, alignedOff);
    identity = percentOfHundredths(hundredthsOfRatio(matchesOff, columnsOff));
  }
  for (PairRow& piece : pieces) piece.identity = identity;
  return PathCut::Cut;
}

void printDiagonalCounts(FILE* out, const DiagonalCounts& counts) {
  if (counts.stretches > 0) {
    std::fprintf(out,
                 "quelvar-import: cut %" PRIu64 " diagonal stretch%s (a sequence aligned base for base on itself) "
                 "from %" PRIu64 " alignment%s; %" PRIu64 " part%s off the diagonal kept as pairs of their own",
                 counts.stretches, counts.stretches == 1 ? "" : "es", counts.alignments,
                 counts.alignments == 1 ? "" : "s", counts.piecesKept, counts.piecesKept == 1 ? "" : "s");
    if (counts.piecesMerged > 0)
      std::fprintf(out, ", %" PRIu64 " of them merged as mirrors", counts.piecesMerged);
    if (counts.piecesShort > 0)
      std::fprintf(out, "; %" PRIu64 " shorter than --min-length left out", counts.piecesShort);
    std::fprintf(out, "\n");
  }
  if (counts.overlapsWithoutPath > 0)
    std::fprintf(out,
                 "quelvar-import: %" PRIu64 " hit%s of a sequence on itself, with copies that overlap on one strand, "
                 "carr%s no alignment path: kept whole, though part may be the sequence aligned on itself; "
                 "minimap2 -c writes the path (cg:Z) that lets such parts be cut\n",
                 counts.overlapsWithoutPath, counts.overlapsWithoutPath == 1 ? "" : "s",
                 counts.overlapsWithoutPath == 1 ? "ies" : "y");
}
