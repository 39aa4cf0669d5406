// The command line of quelvar-import.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input_format.h"

struct ImportOptions {
  InputFormat from = InputFormat::Unknown;  // Unknown: recognise each input from its content
  std::string chrom;                        // empty: the first sequence a pair lies on
  bool allSequences = false;                // every sequence, laid end to end on one axis
  std::string fai;                          // with allSequences: their order and lengths
  int64_t minLength = 0;
  std::string out;                          // empty: standard output
  bool force = false;
  std::vector<std::string> inputs;          // empty: standard input; "-" is standard input too
};

extern const char* const kImportUsage;

// Fills options from argv. Returns kCliGoOn to run, or the exit code to stop with (--help,
// --version, or a bad argument, already reported).
int parseImportOptions(int argc, char** argv, ImportOptions& options);
