// The benchmarks' command line: two whole-number options, --help and --version, in the
// shared idiom.
#pragma once

#include <cstdint>

struct BenchCount {
  const char* name;  // the long option, without the dashes
  int64_t low;
  int64_t high;
  int64_t value;     // the default, then what was given
};

// Reads --<first.name> N, --<second.name> N, --help and --version. Returns kCliGoOn to run,
// or the exit code to stop with.
int readBenchOptions(int argc, char** argv, const char* usage, BenchCount& first, BenchCount& second);
