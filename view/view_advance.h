// What moves by itself every frame while an arrow is held: in window mode the window, else
// the far part of the records (record_places.h).
#pragma once

#include "view_state.h"

// Applies the arrow flags to windowStart (saturating at the int32 limits) and clears the
// jump flags.
void shiftWindow(ViewState& view);

// Once a frame, before anything is drawn: shiftWindow in window mode, else slideFarPart.
void advanceView(ViewState& view);
