// The all-bars pass: every record longer than the threshold, as a line or a point, and the
// far-part slide driven by the arrow flags.
#pragma once

#include "view_state.h"

// style 1 draws points, any other value lines. Records with pos above 2,000,000 first move
// by 0.1 per frame along the set arrow flags, drawn or not.
void drawBars(int style, ViewState& view);
