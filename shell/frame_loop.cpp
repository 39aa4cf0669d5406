#include "frame_loop.h"

#include <cstdint>
#include <cstdio>
#if defined(_WIN32)
#include <io.h>
#endif

#include "cli_tool.h"
#include "controls.h"
#include "fasta_pairs.h"
#include "flight.h"
#include "frame_save.h"
#include "pair_pick.h"
#include "pair_file.h"
#include "platform.h"
#include "projection.h"
#include "bar_records.h"
#include "pyramid_bars.h"
#include "scene_frame.h"
#include "tandem_loader.h"
#include "view_start.h"
#include "view_state_instance.h"
#include "viewer_window.h"
#include "work_load.h"

namespace {

// Without a window there is nothing to show; say so rather than end as if all went well.
int failStart(const char* what) {
  std::fprintf(stderr, "quelvar: %s\n", what);
  return 1;
}

// Whether the viewer was given a standard output. A Windows program started without one
// (from Explorer) has none to fail on.
bool standardOutputGiven() {
#if defined(_WIN32)
  intptr_t handle = _get_osfhandle(1);
  return !cliStreamWasClosed(1) && handle != -1 && handle != -2;
#else
  return true;
#endif
}

// One frame: input and the passes, swap, and the 1 ms rest.
void showFrame() {
  renderFrame(viewState, handleInput);
  saveFrameIfRequested();  // the back buffer, before the swap shows it
  pickForNextFrame();
  swapFrameBuffers();
  pauseThread(1);
}

// Events always come first; no frame is drawn while one waits.
int32_t runFrames() {
  int32_t exitCode = 0;
  while (!handleWaitingEvents(&exitCode)) showFrame();
  return exitCode;
}

}  // namespace

int runViewer(const ViewerOptions& options) {
  bool hadStandardOutput = standardOutputGiven();
  if (!prepareWindowSystem()) return 1;  // the backend said why, in its system's terms
  if (!openWindow(kWindowTitle, kWindowOuterWidth, kWindowOuterHeight))
    return failStart("cannot open the viewer window");
  showWindow();
  openGlContext();
  startScene();
  buildPyramidAside(true);  // a new filter's pyramid is made while the old one is drawn
  int32_t width = 0;
  int32_t height = 0;
  readClientSize(&width, &height);
  if (width > 0 && height > 0) resizeView(width, height);
  if (options.file == nullptr) {
    loadTandemList("date.txt", 1);
  } else {
    int32_t closedWith = 0;
    int answer = loadViewerFile(options, closedWith);
    if (answer == kFastaCancelled) {
      std::fprintf(stderr, options.pairs.import.fasta
                               ? "quelvar: the window was closed before the alignment was done; it was stopped\n"
                               : "quelvar: the window was closed before the pairs were loaded\n");
      closeGlContext();
      closeWindow();
      return closedWith;
    }
    if (answer == kViewerLoadFailed) {  // said, in the window too, which is now closed
      closeGlContext();
      closeWindow();
      return kExitFailed;
    }
  }
  normalizeBars();
  std::string refused;
  if (!loadViewAnnotations(options.view, refused)) {
    closeGlContext();
    closeWindow();
    cliError("%s", refused.c_str());
    return kExitFailed;
  }
  if (!checkViewWork(options.view, barsRewrittenByAStep(), refused)) {
    closeGlContext();
    closeWindow();
    return cliUsageError("%s", refused.c_str());
  }
  viewState.fileName = fileLabel(options.file != nullptr ? options.file : "date.txt");
  // Given a FILE or an option the camera flies; without, it keeps its one height.
  letCameraFly(options.anyArgument);
  startView(options.view);
  actOncePerPress(options.anyArgument);
  rememberViewerSource(options);
  // The summary is all the viewer prints; let a pipe see it while the window is open.
  cliFlushStdout();
  int32_t exitCode = runFrames();
  closeGlContext();
  closeWindow();
  // The summary, picks and saves went to standard output: if it could not take them, say
  // so now that the window is gone, and fail.
  if (hadStandardOutput && !cliCloseStdout() && exitCode == 0) exitCode = 1;
  return exitCode;
}
