#include "input_format.h"

#include "bedpe_reader.h"
#include "file_kinds.h"
#include "text_fields.h"

namespace {

bool isNumber(std::string_view text) {
  int64_t value = 0;
  return parseInteger(text, value);
}

const std::string formatNames = kindList(FileFamily::Pairs, &FileKind::name, " or ");

}  // namespace

const char* const kFormatNames = formatNames.c_str();

const char* formatName(InputFormat format) {
  return format == InputFormat::Unknown ? "unknown" : pairKind(format).name;
}

InputFormat formatNamed(std::string_view name) {
  for (size_t i = 0; i < kFileKindCount; ++i)
    if (kFileKinds[i].family == FileFamily::Pairs && kFileKinds[i].format != kTandemListFormat &&
        name == kFileKinds[i].name)
      return static_cast<InputFormat>(kFileKinds[i].format);
  return InputFormat::Unknown;
}

Detection detectFormat(std::string_view line, InputFormat& format, bool firstLine) {
  for (size_t i = 0; i < kFileKindCount; ++i) {
    const FileKind& kind = kFileKinds[i];
    if (kind.family == FileFamily::Pairs && kind.header != nullptr && kind.header(line)) {
      format = static_cast<InputFormat>(kind.format);
      return Detection::Decided;
    }
  }
  if (isBedpeHeader(line)) return Detection::LookFurther;
  std::string_view f[16];
  size_t count = splitFields(line, f, 16);
  if (count == 0) return Detection::LookFurther;
  if (line[0] == '>') return Detection::CannotTell;  // a FASTA record, whatever words follow its name
  if (count == 2 && firstLine && !isNumber(f[0])) return Detection::LookFurther;
  // TRF -ngs names each sequence on an "@NAME" line before its rows (as FASTQ names a read).
  // Its header's description words follow the name: "@NC_011333.1 Helicobacter pylori G27".
  if (line[0] == '@') return Detection::LookFurther;
  const FileKind* told = nullptr;
  for (size_t i = 0; i < kFileKindCount; ++i) {
    const FileKind& kind = kFileKinds[i];
    if (kind.family == FileFamily::Pairs && kind.row != nullptr && (told == nullptr || kind.rowRank < told->rowRank) &&
        kind.row(line, f, count))
      told = &kind;
  }
  if (told == nullptr) return Detection::CannotTell;
  format = static_cast<InputFormat>(told->format);
  return Detection::Decided;
}

RowResult readRow(InputFormat format, std::string_view line) {
  if (format == InputFormat::Unknown) return skipRow(SkipReason::Malformed, "format unknown");
  return pairKind(format).read(line);
}
