// One frame's drawing in the viewer's order, and the start-up render state, so that the
// shell and the tools need no GL header.
#pragma once

#include "view_advance.h"
#include "view_state.h"

// Depth test on, then the floor colours.
void startScene();

// Window mode (window bars, scale bar) or all bars, then the floor if shown.
void drawScene(const ViewState& view);

// drawScene with everything but the HUD kept inside the scissor box the caller set
// (glScissor), so that a figure's bars and links stop at its frame.
void drawSceneInScissor(const ViewState& view);

// The passes a frame draws: drawScene, or the tests' and the benchmark's stand-ins.
using ScenePasses = void (*)(const ViewState& view);

// The frame every caller draws: clear to the sky, push the frame matrix, input (the
// viewer's controls; none in the tools), advanceView, the passes, pop.
void renderFrame(ViewState& view, void (*input)() = nullptr, ScenePasses passes = drawScene);
