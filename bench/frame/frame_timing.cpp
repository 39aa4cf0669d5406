#include "frame_timing.h"

#include <chrono>
#include <ctime>

#include "cli_tool.h"
#include "gl.h"
#include "offscreen_context.h"
#include "projection.h"

FrameTime timeFrames(ViewState& view, const Camera& start, int frames, bool turning, ScenePasses passes) {
  double total = 0;
  std::clock_t cpuStart = std::clock();
  for (int f = 0; f < frames; ++f) {
    camera = start;
    if (turning) camera.yaw += 0.01f * static_cast<float>(f % 2 + 1);
    auto began = std::chrono::steady_clock::now();
    renderFrame(view, nullptr, passes);
    glFinish();
    total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
  }
  double cpu = static_cast<double>(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
  return {total / frames, cpu / frames};
}

bool openFrameContext(int width, int height) {
  char error[256];
  if (!openOffscreenContext(width, height, error, sizeof error)) {
    cliError("%s", error);
    return false;
  }
  startScene();
  resizeView(width, height);
  return true;
}
