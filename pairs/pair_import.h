// One import: every input in turn, each read in one streaming pass, its pairs filtered to
// one sequence (or, with --all-sequences, laid out with every sequence) and handed on as
// tandem tokens (a self-comparison's hits at the end, once their twins are known).
// quelvar-import writes them to a file; the loader scans them straight into the record
// table.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "diagonal_cut.h"
#include "input_format.h"
#include "line_reader.h"
#include "load_progress.h"
#include "mirror_index.h"
#include "named_input.h"
#include "pair_spool.h"
#include "pair_tokens.h"
#include "sequence_axis.h"
#include "skip_report.h"

struct ImportOptions {
  InputFormat from = InputFormat::Unknown;  // Unknown: recognise each input from its content
  std::string chrom;                        // empty: the first sequence a pair lies on
  bool allSequences = false;                // every sequence, laid end to end on one axis
  std::string fai;                          // with allSequences: their order and lengths
  int64_t minLength = 0;
  bool fasta = false;                       // the one input is a genome FASTA, aligned against itself first
  std::string preset;                       // a FASTA's self-alignment: minimap2's -x ("" its default)
  int threads = 0;                          // and its threads (0: all cores)
  std::string out;                          // empty: standard output
  bool force = false;
  std::vector<std::string> inputs;          // empty: standard input; "-" is standard input too
  // inputs[i] as telling its format opened it (null for "-"), so that it is read on, not opened again.
  std::vector<std::shared_ptr<NamedInput>> opened;
};

struct ImportRun {
  const ImportOptions* options;
  std::string sequence;  // the one sequence kept; empty until chosen
  SkipReport report;
  TokenOutput tokens;
  uint64_t imported;
  FILE* messages;
  bool repeatMatchWarned;
  bool sawNamedRow;      // some row named its sequences (repeat-match rows name none)
  bool chromSeen;        // some row named the sequence kept
  // --all-sequences: the sequences laid end to end; with --chrom, the names met until
  // its sequence turns up.
  SequenceAxis axis;
  // The pairs that wait: a self-comparison's hits and every pair after the first of them,
  // and with --all-sequences without --fai every pair until the lengths are known.
  PairSpool spool;
  bool lengthsGuessed;   // some sequence's length was taken from how far its hits reach
  MirrorIndex mirrors;   // the hits in the spool, to find their twins at the end
  DiagonalCounts diagonal;      // hits of a sequence on itself cut where they run along the diagonal
  std::vector<PairRow> pieces;  // one hit's parts off the diagonal, reused from hit to hit
  std::string trfSequence;  // TRF: the sequence of the section being read
  int64_t sequenceLength;   // the one sequence kept: its length where the rows give it, else 0
  LoadProgress* progress;   // counts the lines read, when set
};

void startImportRun(ImportRun& run, const ImportOptions& options, PairSink sink, FILE* messages);

// Reads one input from fd, named inputName in messages. Returns false when it could not be
// read to its end or its format could not be told; the message is already printed.
bool importInput(ImportRun& run, int fd, const char* inputName);
// The same from a reader already opened (and perhaps filled, but nothing handed out).
bool importLines(ImportRun& run, LineReader& reader, const char* inputName);

// One line of an input whose format is known, as importLines takes it: a pair placed, or
// its skip noted. cut: the line was longer than the reader holds.
void importRow(ImportRun& run, InputFormat format, std::string_view line, bool cut, uint64_t lineNumber,
               const char* inputName);

// After the last input: lays out --all-sequences' genome when every input was read, and
// hands on every token still held. Returns false, the message printed, when the list
// cannot be made (or allRead was false).
bool finishImportRun(ImportRun& run, bool allRead);

// The sequences the imported pairs lie on: every one laid out, or the one kept at offset 0
// (its length 0 where no row gave it); none for rows that name no sequence.
SequenceAxis importedSequences(const ImportRun& run);

// The closing line: "imported N pairs[ on SEQ]; skipped ...". Then, for a --chrom that no
// row named, the message listing the sequences that were there; false in that case.
bool reportImportRun(const ImportRun& run);
