// A genome FASTA opened as pairs: aligned against itself in process (minimap2 -c -X, with
// --preset's -x and --threads), its alignments read as the PAF they are, every sequence
// laid end to end in the FASTA's order with the FASTA's lengths (or the one --chrom names).
// With --tiles W it is not aligned: its windows' identity tiles (tiles/) are placed instead,
// each as an alignment of its two windows.
// The Windows programs are built without the aligner: there these refuse, saying how to
// align outside and open the PAF.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "pair_file.h"
#include "pair_import.h"

// What a window shows of the work while it runs on another thread.
struct AlignWatch {
  std::atomic<bool> cancel{false};  // set by the watcher: stop the work
  std::mutex lock;
  double fraction = 0;              // under lock: of the whole alignment, 0 to 1
  std::string text;                 // under lock: what is being done, as standard error says it
  std::string failure;              // under lock: why the work failed, as standard error says it
};

// Before any reading: kCliGoOn, or the exit code, reported, when this build cannot align a
// FASTA (1) or the options cannot go with one (2: --fai, since a FASTA gives its own
// sequences; an unknown --preset).
int checkFastaOpening(const char* path, const ImportOptions& options);

// Aligns the FASTA at path and loads its pairs into the record table as loadPairFile loads
// a pair file (summary on standard output, the import's report and the progress on
// standard error). Returns loadPairFile's answers, and kFastaCancelled, printing nothing
// more, when watch->cancel stopped it. watch may be null.
constexpr int kFastaCancelled = -2;
int loadFastaPairs(const char* path, const PairFileOptions& options, uint32_t tag, AlignWatch* watch);

// quelvar-import's way: aligns the opened input and places its pairs in run, whose options
// ask for every sequence (or --chrom's). False, the message printed, when it could not be read.
bool importFasta(ImportRun& run, NamedInput& input);

// A FILE named on a program's command line, before any window or reading: kCliGoOn when it
// can be opened (options.import.fasta set for a FASTA; options.input holds it, opened), else
// the exit code, reported: a file that cannot be read or holds no pairs, a FASTA this build
// or these options cannot align. tail ends the refusal's line ("; no picture written").
int checkNamedFile(const char* path, PairFileOptions& options, const char* tail = "");

// Loads what checkNamedFile passed: loadFastaPairs for a FASTA, else loadPairFile.
int openNamedFile(const char* path, const PairFileOptions& options, uint32_t tag, AlignWatch* watch);
