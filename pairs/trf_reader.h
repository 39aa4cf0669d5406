// Tandem Repeats Finder output: the .dat file (-d), one "Sequence: NAME" section each, and
// the -ngs form, one "@NAME" line each; both list a repeat a row: start, end (1-based,
// inclusive), period size, copies, consensus size, percent matches, percent indels, score,
// A, C, G, T, entropy, consensus, sequence. Read here once, for the pair reader and the
// annotation reader alike. As pairs, an array is the array aligned with itself shifted by
// one period, so a repeat from start to end with period p is the pair start - 1 and
// start - 1 + p, of length end - start + 1 - p, same strand, identity the percent matches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pair_row.h"

// The name a line starts a section for ("Sequence: chr1 ..." or "@chr1"), or false.
bool trfSectionName(std::string_view line, std::string_view& name);

// True for the program's banner, which tells the format.
bool isTrfBanner(std::string_view line);

// True for a repeat row of 15 or more columns, the first 13 numbers.
bool looksLikeTrfRow(std::string_view line);

struct TrfRepeat {
  int64_t start = 0, end = 0;  // 1-based, inclusive, as written
  int64_t period = 0;
  int64_t matches = 0;  // percent matches, in hundredths
  std::string_view consensus;
};

enum class TrfLine { Section, Repeat, Ignored, Malformed };

// One line: a section's start (section set), a repeat row (repeat filled, its numbers not
// yet checked for order), a line to pass over (blank, the banner, parameters, notes: none
// starts with a number), or a line starting with a number that is no row.
TrfLine readTrfLine(std::string_view line, std::string_view& section, TrfRepeat& repeat);

// Why a Malformed line is no row.
extern const char* const kTrfRowShape;

// One row as a pair on the sequence named (empty before any section).
RowResult readTrfRow(std::string_view line, std::string_view sequence);
