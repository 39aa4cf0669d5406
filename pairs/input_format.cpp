#include "input_format.h"

#include "bedpe_reader.h"
#include "blast_reader.h"
#include "coords_reader.h"
#include "paf_reader.h"
#include "repeat_match_reader.h"
#include "trf_reader.h"
#include "text_fields.h"

namespace {

bool isNumber(std::string_view text) {
  int64_t value = 0;
  return parseInteger(text, value);
}

}  // namespace

const char* const kFormatNames = "repeat-match, bedpe, paf, blast6, coords or trf";

const char* formatName(InputFormat format) {
  switch (format) {
    case InputFormat::RepeatMatch: return "repeat-match";
    case InputFormat::Bedpe: return "bedpe";
    case InputFormat::Paf: return "paf";
    case InputFormat::Blast: return "blast6";
    case InputFormat::Coords: return "coords";
    case InputFormat::Trf: return "trf";
    case InputFormat::Unknown: break;
  }
  return "unknown";
}

InputFormat formatNamed(std::string_view name) {
  if (name == "repeat-match") return InputFormat::RepeatMatch;
  if (name == "bedpe") return InputFormat::Bedpe;
  if (name == "paf") return InputFormat::Paf;
  if (name == "blast6") return InputFormat::Blast;
  if (name == "coords") return InputFormat::Coords;
  if (name == "trf") return InputFormat::Trf;
  return InputFormat::Unknown;
}

Detection detectFormat(std::string_view line, InputFormat& format, bool firstLine) {
  if (line.substr(0, 19) == "Long Exact Matches:") {
    format = InputFormat::RepeatMatch;
    return Detection::Decided;
  }
  if (isBlastBanner(line)) {
    format = InputFormat::Blast;
    return Detection::Decided;
  }
  if (isCoordsHeader(line)) {
    format = InputFormat::Coords;
    return Detection::Decided;
  }
  if (isTrfBanner(line)) {
    format = InputFormat::Trf;
    return Detection::Decided;
  }
  if (isBedpeHeader(line)) return Detection::LookFurther;
  std::string_view f[14];
  size_t count = splitFields(line, f, 14);
  if (count == 0) return Detection::LookFurther;
  if (line[0] == '>') return Detection::CannotTell;  // a FASTA record, whatever words follow its name
  if (count == 2 && firstLine && !isNumber(f[0])) return Detection::LookFurther;
  // TRF -ngs names each sequence on an "@NAME" line before its rows (as FASTQ names a read).
  // Its header's description words follow the name: "@NC_011333.1 Helicobacter pylori G27".
  if (line[0] == '@') return Detection::LookFurther;
  if (looksLikeTrfRow(line)) {
    format = InputFormat::Trf;
    return Detection::Decided;
  }
  if (count >= 12 && isNumber(f[1]) && isNumber(f[2]) && isNumber(f[3]) && (f[4] == "+" || f[4] == "-")) {
    format = InputFormat::Paf;
    return Detection::Decided;
  }
  if (looksLikeCoordsRow(f, count)) {
    format = InputFormat::Coords;
    return Detection::Decided;
  }
  if (looksLikeBlastRow(f, count)) {
    format = InputFormat::Blast;
    return Detection::Decided;
  }
  if (count >= 6 && isNumber(f[1]) && isNumber(f[2]) && isNumber(f[4]) && isNumber(f[5])) {
    format = InputFormat::Bedpe;
    return Detection::Decided;
  }
  return Detection::CannotTell;
}

RowResult readRow(InputFormat format, std::string_view line) {
  switch (format) {
    case InputFormat::RepeatMatch: return readRepeatMatchRow(line);
    case InputFormat::Bedpe: return readBedpeRow(line);
    case InputFormat::Paf: return readPafRow(line);
    case InputFormat::Blast: return readBlastRow(line);
    case InputFormat::Coords: return readCoordsRow(line);
    case InputFormat::Trf: return readTrfRow(line, std::string_view());
    case InputFormat::Unknown: break;
  }
  return skipRow(SkipReason::Malformed, "format unknown");
}
