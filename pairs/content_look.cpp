#include "content_look.h"


#include "annotation_look.h"
#include "file_kinds.h"
#include "text_fields.h"

namespace {

constexpr size_t kLinesLooked = 40;


bool isNumber(std::string_view text) {
  int64_t value = 0;
  return parseInteger(text, value);
}

std::string_view withoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The head's lines; the last one may be cut where the head ends.
struct Lines {
  std::string_view rest;
  bool next(std::string_view& line) {
    if (rest.empty()) return false;
    size_t end = rest.find('\n');
    line = withoutCarriageReturn(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return true;
  }
};

// Magic numbers of compressed and binary files, and text in another encoding.
ContentKind kindOfBytes(std::string_view head) {
  auto byte = [&](size_t i) { return i < head.size() ? static_cast<unsigned char>(head[i]) : 0x100u; };
  if (startsWith(head, std::string_view("\xFD" "7zXZ\0", 6))) return ContentKind::Xz;
  if (byte(0) == 0x28 && byte(1) == 0xB5 && byte(2) == 0x2F && byte(3) == 0xFD) return ContentKind::Zstd;
  if (startsWith(head, "BZh") && byte(3) >= '1' && byte(3) <= '9') return ContentKind::Bzip2;
  if (startsWith(head, "PK\x03\x04")) return ContentKind::Zip;
  if (byte(0) == 0x1F && byte(1) == 0x8B) return ContentKind::Gzip;
  if (startsWith(head, std::string_view("BAM\1", 4))) return ContentKind::Bam;
  if ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)) return ContentKind::Utf16;
  // UTF-16 without a byte-order mark: ASCII text with a NUL beside every character.
  size_t look = head.size() < 4096 ? head.size() : 4096;
  size_t nulsEven = 0, nulsOdd = 0, controls = 0;
  for (size_t i = 0; i < look; ++i) {
    unsigned char c = static_cast<unsigned char>(head[i]);
    if (c == 0) ++(i % 2 == 0 ? nulsEven : nulsOdd);
    else if (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f' && c != '\v') ++controls;
  }
  if (look >= 4 && (nulsEven * 10 >= look * 4 || nulsOdd * 10 >= look * 4) && nulsEven + nulsOdd < look)
    return ContentKind::Utf16;
  if (nulsEven + nulsOdd > 0 || controls * 20 > look) return ContentKind::Binary;
  return ContentKind::Unknown;
}

bool isSamHeader(std::string_view line) {
  static const char* const kTags[] = {"@HD\t", "@SQ\t", "@RG\t", "@PG\t", "@CO\t"};
  for (const char* tag : kTags)
    if (startsWith(line, tag)) return true;
  return false;
}

// The first lines of a text file, beyond what the pair formats claim.
ContentKind kindOfText(std::string_view head) {
  Lines lines{head};
  std::string_view line;
  size_t seen = 0;
  while (seen < kLinesLooked && lines.next(line)) {
    std::string_view f[16];
    size_t count = splitFields(line, f, 16);
    if (count == 0) continue;
    bool first = seen++ == 0;
    if (first) {
      if (line[0] == '>') return ContentKind::Fasta;
      if (isSamHeader(line)) return ContentKind::Sam;
      if (line[0] == '@') {
        std::string_view second, third;
        Lines after = lines;
        after.next(second);
        if (after.next(third) && !third.empty() && third[0] == '+') return ContentKind::Fastq;
      }
      if (startsWith(line, "##gff-version")) return ContentKind::Gff;
      if (startsWith(line, "##fileformat=VCF")) return ContentKind::Vcf;
      if (f[0] == "SW" && count >= 3 && f[1] == "perc") return ContentKind::RepeatMasker;
    }
    if (startsWith(line, "#CHROM\tPOS")) return ContentKind::Vcf;
    if (line[0] == '#' || startsWith(line, "track") || startsWith(line, "browser")) continue;
    // The ninth column holds spaces, so the whole line is searched.
    if (isGffRow(f, count)) return isGtfAttributes(line) ? ContentKind::Gtf : ContentKind::Gff;
    if (count >= 11 && isNumber(f[1]) && isNumber(f[3]) && isNumber(f[4]) && !isNumber(f[2]))
      return ContentKind::Sam;
    if (count >= 3 && !isNumber(f[0]) && isNumber(f[1]) && isNumber(f[2])) return ContentKind::Bed;
    // RepeatMasker's header may be indented or follow a blank line.
    if (f[0] == "SW" && count >= 3 && f[1] == "perc") return ContentKind::RepeatMasker;
    return ContentKind::Unknown;
  }
  return ContentKind::Unknown;
}

bool isCSpaceByte(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isTandemTokenByte(char c) { return (c >= '0' && c <= '9') || c == '/' || c == ';' || c == '.' || c == '-' || c == '+'; }

}  // namespace

ContentKind contentKindOf(std::string_view head) {
  ContentKind kind = kindOfBytes(head);
  return kind != ContentKind::Unknown ? kind : kindOfText(head);
}

bool looksLikeTandemTokens(std::string_view head) {
  constexpr int kTokensLooked = 4;
  int tokens = 0;
  size_t i = 0;
  while (tokens < kTokensLooked) {
    while (i < head.size() && isCSpaceByte(head[i])) ++i;
    if (i == head.size()) break;
    size_t start = i;
    while (i < head.size() && !isCSpaceByte(head[i])) ++i;
    std::string_view token = head.substr(start, i - start);
    bool cutByHead = i == head.size() && tokens > 0;
    if (cutByHead) break;
    bool separated = token.find_first_of("/;") != std::string_view::npos;
    bool digits = token.find_first_of("0123456789") != std::string_view::npos;
    for (char c : token)
      if (!isTandemTokenByte(c)) return false;
    if (!separated || !digits || token[0] == '/' || token[0] == ';') return false;
    ++tokens;
  }
  return true;
}

const char* contentKindName(ContentKind kind) {
  const FileKind* row = contentKindRow(kind);
  return row != nullptr ? row->looks : "unknown";
}

std::string describeRefusal(ContentKind kind, std::string_view name) {
  std::string line = shownInputName(name);
  // A command to run needs a file: standard input is saved to one first.
  bool piped = line == "standard input";
  std::string n = piped ? "FILE" : std::string(name);
  switch (kind) {
    case ContentKind::Xz: return line + " is xz-compressed; decompress it first (xz -dk " + n + ")";
    case ContentKind::Zstd: return line + " is zstd-compressed; decompress it first (zstd -d " + n + ")";
    case ContentKind::Bzip2: return line + " is bzip2-compressed; decompress it first (bunzip2 -k " + n + ")";
    case ContentKind::Zip: return line + " is a zip archive; unpack it first (unzip " + n + ")";
    case ContentKind::Gzip: return line + " is gzip-compressed twice; decompress it once (gunzip -c " + n + " > FILE)";
    case ContentKind::Utf16:
      return line + " is UTF-16 text; convert it to UTF-8 first (iconv -f UTF-16 -t UTF-8 " + n + " > FILE)";
    default: break;
  }
  line += " looks like ";
  line += contentKindName(kind);
  line += ", not pairs";
  switch (kind) {
    case ContentKind::Fasta:
      if (piped) return line + "; save it as a file and align that (minimap2 -c -X genome.fa genome.fa > self.paf)";
      return line + "; align it first (minimap2 -c -X " + n + " " + n + " > self.paf)";
    case ContentKind::Fastq: return line + "; assemble the reads, then self-align the assembly";
    case ContentKind::Sam:
    case ContentKind::Bam: return line + "; a self-alignment gives pairs (minimap2 -c -X genome.fa genome.fa > self.paf)";
    case ContentKind::Vcf:
    case ContentKind::Gff:
    case ContentKind::Gtf:
    case ContentKind::Bed:
    case ContentKind::RepeatMasker:
      return line + "; pairs come from a self-alignment or a repeat finder (" +
             kindList(FileFamily::Pairs, &FileKind::help, " or ") + ")";
    case ContentKind::Binary: return line + "; pairs are text";
    default: break;
  }
  return line;
}

std::string describeUnknownContent(std::string_view name) {
  std::string line = shownInputName(name);
  return line + " does not look like pairs: neither a tandem list (pos/partner/len tokens) nor a format "
                "quelvar-import reads; name its format with --from";
}
