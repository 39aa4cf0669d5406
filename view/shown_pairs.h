// The shown pairs counted for the HUD, and in order of length for stepping through them.
// Both follow the one shown rule and are kept until its list is made again.
#pragma once

#include <cstdint>

#include "view_state.h"

int32_t shownPairCount(const ViewState& view);

// The shown pairs longest first (of equal lengths, in load order), each as its first bar's
// slot.
struct ShownOrder {
  const int32_t* slots;
  int32_t count;
};
ShownOrder shownPairsByLength(const ViewState& view);
