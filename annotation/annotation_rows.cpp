#include "annotation_rows.h"

#include <cstring>

#include "file_kinds.h"
#include "text_fields.h"
#include "trf_reader.h"

namespace {

constexpr size_t kMaxFields = 16;
// A TRF consensus longer than this is named by its period instead.
constexpr size_t kLongestConsensusName = 24;



// The value of key in GFF3 attributes (key=value;key=value).
bool gff3Attribute(std::string_view attributes, std::string_view key, std::string_view& value) {
  size_t start = 0;
  while (start < attributes.size()) {
    size_t end = attributes.find(';', start);
    if (end == std::string_view::npos) end = attributes.size();
    std::string_view item = attributes.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    if (item.size() > key.size() && startsWith(item, key) && item[key.size()] == '=') {
      value = item.substr(key.size() + 1);
      return true;
    }
    start = end + 1;
  }
  return false;
}

// The value of key in GTF attributes (key "value"; key "value";).
bool gtfAttribute(std::string_view attributes, std::string_view key, std::string_view& value) {
  size_t start = 0;
  while (start < attributes.size()) {
    size_t end = attributes.find(';', start);
    if (end == std::string_view::npos) end = attributes.size();
    std::string_view item = attributes.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    if (item.size() > key.size() && startsWith(item, key) && item[key.size()] == ' ') {
      value = item.substr(key.size() + 1);
      while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
      return true;
    }
    start = end + 1;
  }
  return false;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// GFF3 escapes ; = & , and others as %XX.
std::string_view decodeEscapes(std::string_view value, std::string& out) {
  if (value.find('%') == std::string_view::npos) return value;
  out.clear();
  for (size_t i = 0; i < value.size(); ++i) {
    int high = 0, low = 0;
    if (value[i] == '%' && i + 2 < value.size() && (high = hexDigit(value[i + 1])) >= 0 &&
        (low = hexDigit(value[i + 2])) >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += value[i];
    }
  }
  return out;
}

// A track line's name="..." or name=word.
void readTrackName(std::string_view line, std::string& name) {
  size_t at = line.find(" name=");
  if (at == std::string_view::npos) at = line.find("\tname=");
  if (at == std::string_view::npos) return;
  std::string_view rest = line.substr(at + 6);
  if (!rest.empty() && rest.front() == '"') {
    size_t close = rest.find('"', 1);
    name = std::string(rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  } else {
    name = std::string(rest.substr(0, rest.find_first_of(" \t")));
  }
}

FeatureRowKind readBed(std::string_view line, RowContext& context, FeatureRow& row, const char*& why) {
  if (line.empty() || line[0] == '#') return FeatureRowKind::Ignored;
  if (isBedHeader(line)) {
    if (startsWith(line, "track")) readTrackName(line, context.trackName);
    return FeatureRowKind::Ignored;
  }
  std::string_view f[kMaxFields];
  size_t count = splitBed(line, f, kMaxFields);
  int64_t start = 0, end = 0, thick = 0;
  if (count < 3 || !parseInteger(f[1], start) || !parseInteger(f[2], end)) {
    why = "expected sequence, start and end (BED)";
    return FeatureRowKind::Malformed;
  }
  if (start < 0 || end < start) {
    why = "start and end out of order";
    return FeatureRowKind::Malformed;
  }
  if (count >= 6 && !isStrand(f[5])) {
    why = "the strand (column 6) is none of + - .";
    return FeatureRowKind::Malformed;
  }
  if ((count >= 7 && !parseInteger(f[6], thick)) || (count >= 8 && !parseInteger(f[7], thick))) {
    why = "thickStart and thickEnd (columns 7 and 8) are no numbers";
    return FeatureRowKind::Malformed;
  }
  row.sequence = f[0];
  row.start = start;
  row.end = end;
  row.name = count >= 4 ? f[3] : std::string_view();
  row.featureClass = context.trackName.empty() ? std::string_view("feature") : std::string_view(context.trackName);
  row.strand = count >= 6 && f[5][0] != '?' ? f[5][0] : '.';
  return FeatureRowKind::Feature;
}

FeatureRowKind readGff(AnnotationFormat format, std::string_view line, RowContext& context, FeatureRow& row,
                       const char*& why) {
  if (context.ended) return FeatureRowKind::Ignored;
  if (startsWith(line, "##FASTA") || startsWith(line, ">")) {
    context.ended = true;
    return FeatureRowKind::Ignored;
  }
  if (line.empty() || line[0] == '#') return FeatureRowKind::Ignored;
  std::string_view f[10];
  size_t count = splitTabs(line, f, 10);
  if (count == 1 && line.find_first_not_of(" \t") == std::string_view::npos) return FeatureRowKind::Ignored;
  int64_t start = 0, end = 0;
  if (count < 9 || !parseInteger(f[3], start) || !parseInteger(f[4], end) || !isStrand(f[6])) {
    why = "expected 9 tab-separated columns: sequence, source, type, start, end, score, strand, phase, attributes";
    return FeatureRowKind::Malformed;
  }
  if (start < 1 || end < start) {
    why = "start and end out of order (1-based, inclusive)";
    return FeatureRowKind::Malformed;
  }
  std::string_view name;
  if (format == AnnotationFormat::Gff3) {
    if (gff3Attribute(f[8], "Name", name) || gff3Attribute(f[8], "ID", name) ||
        gff3Attribute(f[8], "gene_name", name) || gff3Attribute(f[8], "gene_id", name))
      name = decodeEscapes(name, context.decoded);
  } else {
    if (!gtfAttribute(f[8], "gene_name", name) && !gtfAttribute(f[8], "gene_id", name)) name = std::string_view();
  }
  row.sequence = f[0];
  row.start = start - 1;
  row.end = end;
  row.name = name;
  row.featureClass = f[2];
  row.strand = f[6][0] == '?' ? '.' : f[6][0];
  return FeatureRowKind::Feature;
}

FeatureRowKind readRepeatMasker(std::string_view line, FeatureRow& row, const char*& why) {
  std::string_view f[kMaxFields];
  size_t count = splitFields(line, f, kMaxFields);
  // The header, blank lines and "There were no repetitive sequences detected"; any other
  // line is a row, so a row whose score is no number is counted, not passed over.
  if (count == 0 || f[0] == "SW" || f[0] == "score" || f[0] == "There") return FeatureRowKind::Ignored;
  if (!isInteger(f[0])) {
    why = "the score is not a whole number";
    return FeatureRowKind::Malformed;
  }
  int64_t begin = 0, end = 0;
  if (!isRepeatMaskerRow(f, count) || !parseInteger(f[5], begin) || !parseInteger(f[6], end)) {
    why =
        "expected score, divergence, deletions, insertions, sequence, begin, end, (left), strand (+ or C), repeat, "
        "class/family";
    return FeatureRowKind::Malformed;
  }
  if (begin < 1 || end < begin) {
    why = "begin and end out of order (1-based, inclusive)";
    return FeatureRowKind::Malformed;
  }
  std::string_view family = f[10];
  row.sequence = f[4];
  row.start = begin - 1;
  row.end = end;
  row.name = f[9];
  row.featureClass = family.substr(0, family.find('/'));
  row.strand = f[8] == "C" ? '-' : '+';
  return FeatureRowKind::Feature;
}

FeatureRowKind readTrf(std::string_view line, RowContext& context, FeatureRow& row, const char*& why) {
  std::string_view section;
  TrfRepeat repeat;
  switch (readTrfLine(line, section, repeat)) {
    case TrfLine::Section: context.sequence = std::string(section); return FeatureRowKind::Ignored;
    case TrfLine::Ignored: return FeatureRowKind::Ignored;
    case TrfLine::Malformed: why = kTrfRowShape; return FeatureRowKind::Malformed;
    case TrfLine::Repeat: break;
  }
  if (context.sequence.empty()) {
    why = "a repeat before any \"Sequence: NAME\" line";
    return FeatureRowKind::Malformed;
  }
  if (repeat.start < 1 || repeat.end < repeat.start) {
    why = "start and end out of order (1-based, inclusive)";
    return FeatureRowKind::Malformed;
  }
  if (repeat.consensus.size() <= kLongestConsensusName)
    context.made = "(" + std::string(repeat.consensus) + ")n";
  else
    context.made = "period " + std::to_string(repeat.period);
  row.sequence = context.sequence;
  row.start = repeat.start - 1;
  row.end = repeat.end;
  row.name = context.made;
  row.featureClass = "tandem repeat";
  row.strand = '.';
  return FeatureRowKind::Feature;
}

}  // namespace

const char* annotationFormatName(AnnotationFormat format) { return annotationKind(format).name; }

FeatureRowKind readAnnotationRow(AnnotationFormat format, std::string_view line, RowContext& context, FeatureRow& row,
                                 const char*& why) {
  switch (format) {
    case AnnotationFormat::Bed: return readBed(line, context, row, why);
    case AnnotationFormat::Gff3:
    case AnnotationFormat::Gtf: return readGff(format, line, context, row, why);
    case AnnotationFormat::RepeatMasker: return readRepeatMasker(line, row, why);
    case AnnotationFormat::Trf: return readTrf(line, context, row, why);
  }
  return FeatureRowKind::Ignored;
}
