// The all-bars pass: every record longer than the threshold, as a line or a point, and the
// far-part slide driven by the arrow flags.
#pragma once

#include <cstdint>

#include "axis_units.h"
#include "view_state.h"

// Records with pos above 2,000,000 move by 0.1 along each set arrow flag; once a frame
// outside window mode, drawn or not.
void slideFarPart(const ViewState& view);

// Every shown pair's bars (the window aside), as points with view.pointStyle, else lines.
void drawBars(const ViewState& view);
