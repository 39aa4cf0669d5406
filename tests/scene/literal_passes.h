// The drawing passes exactly as first described: one matrix push, translation and primitive
// per bar, 1,600 separate floor draws. Slow on purpose; the production passes must draw the
// same picture. Like them they only read: the frame's own step moves the far part and the
// window.
#pragma once

#include "view_state.h"

void literalDrawBars(int style, const ViewState& view);
void literalDrawWindowBars(const ViewState& view);
void literalDrawFloor();

// The frame's passes in the viewer's order, with the literal passes in place of the fast ones.
void literalDrawScene(const ViewState& view);
