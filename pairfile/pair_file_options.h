// The options of every program that opens a pair file (the viewer, quelvar-summary,
// quelvar-snapshot): --from, --chrom, --all-sequences, --fai, and for a FASTA --preset and
// --threads. Long names only, so they never take
// a letter from the program's own options. A parser lists kPairFileLongOptions' entries in
// its getopt_long table and hands what they return to takePairFileOption.
#pragma once

#include "pair_file.h"

enum PairFileOption : int {
  kFromOption = 0x1000,
  kChromOption,
  kAllSequencesOption,
  kFaiOption,
  kPresetOption,
  kThreadsOption,
};

#define QUELVAR_PAIR_FILE_LONG_OPTIONS                          \
  {"from", required_argument, nullptr, kFromOption},            \
  {"chrom", required_argument, nullptr, kChromOption},          \
  {"all-sequences", no_argument, nullptr, kAllSequencesOption}, \
  {"fai", required_argument, nullptr, kFaiOption},              \
  {"preset", required_argument, nullptr, kPresetOption},        \
  {"threads", required_argument, nullptr, kThreadsOption}

// Their lines for a --help text; --from's formats come from the file-kind table.
extern const char* const kPairFileOptionsHelp;

bool isPairFileOption(int option);

// Takes one of them with its value. Returns kCliGoOn, or the exit code of a bad value
// (reported).
int takePairFileOption(int option, const char* value, PairFileOptions& options);

// After the whole command line: options that exclude each other. Returns kCliGoOn or the
// exit code (reported).
int checkPairFileOptions(const PairFileOptions& options);

// Whether any of them was given: without a FILE they have nothing to act on.
bool pairFileOptionsGiven(const PairFileOptions& options);

// --preset and --threads act on a FASTA only; given for another file they are refused
// rather than passed over. Returns kCliGoOn or the exit code (reported).
int checkAlignOptionsUsed(const PairFileOptions& options, bool fasta);
