#include "trf_reader.h"

#include "text_fields.h"

namespace {


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

const char* const kTrfRowShape = "expected start, end, period, copies, ... (15 columns)";

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

TrfLine readTrfLine(std::string_view line, std::string_view& section, TrfRepeat& repeat) {
  if (trfSectionName(line, section)) return TrfLine::Section;
  std::string_view f[16];
  size_t count = splitFields(line, f, 16);
  if (count == 0) return TrfLine::Ignored;
  if (!looksLikeTrfRow(line)) {
    // The .dat file's banner, parameters and notes come between the rows.
    int64_t value = 0;
    return parseInteger(f[0], value) ? TrfLine::Malformed : TrfLine::Ignored;
  }
  parseInteger(f[0], repeat.start);
  parseInteger(f[1], repeat.end);
  parseInteger(f[2], repeat.period);
  parseHundredths(f[5], repeat.matches);
  repeat.consensus = f[13];
  return TrfLine::Repeat;
}

RowResult readTrfRow(std::string_view line, std::string_view sequence) {
  std::string_view section;
  TrfRepeat repeat;
  TrfLine kind = readTrfLine(line, section, repeat);
  if (kind == TrfLine::Malformed) return skipRow(SkipReason::Malformed, kTrfRowShape);
  if (kind != TrfLine::Repeat) return ignoreRow();
  if (repeat.matches > 10000) return skipRow(SkipReason::Malformed, "percent matches is not a number from 0 to 100");
  if (repeat.start < 1 || repeat.end < repeat.start || repeat.period < 1)
    return skipRow(SkipReason::Malformed, "start, end or period out of order");
  if (repeat.end - repeat.start + 1 - repeat.period <= 0)
    return skipRow(SkipReason::Malformed, "shorter than one period");

  PairRow pair{};
  pair.pos = repeat.start - 1;
  pair.partner = repeat.start - 1 + repeat.period;
  pair.len = repeat.end - repeat.start + 1 - repeat.period;
  pair.partnerEnd = repeat.end;
  pair.orientation = 0;
  pair.identity = percentOfHundredths(repeat.matches);
  pair.seq1 = sequence;
  pair.seq2 = sequence;
  pair.role = HitRole::Plain;
  return pairRow(pair);
}
