#include "paf_reader.h"

#include "self_hit.h"
#include "text_fields.h"

namespace {

// The value of the tag named by prefix ("cg:Z:") among the fields after the twelfth, or
// empty. One search for the prefix, not a split of every tag: lines carry a dozen tags.
std::string_view tagValue(std::string_view tags, std::string_view prefix) {
  for (size_t at = tags.find(prefix); at != std::string_view::npos; at = tags.find(prefix, at + 1)) {
    if (at > 0 && tags[at - 1] != ' ' && tags[at - 1] != '\t') continue;  // inside another field
    size_t end = tags.find_first_of(" \t", at);
    if (end == std::string_view::npos) end = tags.size();
    return tags.substr(at + prefix.size(), end - at - prefix.size());
  }
  return {};
}

}  // namespace

RowResult readPafRow(std::string_view line) {
  std::string_view f[12];
  size_t count = splitFields(line, f, 12);
  if (count == 0) return ignoreRow();
  if (count < 12) return skipRow(SkipReason::Malformed, "expected at least 12 columns");

  int64_t qlen = 0, qstart = 0, qend = 0, tlen = 0, tstart = 0, tend = 0;
  if (!parseInteger(f[1], qlen) || !parseInteger(f[2], qstart) || !parseInteger(f[3], qend) ||
      !parseInteger(f[6], tlen) || !parseInteger(f[7], tstart) || !parseInteger(f[8], tend))
    return skipRow(SkipReason::Malformed, "a length, start or end is not a whole number");
  if (f[4] != "+" && f[4] != "-") return skipRow(SkipReason::Malformed, "strand is not + or -");
  if (qend < qstart || tend < tstart) return skipRow(SkipReason::Malformed, "an end lies before its start");
  if (qend > qlen || tend > tlen) return skipRow(SkipReason::Malformed, "an end lies past its sequence");
  int64_t matches = 0, blockLength = 0;
  if (!parseInteger(f[9], matches) || !parseInteger(f[10], blockLength) || matches < 0 || blockLength < 0)
    return skipRow(SkipReason::Malformed, "matching bases or block length is not a whole number");
  if (matches > blockLength) return skipRow(SkipReason::Malformed, "more matching bases than the block has");

  PairRow pair{};
  pair.pos = qstart;
  pair.partner = tstart;
  pair.len = qend - qstart;
  pair.orientation = f[4] == "-" ? 1 : 0;
  pair.identity = blockLength > 0 ? percentOfHundredths(hundredthsOfRatio(matches, blockLength)) : kNoIdentity;
  pair.seq1 = f[0];
  pair.seq2 = f[5];
  pair.partnerEnd = tend;
  pair.seq1Length = qlen;
  pair.seq2Length = tlen;
  pair.role = selfHitRole(pair, qend, tend);
  size_t tagsAt = static_cast<size_t>(f[11].data() + f[11].size() - line.data());
  pair.path = AlignmentPath{tagValue(line.substr(tagsAt), "cg:Z:"), matches, blockLength};
  return pairRow(pair);
}
