#include "coords_reader.h"

#include <algorithm>

#include "self_hit.h"
#include "text_fields.h"

namespace {

constexpr size_t kMostFields = 32;

// The fields without the table's "|" separators.
size_t columnsOf(std::string_view line, std::string_view* columns, size_t maxColumns) {
  std::string_view fields[kMostFields];
  size_t count = std::min(splitFields(line, fields, kMostFields), kMostFields);
  size_t n = 0;
  for (size_t i = 0; i < count && n < maxColumns; ++i)
    if (fields[i] != "|") columns[n++] = fields[i];
  return n;
}

bool sixNumbersAndIdentity(const std::string_view* c, size_t count) {
  if (count < 9) return false;
  int64_t value = 0;
  for (int i = 0; i < 6; ++i)
    if (!parseInteger(c[i], value)) return false;
  return c[6].find('.') != std::string_view::npos && parseHundredths(c[6], value);
}

}  // namespace

bool isCoordsHeader(std::string_view line) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  line.remove_prefix(i);
  return line == "NUCMER" || line == "PROMER" || line.substr(0, 4) == "[S1]" || line.substr(0, 4) == "====";
}

bool looksLikeCoordsRow(const std::string_view* fields, size_t count) {
  if (count >= 13 && fields[2] == "|" && fields[5] == "|") return true;  // the default table
  return sixNumbersAndIdentity(fields, count);                           // -T
}

RowResult readCoordsRow(std::string_view line) {
  std::string_view c[kMostFields];
  size_t count = columnsOf(line, c, kMostFields);
  if (count == 0 || isCoordsHeader(line)) return ignoreRow();
  if (count > 9 && c[count - 1].front() == '[') --count;  // -o's annotation follows the tags
  int64_t value = 0;
  // The first line names the two FASTA files.
  if (count == 2 && !parseInteger(c[0], value)) return ignoreRow();
  if (count < 9) return skipRow(SkipReason::Malformed, "expected S1 E1 S2 E2 LEN1 LEN2 %IDY and two tags");

  int64_t s1 = 0, e1 = 0, s2 = 0, e2 = 0, len1 = 0, len2 = 0, identity = 0;
  if (!parseInteger(c[0], s1) || !parseInteger(c[1], e1) || !parseInteger(c[2], s2) || !parseInteger(c[3], e2) ||
      !parseInteger(c[4], len1) || !parseInteger(c[5], len2))
    return skipRow(SkipReason::Malformed, "a start, end or length is not a whole number");
  if (!parseHundredths(c[6], identity) || identity > 10000)
    return skipRow(SkipReason::Malformed, "% IDY is not a number from 0 to 100");
  if (e1 < s1 || len1 != e1 - s1 + 1) return skipRow(SkipReason::Malformed, "LEN 1 is not E1 - S1 + 1");

  PairRow pair{};
  pair.pos = s1 - 1;
  pair.partner = std::min(s2, e2) - 1;
  pair.len = len1;
  pair.partnerEnd = std::max(s2, e2);
  pair.orientation = e2 < s2 ? 1 : 0;
  pair.identity = percentOfHundredths(identity);
  pair.seq1 = c[count - 2];
  pair.seq2 = c[count - 1];
  pair.role = selfHitRole(pair, e1, pair.partnerEnd);
  return pairRow(pair);
}
