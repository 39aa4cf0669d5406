#include "blast_reader.h"

#include <algorithm>

#include "self_hit.h"
#include "text_fields.h"

namespace {


// evalue and bitscore: "0.0", "1e-50", "3.2e+02", "1393", "54.7".
bool isScore(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+')) return false;
  return true;
}

}  // namespace

bool isBlastBanner(std::string_view line) {
  if (line.substr(0, 2) != "# ") return false;
  std::string_view word = line.substr(2, line.find_first_of(" \t", 2) - 2);
  return word.find("BLAST") != std::string_view::npos;  // BLASTN, TBLASTX, ...
}

bool looksLikeBlastRow(const std::string_view* f, size_t count) {
  int64_t identity = 0;
  if (count < 12 || !parseHundredths(f[2], identity)) return false;
  for (int i = 3; i <= 9; ++i)
    if (!isInteger(f[i])) return false;
  return isScore(f[10]) && isScore(f[11]);
}

RowResult readBlastRow(std::string_view line) {
  std::string_view f[12];
  size_t count = splitFields(line, f, 12);
  if (count == 0 || f[0][0] == '#') return ignoreRow();
  if (count < 12) return skipRow(SkipReason::Malformed, "expected at least 12 columns (-outfmt 6)");

  int64_t qstart = 0, qend = 0, sstart = 0, send = 0, identity = 0;
  if (!parseInteger(f[6], qstart) || !parseInteger(f[7], qend) || !parseInteger(f[8], sstart) ||
      !parseInteger(f[9], send))
    return skipRow(SkipReason::Malformed, "a start or end is not a whole number");
  if (!parseHundredths(f[2], identity) || identity > 10000)
    return skipRow(SkipReason::Malformed, "% identity is not a number from 0 to 100");

  // blastn's query is always forward; translated searches may give it backwards too.
  int64_t qlow = std::min(qstart, qend), qhigh = std::max(qstart, qend);
  int64_t slow = std::min(sstart, send), shigh = std::max(sstart, send);
  PairRow pair{};
  pair.pos = qlow - 1;
  pair.partner = slow - 1;
  pair.len = qhigh - qlow + 1;
  pair.partnerEnd = shigh;
  pair.orientation = (qstart > qend) != (sstart > send) ? 1 : 0;
  pair.identity = percentOfHundredths(identity);
  pair.seq1 = f[0];
  pair.seq2 = f[1];
  pair.role = selfHitRole(pair, qhigh, shigh);
  return pairRow(pair);
}
