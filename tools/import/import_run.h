// One run of quelvar-import: every input in turn, each read in one streaming pass, its
// pairs filtered to one sequence (or, with --all-sequences, laid out with every sequence)
// and written as a tandem list.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "import_options.h"
#include "pair_spool.h"
#include "pair_writer.h"
#include "sequence_axis.h"
#include "skip_report.h"

// Exit codes.
constexpr int kImportOk = 0;
constexpr int kImportUnreadable = 1;  // an input could not be read (or the list not written)
constexpr int kImportBadArguments = 2;

struct ImportRun {
  const ImportOptions* options;
  std::string sequence;  // the one sequence kept; empty until chosen
  SkipReport report;
  PairWriter* writer;
  uint64_t imported;
  FILE* messages;
  bool repeatMatchWarned;
  bool sawNamedRow;      // some row named its sequences (repeat-match rows name none)
  bool chromSeen;        // some row named the sequence kept
  // --all-sequences: the sequences laid end to end; with --chrom, the names met until
  // its sequence turns up.
  SequenceAxis axis;
  PairSpool spool;       // --all-sequences without --fai: the pairs until the lengths are known
  bool lengthsGuessed;   // some sequence's length was taken from how far its hits reach
};

void startImportRun(ImportRun& run, const ImportOptions& options, PairWriter& writer, FILE* messages);

// Reads one input from fd, named inputName in messages. Returns false when it could not be
// read to its end or its format could not be told; the message is already printed.
bool importInput(ImportRun& run, int fd, const char* inputName);

// Reads standard input, refusing one that was closed when the program started.
bool importStandardInput(ImportRun& run);

// Runs everything the options ask for and returns the exit code.
int runImport(const ImportOptions& options);
