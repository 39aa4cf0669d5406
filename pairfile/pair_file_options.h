// The options of every program that opens a pair file (the viewer, quelvar-summary,
// quelvar-snapshot): --from, --chrom, --all-sequences. Long names only, so they never take
// a letter from the program's own options. A parser lists kPairFileLongOptions' entries in
// its getopt_long table and hands what they return to takePairFileOption.
#pragma once

#include "pair_file.h"

enum PairFileOption : int {
  kFromOption = 0x1000,
  kChromOption,
  kAllSequencesOption,
};

#define QUELVAR_PAIR_FILE_LONG_OPTIONS                          \
  {"from", required_argument, nullptr, kFromOption},            \
  {"chrom", required_argument, nullptr, kChromOption},          \
  {"all-sequences", no_argument, nullptr, kAllSequencesOption}

// Their lines for a --help text.
extern const char kPairFileOptionsHelp[];

bool isPairFileOption(int option);

// Takes one of them with its value. Returns kCliGoOn, or the exit code of a bad value
// (reported).
int takePairFileOption(int option, const char* value, PairFileOptions& options);

// After the whole command line: options that exclude each other. Returns kCliGoOn or the
// exit code (reported).
int checkPairFileOptions(const PairFileOptions& options);
