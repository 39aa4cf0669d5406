#include "trf_reader.h"

#include "text_fields.h"

namespace {

bool startsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

bool isDecimal(std::string_view text) {
  int64_t hundredths = 0;
  return parseHundredths(text, hundredths);
}

std::string_view firstWord(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::string_view();
  size_t end = text.find_first_of(" \t", start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace

bool trfSectionName(std::string_view line, std::string_view& name) {
  if (startsWith(line, "Sequence:")) {
    name = firstWord(line.substr(9));
    return true;
  }
  if (startsWith(line, "@")) {
    name = firstWord(line.substr(1));
    return true;
  }
  return false;
}

bool isTrfBanner(std::string_view line) { return line.find("Tandem Repeats Finder Program") != std::string_view::npos; }

bool looksLikeTrfRow(std::string_view line) {
  std::string_view f[16];
  size_t count = splitFields(line, f, 16);
  if (count < 15) return false;
  int64_t value = 0;
  if (!parseInteger(f[0], value) || !parseInteger(f[1], value) || !parseInteger(f[2], value)) return false;
  for (size_t i = 3; i < 13; ++i)
    if (!isDecimal(f[i])) return false;
  return true;
}

RowResult readTrfRow(std::string_view line, std::string_view sequence) {
  std::string_view f[16];
  size_t count = splitFields(line, f, 16);
  if (count == 0) return ignoreRow();
  if (!looksLikeTrfRow(line)) {
    // The .dat file's banner, parameters and notes come between the rows.
    std::string_view word = firstWord(line);
    int64_t value = 0;
    if (!parseInteger(word, value)) return ignoreRow();
    return skipRow(SkipReason::Malformed, "expected start, end, period, copies, ... (15 columns)");
  }
  int64_t start = 0, end = 0, period = 0, matches = 0;
  parseInteger(f[0], start);
  parseInteger(f[1], end);
  parseInteger(f[2], period);
  if (!parseHundredths(f[5], matches) || matches > 10000)
    return skipRow(SkipReason::Malformed, "percent matches is not a number from 0 to 100");
  if (start < 1 || end < start || period < 1) return skipRow(SkipReason::Malformed, "start, end or period out of order");
  if (end - start + 1 - period <= 0) return skipRow(SkipReason::Malformed, "shorter than one period");

  PairRow pair{};
  pair.pos = start - 1;
  pair.partner = start - 1 + period;
  pair.len = end - start + 1 - period;
  pair.partnerEnd = end;
  pair.orientation = 0;
  pair.identity = percentOfHundredths(matches);
  pair.seq1 = sequence;
  pair.seq2 = sequence;
  pair.role = HitRole::Plain;
  return pairRow(pair);
}
