#include "annotation_look.h"

#include <cstring>

#include "file_kinds.h"
#include "text_fields.h"
#include "trf_reader.h"

namespace {

constexpr size_t kLinesLooked = 40;
constexpr size_t kMaxFields = 16;



bool isDecimal(std::string_view text) {
  int64_t hundredths = 0;
  return parseHundredths(text, hundredths);
}

}  // namespace

// Splits at tabs only: GFF's ninth column and BED names may hold spaces.
size_t splitTabs(std::string_view line, std::string_view* fields, size_t maxFields) {
  size_t count = 0;
  size_t start = 0;
  while (start <= line.size()) {
    size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) tab = line.size();
    if (count < maxFields) fields[count] = line.substr(start, tab - start);
    ++count;
    start = tab + 1;
  }
  return count;
}

// BED is tab-separated; older files use spaces, which then cannot be inside a name.
size_t splitBed(std::string_view line, std::string_view* fields, size_t maxFields) {
  return line.find('\t') != std::string_view::npos ? splitTabs(line, fields, maxFields)
                                                   : splitFields(line, fields, maxFields);
}

// "track ..." and "browser ..." lines, not a sequence whose name starts so.
bool isBedHeader(std::string_view line) {
  for (std::string_view word : {std::string_view("track"), std::string_view("browser")})
    if (startsWith(line, word) && (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t'))
      return true;
  return false;
}

bool isStrand(std::string_view text) { return text.size() == 1 && std::strchr("+-.?", text[0]) != nullptr; }

// score, divergence, deletions, insertions, sequence, begin, end, (left), strand, repeat,
// class/family, then the positions in the repeat and an ID.
bool isGffRow(const std::string_view* f, size_t count) {
  return count >= 9 && isInteger(f[3]) && isInteger(f[4]) && isStrand(f[6]);
}

bool isGtfAttributes(std::string_view attributes) {
  return attributes.find("gene_id \"") != std::string_view::npos ||
         attributes.find("transcript_id \"") != std::string_view::npos;
}

bool isRepeatMaskerRow(const std::string_view* f, size_t count) {
  return count >= 11 && isInteger(f[0]) && isDecimal(f[1]) && isDecimal(f[2]) && isDecimal(f[3]) && isInteger(f[5]) &&
         isInteger(f[6]) && (f[8] == "+" || f[8] == "C");
}

namespace {

bool isRepeatMaskerHeader(const std::string_view* f, size_t count) {
  return count >= 3 && ((f[0] == "SW" && f[1] == "perc") || (f[0] == "score" && f[1] == "div."));
}

bool isBedRow(const std::string_view* f, size_t count) {
  if (count < 3 || !isInteger(f[1]) || !isInteger(f[2])) return false;
  // A score is a number or '.'; a strand one of + - .
  if (count >= 5 && f[4] != "." && !isDecimal(f[4]) && !isInteger(f[4])) return false;
  return count < 6 || isStrand(f[5]);
}

std::string quoted(std::string_view line) {
  char text[48];
  quoteForMessage(line, text, sizeof text);
  return text;
}

std::string notAnnotation(std::string_view path, const std::string& looks) {
  return std::string(path) + " looks like " + looks + ", not annotation";
}

}  // namespace

bool tellAnnotationFormat(std::string_view head, bool whole, std::string_view path, AnnotationFormat& format,
                          std::string& refusal) {
  ContentKind kind = contentKindOf(head);
  switch (kind) {
    case ContentKind::Xz:
    case ContentKind::Zstd:
    case ContentKind::Bzip2:
    case ContentKind::Zip:
    case ContentKind::Gzip:
    case ContentKind::Utf16: refusal = describeRefusal(kind, path); return false;
    case ContentKind::Fasta:
    case ContentKind::Fastq:
    case ContentKind::Sam:
    case ContentKind::Bam:
    case ContentKind::Vcf:
    case ContentKind::Binary: refusal = notAnnotation(path, contentKindName(kind)); return false;
    default: break;
  }
  // The last line may be cut where the head ends: it is looked at only when it is whole.
  if (!whole) {
    size_t lastNewline = head.rfind('\n');
    head = lastNewline == std::string_view::npos ? std::string_view() : head.substr(0, lastNewline + 1);
  }
  bool gffHeader = false, ngsSection = false;
  int unknownLines = 0;  // the first may name the columns
  std::string_view firstLine;
  size_t seen = 0;
  size_t at = 0;
  while (at < head.size() && seen < kLinesLooked) {
    size_t newline = head.find('\n', at);
    std::string_view line = head.substr(at, newline == std::string_view::npos ? std::string_view::npos : newline - at);
    at = newline == std::string_view::npos ? head.size() : newline + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view f[kMaxFields];
    size_t count = splitFields(line, f, kMaxFields);
    if (count == 0) continue;
    if (firstLine.empty()) firstLine = line;
    if (isTrfBanner(line) || startsWith(line, "Sequence:")) return format = AnnotationFormat::Trf, true;
    if (isRepeatMaskerHeader(f, count)) return format = AnnotationFormat::RepeatMasker, true;
    if (startsWith(line, "##gff-version")) {
      gffHeader = true;
      continue;
    }
    if (line[0] == '@') {
      ngsSection = true;
      continue;
    }
    if (line[0] == '#' || isBedHeader(line)) continue;
    ++seen;  // comments and headers may fill the look; only rows count
    if (ngsSection && looksLikeTrfRow(line)) return format = AnnotationFormat::Trf, true;
    std::string_view t[10];
    size_t tabs = splitTabs(line, t, 10);
    if (isGffRow(t, tabs)) return format = isGtfAttributes(t[8]) ? AnnotationFormat::Gtf : AnnotationFormat::Gff3, true;
    if (isRepeatMaskerRow(f, count)) return format = AnnotationFormat::RepeatMasker, true;
    InputFormat pairs = InputFormat::Unknown;
    if (detectFormat(line, pairs, firstLine.data() == line.data()) == Detection::Decided) {
      refusal = notAnnotation(path, pairKind(pairs).looks) + "; open it as the pair file, not with --annotation";
      return false;
    }
    std::string_view b[kMaxFields];
    size_t bedCount = splitBed(line, b, kMaxFields);
    if (isBedRow(b, bedCount)) return format = AnnotationFormat::Bed, true;
    if (++unknownLines == 2) break;
  }
  // Only comments (or one line longer than the look, cut) say nothing: a whole file of them
  // is an empty BED.
  if ((seen == 0 && whole) || gffHeader) {
    format = gffHeader ? AnnotationFormat::Gff3 : AnnotationFormat::Bed;
    return true;
  }
  if (looksLikeTandemTokens(head)) {
    refusal = notAnnotation(path, tandemListKind().looks) + "; open it as the pair file, not with --annotation";
    return false;
  }
  refusal = std::string(path) +
            " does not look like annotation: neither " + kindList(FileFamily::Annotation, &FileKind::help, " nor ") +
            " (first line '" +
            quoted(firstLine) + "')";
  return false;
}

