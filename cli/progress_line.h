// How far a long run has come, on a stream: at most once a second, and not at all for a run
// over within a second. On a terminal one line rewritten in place, elsewhere plain lines a
// log keeps.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

struct ProgressLine {
  FILE* out = nullptr;  // null: silent
  bool terminal = false;
  std::chrono::steady_clock::time_point start, last;
  bool shown = false;
  size_t width = 0;  // of the line on the terminal, to blank what a shorter one leaves
};

ProgressLine openProgress(FILE* out);
double progressSeconds(const ProgressLine& progress);
// Whether a line is due now; build the text only then.
bool progressDue(const ProgressLine& progress);
void showProgress(ProgressLine& progress, const std::string& text);
// The last word, when anything was shown or a second has passed (a run that long says
// something); "" just ends the terminal's line.
void closeProgress(ProgressLine& progress, const std::string& text);

// The time left as told: an estimate may fall at once, but rises no faster than the clock
// runs, so a slow stretch near the end does not make the end seem to recede.
struct TimeLeft {
  double toldAt = -1;  // seconds into the run; -1 before the first
  double told = 0;
};
double timeLeft(TimeLeft& left, double now, double estimate);

// "840 kb", "1.66 Mb", "3.10 Gb"; "12 s", "3 min 05 s", "2 h 01 min".
std::string formatBases(int64_t bases);
std::string formatSeconds(double seconds);
