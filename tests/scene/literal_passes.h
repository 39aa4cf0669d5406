// The drawing passes exactly as first described: one matrix push, translation and primitive
// per bar, 1,600 separate floor draws. Slow on purpose; the production passes must draw the
// same picture.
#pragma once

#include "view_state.h"

void literalDrawBars(int style, ViewState& view);
void literalDrawWindowBars(ViewState& view);
void literalDrawFloor();

// The frame's passes in the viewer's order, with the literal passes in place of the fast ones.
void literalDrawScene(ViewState& view);
