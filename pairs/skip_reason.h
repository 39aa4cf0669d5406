// Why a line of a pair file did not become a pair.
#pragma once

#include <cstdint>

enum class SkipReason : uint8_t {
  Malformed,
  OutOfRange,
  OtherSequence,
  UnknownPosition,  // BEDPE's -1 start: the tool did not place that end
  OnItself,         // a self-alignment's hit of a region on itself
  Mirror,           // the second report of a repeat a self-alignment has already given
  TooShort,         // shorter than --min-length
  Count
};

// The short name of a reason, as a closing count of skipped lines gives it.
const char* skipReasonName(SkipReason reason);
