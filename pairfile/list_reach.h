// Whether a tandem list's pairs lie within the offset table read beside it: a table from
// another run (a list re-imported without --all-sequences) would name them on the wrong
// sequences, or on none.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tandem_field.h"

struct ListReach {
  int64_t axisEnd;      // where the table's last sequence ends
  uint64_t lineNumber;  // of the byte being read, from 1
  FieldWalk walk;
  bool inToken;
  uint64_t pastLine;    // the first line with a pair past axisEnd; 0 while none
  int64_t pastEnd;      // that pair's end
};

void startListReach(ListReach& reach, int64_t axisEnd);

// Walks the same bytes the scanner reads, in chunks of any size. False once a pair (of a
// length the viewer keeps) has ended past axisEnd.
bool feedListReach(ListReach& reach, const char* bytes, size_t size);

// Ends the token the last chunk left open; false when it, or any before, ended past axisEnd.
bool finishListReach(ListReach& reach);
