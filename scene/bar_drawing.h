// The all-bars pass: every shown pair's bars, as lines or points.
#pragma once

#include "draw_list.h"
#include "view_state.h"

// The window aside, as points with view.look.pointStyle, else lines.
void addBars(DrawList& list, const ViewState& view);
