#include "frame_loop.h"

#include <cstdio>

#include "controls.h"
#include "platform.h"
#include "projection.h"
#include "scene_frame.h"
#include "tandem_loader.h"
#include "view_state_instance.h"

namespace {

// Without a window there is nothing to show; say so rather than end as if all went well.
int failStart(const char* what) {
  std::fprintf(stderr, "quelvar: %s\n", what);
  return 1;
}

}  // namespace

void drawFrame() {
  clearFrame();
  pushFrameMatrix();
  handleInput();
  drawScene(viewState);
  popFrameMatrix();
  swapFrameBuffers();
  pauseThread(1);
}

int32_t runFrames() {
  WindowMessage message{};
  for (;;) {
    // Messages always come first; no frame is drawn while one waits.
    if (takeMessage(&message)) {
      if (message.kind == MessageKind::Quit) return message.exitCode;
      dispatchMessage(message);
      continue;
    }
    drawFrame();
  }
}

int runViewer(void* instance, int32_t showCommand) {
  if (!registerWindowClass(instance)) return failStart("cannot register the window class");
  if (!createViewerWindow(kViewerTitle, kWindowOuterWidth, kWindowOuterHeight))
    return failStart("cannot open the viewer window");
  showViewerWindow(showCommand);
  createGlContext();
  startScene();
  int32_t width = 0;
  int32_t height = 0;
  readClientSize(&width, &height);
  if (width > 0 && height > 0) resizeView(width, height);
  loadTandemList("date.txt", 1);
  normalizeRecords();
  // The summary is all the viewer prints; let a pipe see it while the window is open.
  std::fflush(stdout);
  int32_t exitCode = runFrames();
  destroyGlContext();
  destroyViewerWindow();
  return exitCode;
}
