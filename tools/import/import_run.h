// One run of quelvar-import: the options' inputs through the import into a list written
// to standard output or a file.
#pragma once

#include "import_options.h"
#include "pair_import.h"

// Exit codes.
constexpr int kImportOk = 0;
constexpr int kImportUnreadable = 1;  // an input could not be read (or the list not written)
constexpr int kImportBadArguments = 2;

// Reads standard input, refusing one that was closed when the program started.
bool importStandardInput(ImportRun& run);

// Runs everything the options ask for and returns the exit code.
// Before the run: a genome FASTA among the inputs is aligned against itself instead of read
// as pairs (options.fasta), and must be the only input. Returns kCliGoOn or the exit code,
// reported; --preset and --threads without a FASTA are refused.
int takeFastaInput(ImportOptions& options);

int runImport(const ImportOptions& options);
