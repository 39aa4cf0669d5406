// The command line of quelvar-import.
#pragma once

#include "pair_import.h"

extern const char* const kImportUsage;

// Fills options from argv. Returns kCliGoOn to run, or the exit code to stop with (--help,
// --version, or a bad argument, already reported).
int parseImportOptions(int argc, char** argv, ImportOptions& options);
