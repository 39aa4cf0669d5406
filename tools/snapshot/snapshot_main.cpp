// quelvar-snapshot: renders what the viewer would show into a PNG, through an offscreen
// EGL context, starting up exactly as the viewer does.
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "camera.h"
#include "cli_tool.h"
#include "offscreen_context.h"
#include "output_file.h"
#include "pair_file.h"
#include "png_writer.h"
#include "projection.h"
#include "record_table.h"
#include "scene_frame.h"
#include "snapshot_options.h"
#include "tandem_loader.h"
#include "view_options.h"

int main(int argc, char** argv) {
  startCli("quelvar-snapshot");
  static SnapshotOptions options;
  int stop = parseSnapshotOptions(argc, argv, options);
  if (stop != kCliGoOn) return stop;

  // The target is checked before any work, and the picture goes to a temporary beside it.
  OutputFile out;
  int opened = openOutputFile(out, options.outPath, {options.listPath}, true);
  if (opened != kExitOk) return opened;

  char error[512];
  if (!openOffscreenContext(options.width, options.height, error, sizeof error)) {
    abandonOutputFile(out);
    cliError("%s", error);
    return kExitFailed;
  }

  startScene();
  resizeView(options.width, options.height);
  int readError = loadPairFile(options.listPath, options.file, 1);
  bool summaryWritten = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (readError != 0) {
    abandonOutputFile(out);
    closeOffscreenContext();
    if (readError == kPairFileRefused)
      cliError("no picture written");  // the import said why
    else
      cliError("cannot read %s: %s; no picture written", options.listPath, std::strerror(readError));
    return kExitFailed;
  }
  normalizeRecords();
  ViewState& view = options.view;
  view.fileName = fileLabel(options.listPath);
  applyViewOptions(options, view);

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < options.frames; ++i) {
    renderFrame(view);
    // Without a finish per frame the renderer queues every frame's commands until the
    // read-back, and memory grows with --frames.
    finishOffscreenDrawing();
  }
  auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  if (options.timed) std::fprintf(stderr, "frame_ms %.3f\n", elapsed.count() / options.frames);
  std::vector<uint8_t> rgb(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 3);
  readOffscreenPixels(rgb.data());
  closeOffscreenContext();

  std::vector<uint8_t> png;
  if (!encodeRgbPng(rgb.data(), options.width, options.height, png)) {
    abandonOutputFile(out);
    cliError("cannot encode the picture as PNG");
    return kExitFailed;
  }
  if (!writeOutputBytes(out, png.data(), png.size())) {
    cliError("cannot write %s: %s", options.outPath, std::strerror(errno));
    abandonOutputFile(out);
    return kExitFailed;
  }
  if (!commitOutputFile(out)) return kExitFailed;
  return summaryWritten && cliCloseStdout() ? kExitOk : kExitFailed;
}
