// Window mode: only the pairs that touch a 100,001-position window, and its red scale bar.
#pragma once

#include "axis_units.h"
#include "draw_list.h"
#include "view_state.h"

// Both bars of every pair with an end in the window, as lines.
void addWindowBars(DrawList& list, const ViewState& view);

// The red marker along the window at the current zoom, just in front of the first row.
void addScaleBar(DrawList& list, const ViewState& view);
constexpr float kScaleBarColour[4] = {1.0f, 0.0f, 0.0f, 1.0f};
