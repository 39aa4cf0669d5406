#include "file_kinds.h"

#include "bedpe_reader.h"
#include "blast_reader.h"
#include "coords_reader.h"
#include "paf_reader.h"
#include "repeat_match_reader.h"
#include "text_fields.h"
#include "trf_reader.h"

namespace {

bool isNumber(std::string_view text) {
  int64_t value = 0;
  return parseInteger(text, value);
}

bool isRepeatMatchHeader(std::string_view line) { return line.substr(0, 19) == "Long Exact Matches:"; }

// 12+ columns, numbers in 2, 3, 4, a strand in 5.
bool isPafRow(std::string_view, const std::string_view* f, size_t count) {
  return count >= 12 && isNumber(f[1]) && isNumber(f[2]) && isNumber(f[3]) && (f[4] == "+" || f[4] == "-");
}

bool isCoordsRow(std::string_view, const std::string_view* f, size_t count) { return looksLikeCoordsRow(f, count); }

bool isBlastRow(std::string_view, const std::string_view* f, size_t count) { return looksLikeBlastRow(f, count); }

// 6+ columns, numbers in 2, 3, 5, 6.
bool isBedpeRow(std::string_view, const std::string_view* f, size_t count) {
  return count >= 6 && isNumber(f[1]) && isNumber(f[2]) && isNumber(f[4]) && isNumber(f[5]);
}

bool isTrfRow(std::string_view line, const std::string_view*, size_t) { return looksLikeTrfRow(line); }

// Outside a section: no sequence named.
RowResult readTrfRowUnnamed(std::string_view line) { return readTrfRow(line, std::string_view()); }

constexpr FileKind pairFormat(InputFormat format, const char* name, const char* help, const char* looks,
                              bool (*header)(std::string_view),
                              bool (*row)(std::string_view, const std::string_view*, size_t), int rowRank,
                              RowResult (*read)(std::string_view)) {
  return FileKind{
      FileFamily::Pairs, static_cast<int>(format), ContentKind::Unknown, name, help, looks, header, row, rowRank, read};
}

constexpr FileKind annotationFormat(AnnotationFormat format, ContentKind content, const char* name, const char* help,
                                    const char* looks) {
  return FileKind{
      FileFamily::Annotation, static_cast<int>(format), content, name, help, looks, nullptr, nullptr, 0, nullptr};
}

constexpr FileKind otherKind(FileFamily family, ContentKind content, const char* name, const char* looks) {
  return FileKind{family, static_cast<int>(content), content, name, name, looks, nullptr, nullptr, 0, nullptr};
}

}  // namespace

const FileKind kFileKinds[] = {
    FileKind{FileFamily::Pairs, kTandemListFormat, ContentKind::Unknown, "tandem", "tandem list",
             "a tandem list (pairs)", nullptr, nullptr, 0, nullptr},
    pairFormat(InputFormat::RepeatMatch, "repeat-match", "repeat-match", "repeat-match pairs", isRepeatMatchHeader,
               nullptr, 0, readRepeatMatchRow),
    pairFormat(InputFormat::Bedpe, "bedpe", "BEDPE", "bedpe pairs", nullptr, isBedpeRow, 5, readBedpeRow),
    pairFormat(InputFormat::Paf, "paf", "PAF", "paf pairs", nullptr, isPafRow, 2, readPafRow),
    pairFormat(InputFormat::Blast, "blast6", "BLAST tabular", "blast6 pairs", isBlastBanner, isBlastRow, 4,
               readBlastRow),
    pairFormat(InputFormat::Coords, "coords", "show-coords", "coords pairs", isCoordsHeader, isCoordsRow, 3,
               readCoordsRow),
    pairFormat(InputFormat::Trf, "trf", "Tandem Repeats Finder", "trf pairs", isTrfBanner, isTrfRow, 1,
               readTrfRowUnnamed),

    annotationFormat(AnnotationFormat::Bed, ContentKind::Bed, "BED", "BED", "BED (intervals, one a line)"),
    annotationFormat(AnnotationFormat::Gff3, ContentKind::Gff, "GFF3", "GFF3", "GFF (annotation features)"),
    annotationFormat(AnnotationFormat::Gtf, ContentKind::Gtf, "GTF", "GTF", "GTF (annotation features)"),
    annotationFormat(AnnotationFormat::RepeatMasker, ContentKind::RepeatMasker, "RepeatMasker .out",
                     "RepeatMasker .out", "RepeatMasker output (repeat annotation)"),
    annotationFormat(AnnotationFormat::Trf, ContentKind::Unknown, "Tandem Repeats Finder", "TRF .dat",
                     "Tandem Repeats Finder output (repeat annotation)"),

    otherKind(FileFamily::Sequence, ContentKind::Fasta, "FASTA", "FASTA (sequences)"),

    otherKind(FileFamily::Refused, ContentKind::Fastq, "FASTQ", "FASTQ (sequencing reads)"),
    otherKind(FileFamily::Refused, ContentKind::Sam, "SAM", "SAM (read alignments)"),
    otherKind(FileFamily::Refused, ContentKind::Bam, "BAM", "BAM (read alignments)"),
    otherKind(FileFamily::Refused, ContentKind::Vcf, "VCF", "VCF (variants)"),
    otherKind(FileFamily::Refused, ContentKind::Utf16, "UTF-16", "UTF-16 text"),
    otherKind(FileFamily::Refused, ContentKind::Xz, "xz", "xz-compressed"),
    otherKind(FileFamily::Refused, ContentKind::Zstd, "zstd", "zstd-compressed"),
    otherKind(FileFamily::Refused, ContentKind::Bzip2, "bzip2", "bzip2-compressed"),
    otherKind(FileFamily::Refused, ContentKind::Zip, "zip", "a zip archive"),
    otherKind(FileFamily::Refused, ContentKind::Gzip, "gzip twice", "gzip-compressed twice"),
    otherKind(FileFamily::Refused, ContentKind::Binary, "binary", "binary data"),
};

const size_t kFileKindCount = sizeof kFileKinds / sizeof kFileKinds[0];

namespace {

const FileKind& rowOf(FileFamily family, int format) {
  for (const FileKind& kind : kFileKinds)
    if (kind.family == family && kind.format == format) return kind;
  return kFileKinds[0];  // every format has its row (the table test checks)
}

}  // namespace

const FileKind& pairKind(InputFormat format) { return rowOf(FileFamily::Pairs, static_cast<int>(format)); }

const FileKind& annotationKind(AnnotationFormat format) {
  return rowOf(FileFamily::Annotation, static_cast<int>(format));
}

const FileKind& tandemListKind() { return rowOf(FileFamily::Pairs, kTandemListFormat); }

const FileKind* contentKindRow(ContentKind kind) {
  if (kind == ContentKind::Unknown) return nullptr;
  for (const FileKind& row : kFileKinds)
    if (row.content == kind) return &row;
  return nullptr;
}

std::string kindList(FileFamily family, const char* FileKind::*field, const char* lastJoin) {
  size_t count = 0;
  for (const FileKind& kind : kFileKinds) count += kind.family == family && kind.format != kTandemListFormat;
  std::string list;
  size_t at = 0;
  for (const FileKind& kind : kFileKinds) {
    if (kind.family != family || kind.format == kTandemListFormat) continue;
    if (at > 0) list += at + 1 == count ? lastJoin : ", ";
    list += kind.*field;
    ++at;
  }
  return list;
}
