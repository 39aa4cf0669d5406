// Accounts for every line that did not become a pair: the first few problems are listed
// with file, line number and reason on standard error, the rest only counted; the closing
// line gives the totals by reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "pair_row.h"

constexpr int kListedSkips = 20;

struct SkipReport {
  uint64_t counts[static_cast<int>(SkipReason::Count)];
  int listed;
  FILE* out;  // standard error, or a file for tests
  // The rows are a FASTA's in-process alignments, not lines of a file: named by their
  // number and the FASTA record they start from.
  bool alignments;
};

void startSkipReport(SkipReport& report, FILE* out);

// Counts one skipped line; lists it while fewer than kListedSkips problems have been listed.
// Lines dropped on purpose (unplaced ends, self hits, mirrors, short pairs) are only counted.
void noteSkip(SkipReport& report, const char* inputName, uint64_t lineNumber, SkipReason reason,
              const char* why, std::string_view line);

// "imported N pairs[ on SEQ]; skipped M lines: a malformed, b ..." (or "skipped none").
void printImportTotals(const SkipReport& report, uint64_t imported, std::string_view sequence);
