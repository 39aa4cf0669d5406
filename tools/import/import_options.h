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
  bool help = false;                        // --help: print the usage and stop
  std::vector<std::string> inputs;          // empty: standard input; "-" is standard input too
};

extern const char* const kImportUsage;

// Fills options from argv; on a bad argument returns false with the reason in error.
bool parseImportOptions(int argc, const char* const* argv, ImportOptions& options, std::string& error);
