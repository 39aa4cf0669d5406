// The options of every program that opens a pair file (the viewer, quelvar-summary,
// quelvar-snapshot): --from, --chrom, --all-sequences, --fai, --max-pairs, and for a FASTA
// --preset and --threads, as rows of kPairFileOptionRows (option_row.h). Long names only, so they never
// take a letter from the program's own options.
#pragma once

#include <string>

#include "option_row.h"
#include "pair_file.h"

enum PairFileOption : int {
  kFromOption = 0x1000,
  kChromOption,
  kAllSequencesOption,
  kFaiOption,
  kPresetOption,
  kThreadsOption,
  kMaxPairsOption,
  kTilesOption,
};

extern const OptionRows<PairFileOptions> kPairFileOptionRows;

// Their lines for a --help text.
std::string pairFileOptionsHelp();

bool isPairFileOption(int option);

// Takes one of them with its value. Returns kCliGoOn, or the exit code of a bad value
// (reported).
int takePairFileOption(int option, const char* value, PairFileOptions& options);

// After the whole command line: options that exclude each other. Returns kCliGoOn or the
// exit code (reported).
int checkPairFileOptions(const PairFileOptions& options);

// Whether any of them was given: without a FILE they have nothing to act on.
bool pairFileOptionsGiven(const PairFileOptions& options);

// date.txt read by default fills the fixed table, with its own limit: --max-pairs is
// refused for it rather than passed over. Returns kCliGoOn or the exit code (reported).
int checkDefaultListOptions(const PairFileOptions& options);

// --preset, --threads and --tiles act on a FASTA only; given for another file they are
// refused rather than passed over. Returns kCliGoOn or the exit code (reported).
int checkAlignOptionsUsed(const PairFileOptions& options, bool fasta);
