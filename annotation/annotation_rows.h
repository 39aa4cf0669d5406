// The rows of the annotation formats (BED of 3 to 12 columns, GFF3, GTF, RepeatMasker .out,
// Tandem Repeats Finder), read one at a time; the format is told by pairs/annotation_look
// and named by its row in pairs/file_kinds. Positions come out 0-based, half-open, on the
// row's own sequence.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "annotation_look.h"

// "BED", "GFF3", "GTF", "RepeatMasker .out", "Tandem Repeats Finder" (its .dat or -ngs output).
const char* annotationFormatName(AnnotationFormat format);

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
