// The all-bars pass: every shown pair's bars, as lines or points.
#pragma once

#include "view_state.h"

// The window aside, as points with view.pointStyle, else lines.
void drawBars(const ViewState& view);
