// One frame's drawing in the viewer's order, and the start-up render state, so that the
// shell needs no GL header.
#pragma once

#include "view_state.h"

// Depth test on, then the floor colours.
void startScene();

// Clears colour and depth to the light sky blue.
void clearFrame();

// Window mode (window bars, scale bar) or all bars, then the floor if shown.
void drawScene(ViewState& view);

// The frame's own matrix push and pop around input handling and drawing.
void pushFrameMatrix();
void popFrameMatrix();
