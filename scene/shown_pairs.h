// The pairs the bars pass shows, counted for the HUD and in order of length for stepping
// through them. No GL; each answer is kept until what decides it changes.
#pragma once

#include <cstdint>

#include "view_state.h"

// Whether the bar in slot passes the view's threshold, window and identity floor.
bool barShown(const ViewState& view, int32_t slot);

// Pairs with at least one bar shown.
int32_t shownPairCount(const ViewState& view);

// The shown pairs longest first (of equal lengths, in load order), each as the slot of a
// shown bar of it: the first one's, unless only its partner is shown.
struct ShownOrder {
  const int32_t* slots;
  int32_t count;
};
ShownOrder shownPairsByLength(const ViewState& view);
