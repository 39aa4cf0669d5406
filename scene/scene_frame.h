// One frame's drawing in the viewer's order, and the start-up render state, so that the
// shell and the tools need no GL header. The passes fill one draw list, which the GL
// replays; the picture tools hand the same list to their other writers.
#pragma once

#include "draw_list.h"
#include "view_advance.h"
#include "view_state.h"

// Depth test on, then the floor colours.
void startScene();

// How a picture differs from the viewer's frame: cleared to white for print, the world cut
// to a frame (box: left, bottom, width, height in pixels), lines wider, a flat camera.
struct SceneLook {
  bool white = false;
  bool scissor = false;
  int box[4] = {0, 0, 0, 0};
  float lineWidth = 1;
  bool orthographic = false;
};

// The frame's list: window mode (window bars, scale bar) or all bars, the floor, lanes and
// links if shown, inside the look's frame; then the HUD (pick, ruler, text) over all.
// Reads the viewport and matrix from the GL. The bar, floor and link passes keep their
// arrays between frames and rebuild them only when what they depend on changes; the list
// points at them.
void buildSceneList(DrawList& list, const ViewState& view, const SceneLook& look = SceneLook{});

// The look drawScene builds with from now on; the viewer never sets one.
void setSceneLook(const SceneLook& look);

// Builds the frame's list and replays it through the GL.
void drawScene(const ViewState& view);

// The list the last drawScene drew, for the picture's other writers.
DrawList& lastSceneList();

// The passes a frame draws: drawScene, or the tests' and the benchmark's stand-ins.
using ScenePasses = void (*)(const ViewState& view);

// The frame every caller draws: clear to the sky, push the frame matrix, input (the
// viewer's controls; none in the tools), advanceView, the passes, pop.
void renderFrame(ViewState& view, void (*input)() = nullptr, ScenePasses passes = drawScene);
