// Every kind of file the programs tell apart, one row each: the pair formats quelvar-import
// reads, the annotation formats --annotation reads, a genome's sequences and the kinds
// refused by name. The names in messages, --from's spellings, the lists in help texts and
// the pair formats' detectors and readers all come from these rows; a new format is a row
// here and its reader (pairs/ for pairs, annotation/ for annotation).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "annotation_look.h"
#include "content_look.h"
#include "input_format.h"

enum class FileFamily { Pairs, Annotation, Sequence, Refused };

struct FileKind {
  FileFamily family;
  int format;           // InputFormat for pairs, AnnotationFormat for annotation, else ContentKind
  ContentKind content;  // what the content look calls it (Unknown for pairs)
  const char* name;     // in messages; for pairs --from's spelling: "paf", "GFF3"
  const char* help;     // in help texts' lists: "PAF", "TRF .dat"
  const char* looks;    // after "looks like": "FASTA (sequences)", "paf pairs"
  // Pair formats only. A line that tells the format wherever it comes; a row that tells it,
  // the rows tried by rank since a TRF row passes the BLAST and BEDPE tests too; the reader
  // of one row (TRF's needs the section's sequence, so the import reads it itself).
  bool (*header)(std::string_view line);
  bool (*row)(std::string_view line, const std::string_view* fields, size_t count);
  int rowRank;
  RowResult (*read)(std::string_view line);
};

// The viewer's own tandem list has a row too, without an InputFormat: nothing imports it.
constexpr int kTandemListFormat = -1;

extern const FileKind kFileKinds[];
extern const size_t kFileKindCount;

const FileKind& pairKind(InputFormat format);
const FileKind& annotationKind(AnnotationFormat format);
const FileKind& tandemListKind();
// The row the content look's answer stands for; nullptr for Unknown.
const FileKind* contentKindRow(ContentKind kind);

// The field of the family's rows that a reader reads (the tandem list's is left out),
// joined: "repeat-match, bedpe, paf, blast6, coords or trf" for kindList(FileFamily::Pairs,
// &FileKind::name, " or ").
std::string kindList(FileFamily family, const char* FileKind::*field, const char* lastJoin);
