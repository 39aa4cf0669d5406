// Runs a command with its input and output redirected to files (its messages dropped) and measures it the way
// time(1) does: wall-clock seconds and the child's peak resident memory.
#pragma once

#include <string>
#include <vector>

struct TimedRun {
  bool ok;           // started and exited 0
  double seconds;
  long peakKib;      // ru_maxrss of the child
};

TimedRun timeCommand(const std::vector<std::string>& argv, const std::string& inPath, const std::string& outPath);

// The fastest of runs runs (standard input /dev/null), or the first that failed.
TimedRun bestOf(const std::vector<std::string>& argv, const std::string& outPath, int runs);

// The first line a command prints (its version), or "" when it prints nothing.
std::string firstLineOf(const std::vector<std::string>& argv);
