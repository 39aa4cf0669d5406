// Where a typed place lies on the loaded axis: "POS" (an axis position, as --goto has
// always read it), "NAME" (a sequence's start), "NAME:POS" and "NAME:START-END" (1-based,
// commas allowed, as genome browsers write them).
#pragma once

#include <cstdint>
#include <string>

struct AxisPlace {
  int64_t start;     // first axis position, 0-based
  int64_t end;       // one past the last
  int64_t position;  // where to look: the position, or the middle of a range
};

// False with why when the text names no sequence of the last load or no place in it.
bool readGoToText(const char* text, AxisPlace& place, std::string& why);
