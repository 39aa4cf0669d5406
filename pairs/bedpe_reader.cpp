#include "bedpe_reader.h"

#include "text_fields.h"

namespace {

// 0 for '+', 1 for '-', 2 for '.', -1 for anything else.
int strandCode(std::string_view strand) {
  if (strand.size() != 1) return -1;
  switch (strand[0]) {
    case '+': return 0;
    case '-': return 1;
    case '.': return 2;
    default: return -1;
  }
}

}  // namespace

bool isBedpeHeader(std::string_view line) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  line.remove_prefix(i);
  if (line[0] == '#') return true;
  std::string_view first = line.substr(0, line.find_first_of(" \t"));
  return first == "track" || first == "browser";
}

RowResult readBedpeRow(std::string_view line) {
  std::string_view f[10];
  size_t count = splitFields(line, f, 10);
  if (count == 0) return ignoreRow();
  if (f[0][0] == '#' || f[0] == "track" || f[0] == "browser") return ignoreRow();  // a header
  if (count < 6) return skipRow(SkipReason::Malformed, "expected at least 6 columns: chrom1 start1 end1 chrom2 start2 end2");

  int64_t start1 = 0, end1 = 0, start2 = 0, end2 = 0;
  if (!parseInteger(f[1], start1) || !parseInteger(f[2], end1) || !parseInteger(f[4], start2) ||
      !parseInteger(f[5], end2))
    return skipRow(SkipReason::Malformed, "a start or end is not a whole number");
  if (start1 == -1 || start2 == -1) return skipRow(SkipReason::UnknownPosition, "an end is unplaced (-1)");
  if (end1 < start1 || end2 < start2) return skipRow(SkipReason::Malformed, "an end lies before its start");

  int orientation = 0;
  if (count >= 10) {
    int s1 = strandCode(f[8]);
    int s2 = strandCode(f[9]);
    if (s1 < 0 || s2 < 0) return skipRow(SkipReason::Malformed, "a strand is not +, - or .");
    orientation = (s1 + s2 == 1) ? 1 : 0;  // one '+' and one '-'
  }

  PairRow pair{};
  pair.pos = start1;
  pair.partner = start2;
  pair.len = end1 - start1;
  pair.partnerEnd = end2;
  pair.orientation = orientation;
  pair.identity = kNoIdentity;
  pair.seq1 = f[0];
  pair.seq2 = f[3];
  pair.role = HitRole::Plain;
  return pairRow(pair);
}
