// Picking a pair with the pointer: the bar under it while the cursor is free, the bar at
// the centre in mouse-look, taken from the bars the last frame drew.
#pragma once

#include <cstdint>

// After each frame: the picked bar for the next frame's HUD. Only while the cursor is free
// or the HUD is on; otherwise none is picked and nothing is looked at.
void pickForNextFrame();

// A left click at (x, y) in client pixels: the picked pair as one tab-separated line on
// standard output (formatPairRecord's, then the features at each copy); nothing when no
// bar is there.
void printClickedPair(int32_t x, int32_t y);

// That line for the bar in slot.
void printPairOfSlot(int32_t slot);

// The bar in slot stays picked, whatever lies under the pointer or at the centre, until
// the pointer or the camera moves.
void pinPick(int32_t slot);
