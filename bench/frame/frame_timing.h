// How every frame benchmark times a frame: the finished picture (glFinish), wall clock and
// processor time (all of llvmpipe's threads; on a busy machine it moves less).
#pragma once

#include "camera.h"
#include "scene_frame.h"

struct FrameTime {
  double wallMs;
  double cpuMs;
};

// An offscreen context of that size with the scene started in it, as the viewer's window
// would be; false (said) when none could be had.
bool openFrameContext(int width, int height);

// The mean of frames frames of view, each from start. turning nudges the yaw each frame, as
// mouse look does, so whatever a pass keeps for a still camera must be made again.
FrameTime timeFrames(ViewState& view, const Camera& start, int frames, bool turning, ScenePasses passes = drawScene);
