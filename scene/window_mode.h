// Window mode: only the pairs that touch a 100,001-position window, and its red scale bar.
#pragma once

#include "axis_units.h"
#include "view_state.h"

// Draws both bars of every pair with an end in the window, as lines.
void drawWindowBars(const ViewState& view);

// The red marker along the window at the current zoom, just in front of the first row.
void drawScaleBar(const ViewState& view);
