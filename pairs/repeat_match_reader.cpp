#include "repeat_match_reader.h"

#include "text_fields.h"

namespace {


}  // namespace

RowResult readRepeatMatchRow(std::string_view line) {
  std::string_view fields[4];
  size_t count = splitFields(line, fields, 4);
  if (count == 0) return ignoreRow();
  if (startsWith(line, "Long Exact Matches:")) return ignoreRow();
  if (count == 3 && fields[0] == "Start1" && fields[1] == "Start2" && fields[2] == "Length") return ignoreRow();
  if (count != 3) return skipRow(SkipReason::Malformed, "expected 3 columns: Start1 Start2[r] Length");

  std::string_view start2Text = fields[1];
  bool reverse = !start2Text.empty() && start2Text.back() == 'r';
  if (reverse) start2Text.remove_suffix(1);
  int64_t start1 = 0, start2 = 0, length = 0;
  if (!parseInteger(fields[0], start1) || !parseInteger(start2Text, start2) || !parseInteger(fields[2], length))
    return skipRow(SkipReason::Malformed, "a column is not a whole number");
  if (length <= 0) return skipRow(SkipReason::OutOfRange, "length is not positive");

  PairRow pair{};
  pair.pos = start1 - 1;
  pair.partner = reverse ? start2 - length : start2 - 1;
  pair.len = length;
  pair.partnerEnd = pair.partner + length;
  pair.orientation = reverse ? 1 : 0;
  pair.identity = 100.0;  // exact matches
  pair.role = HitRole::Plain;
  return pairRow(pair);
}
