// quelvar-snapshot: renders what the viewer would show into a PNG, through an offscreen
// EGL context, starting up exactly as the viewer does.
#include <chrono>
#include <cstdio>
#include <vector>

#include "camera.h"
#include "offscreen_context.h"
#include "png_writer.h"
#include "projection.h"
#include "record_table.h"
#include "scene_frame.h"
#include "snapshot_options.h"
#include "tandem_loader.h"
#include "zoom_step.h"

int main(int argc, char** argv) {
  static SnapshotOptions options;
  char error[512];
  if (!parseSnapshotOptions(argc, argv, options, error, sizeof error)) {
    std::fprintf(stderr, "%s\n", error);
    return 2;
  }
  if (!openOffscreenContext(options.width, options.height, error, sizeof error)) {
    std::fprintf(stderr, "quelvar-snapshot: %s\n", error);
    return 1;
  }

  startScene();
  resizeView(options.width, options.height);
  loadTandemList(options.listPath, 1);
  normalizeRecords();
  ViewState& view = options.view;
  for (int32_t i = 0; i < options.zoomSteps; ++i) zoomStep(view);
  if (options.cameraGiven) {
    camera.camX = options.camX;
    camera.camY = options.camY;
    camera.pitch = options.pitch;
    camera.yaw = options.yaw;
  }

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < options.frames; ++i) renderFrame(view);
  finishOffscreenDrawing();
  auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  if (options.timed) std::fprintf(stderr, "frame_ms %.3f\n", elapsed.count() / options.frames);
  std::vector<uint8_t> rgb(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3);
  readOffscreenPixels(rgb.data());
  closeOffscreenContext();

  if (!writeRgbPng(options.outPath, rgb.data(), options.width, options.height, error, sizeof error)) {
    std::fprintf(stderr, "quelvar-snapshot: %s\n", error);
    return 1;
  }
  return 0;
}
