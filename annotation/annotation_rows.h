// The annotation formats, told from a file's first lines, and their rows read one at a
// time: BED (3 to 12 columns), GFF3, GTF, RepeatMasker .out and Tandem Repeats Finder .dat.
// Positions come out 0-based, half-open, on the row's own sequence.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class AnnotationFormat { Bed, Gff3, Gtf, RepeatMasker, Trf };

// "BED", "GFF3", "GTF", "RepeatMasker .out", "Tandem Repeats Finder" (its .dat or -ngs output).
const char* annotationFormatName(AnnotationFormat format);

// Tells the format from the first bytes of a file (inflated, if it was gzip); whole: they
// are the whole file. False, with refusal saying what the file looks like ("x.fa looks like
// FASTA (sequences), not annotation"), for anything else. A file without rows is BED.
bool tellAnnotationFormat(std::string_view head, bool whole, std::string_view path, AnnotationFormat& format,
                          std::string& refusal);

// What the rows before a row set: the BED track's name, the TRF section's sequence.
struct RowContext {
  std::string trackName;  // BED: from the last track line that names one
  std::string sequence;   // TRF: from the last "Sequence: NAME" (or "@NAME") line
  std::string decoded;    // GFF3: a name with %XX escapes, decoded
  std::string made;       // TRF: the name made from the consensus
  bool ended = false;     // GFF3: ##FASTA (or a FASTA header) came; no features follow
};

struct FeatureRow {
  std::string_view sequence;
  int64_t start;  // 0-based
  int64_t end;    // past the last base
  std::string_view name;
  std::string_view featureClass;
  char strand;  // '+', '-' or '.'
};

enum class FeatureRowKind { Feature, Ignored, Malformed };

// One line. Feature fills row (its views into line or context); Malformed sets why. Header,
// comment, track and blank lines, and everything after GFF3's ##FASTA, are Ignored.
FeatureRowKind readAnnotationRow(AnnotationFormat format, std::string_view line, RowContext& context, FeatureRow& row,
                                 const char*& why);
