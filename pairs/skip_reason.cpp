#include "skip_reason.h"

const char* skipReasonName(SkipReason reason) {
  switch (reason) {
    case SkipReason::Malformed: return "malformed";
    case SkipReason::OutOfRange: return "out of range";
    case SkipReason::OtherSequence: return "on another sequence";
    case SkipReason::UnknownPosition: return "unplaced (-1)";
    case SkipReason::OnItself: return "a region on itself";
    case SkipReason::Mirror: return "mirrors merged (a repeat reported from both copies)";
    case SkipReason::TooShort: return "shorter than --min-length";
    case SkipReason::Count: break;
  }
  return "?";
}
