// The all-bars pass: every record longer than the threshold, as a line or a point, and the
// far-part slide driven by the arrow flags.
#pragma once

#include <cstdint>

#include "view_state.h"

constexpr int32_t kFarPartStart = 2000000;  // positions above this slide; this one does not

// Records with pos above 2,000,000 move by 0.1 along each set arrow flag; once a frame
// outside window mode, drawn or not.
void slideFarPart(const ViewState& view);

// style 1 draws points, any other value lines.
void drawBars(int style, const ViewState& view);
