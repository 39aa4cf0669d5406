// The start-up sequence, the event-first loop and the reactions to window events, with the
// scripted window system and a real offscreen GL context, so frames and resizes really
// reach OpenGL.
#include <gtest/gtest.h>
#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "camera.h"
#include "frame_loop.h"
#include "offscreen_context.h"
#include "record_table.h"
#include "scripted_platform.h"
#include "view_state_instance.h"
#include "window_events.h"

namespace {

uint8_t frame[1000 * 600 * 3];

class FrameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    resetViewer();
    char pattern[] = "/tmp/quelvar-shell-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    ASSERT_EQ(getcwd(previous, sizeof(previous)), previous);
    ASSERT_EQ(chdir(folder.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous), 0);
    std::system(("rm -rf " + folder).c_str());
  }
  static void writeList(const char* text) {
    FILE* file = std::fopen("date.txt", "w");
    std::fputs(text, file);
    std::fclose(file);
  }

  std::string folder;
  char previous[4096];
};

// Closes the window after the third frame, reading the frames back as they are shown.
int32_t skyPixelsSeen = 0;
int32_t eventsBeforeFirstFrame = -1;
void closeAfterThirdFrame(int32_t swaps) {
  if (swaps == 1) eventsBeforeFirstFrame = scripted.handled;
  readOffscreenPixels(frame);
  const uint8_t* topRight = frame + (999) * 3;
  if (topRight[0] == 153 && topRight[1] == 204 && topRight[2] == 255) ++skyPixelsSeen;
  if (swaps == 3) queueScriptedEvent(windowCloseRequested);
}

TEST_F(FrameLoop, StartsUpInOrderDrawsUntilClosedAndEndsWithZero) {
  writeList("100/200/50/7 300/400/10/1 500/600/25/0\n");
  for (int i = 0; i < 4; ++i) queueScriptedEvent(pointerOverWindow);
  queueScriptedEvent([] { windowResized(1000, 600); });
  scripted.afterSwap = closeAfterThirdFrame;
  testing::internal::CaptureStdout();
  int exitCode = runViewer();
  std::string out = testing::internal::GetCapturedStdout();

  EXPECT_EQ(exitCode, 0);
  // window system, window of 1000 x 600, show, context, client size ... context gone before the window
  EXPECT_STREQ(scripted.calls, "rwsczCW");
  EXPECT_EQ(out, "Count tandem load - 5\nMax len tandem - 50\n");  // count is the next free slot
  EXPECT_EQ(recordTable.count, 5);  // the token of length 10 is not stored
  EXPECT_EQ(eventsBeforeFirstFrame, 5);  // every waiting event before any frame
  EXPECT_EQ(scripted.swaps, 3);
  EXPECT_EQ(scripted.pauses1, 3);  // each frame rests 1 ms
  EXPECT_EQ(skyPixelsSeen, 3);
  EXPECT_EQ(scripted.displayCount, -4);
}

TEST_F(FrameLoop, WithoutAWindowItSaysSoAndFails) {
  scripted.prepareSucceeds = false;
  testing::internal::CaptureStderr();
  EXPECT_EQ(runViewer(), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("window class"), std::string::npos);
  EXPECT_STREQ(scripted.calls, "r");

  resetScripted();
  scripted.windowSucceeds = false;
  testing::internal::CaptureStderr();
  EXPECT_EQ(runViewer(), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("window"), std::string::npos);
  EXPECT_STREQ(scripted.calls, "rw");
  EXPECT_EQ(recordTable.count, 1);  // nothing loaded without a window
}

struct GLView {
  GLint viewport[4];
  GLfloat matrix[16];
};

GLView readView() {
  GLView view;
  glGetIntegerv(GL_VIEWPORT, view.viewport);
  glGetFloatv(GL_MODELVIEW_MATRIX, view.matrix);
  return view;
}

TEST(WindowEvents, ResizeSetsViewportAndFrustumButAnEmptyAreaKeepsThem) {
  char error[200];
  ASSERT_TRUE(openOffscreenContext(1000, 600, error, sizeof(error))) << error;
  resetScripted();
  windowResized(800, 400);
  GLView set = readView();
  EXPECT_EQ(set.viewport[2], 800);
  EXPECT_EQ(set.viewport[3], 400);
  // left -0.2, right 0.2, near 0.2: the x scale 2 near / (right - left) is 1
  EXPECT_NEAR(set.matrix[0], 1.0, 1e-5);
  EXPECT_NEAR(set.matrix[5], 2.0, 1e-5);

  for (auto empty : {std::make_pair(0, 0), std::make_pair(640, 0), std::make_pair(0, 480)}) {
    windowResized(empty.first, empty.second);
    GLView after = readView();
    EXPECT_EQ(after.viewport[2], 800);
    EXPECT_EQ(after.viewport[3], 400);
    EXPECT_EQ(after.matrix[0], set.matrix[0]);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  closeOffscreenContext();
}

TEST(WindowEvents, CloseQuitsWithZero) {
  resetScripted();
  windowCloseRequested();
  EXPECT_TRUE(scripted.quitPosted);
  EXPECT_EQ(scripted.quitCode, 0);
  EXPECT_EQ(scripted.displaySteps, 0);
}

// The events that came before the close are handled before the quit, and so are those
// that came after it; a waiting event keeps every frame back.
TEST_F(FrameLoop, EveryWaitingEventComesBeforeTheQuitAndNoFrameIsDrawn) {
  writeList("\n");
  queueScriptedEvent(pointerOverWindow);
  queueScriptedEvent(windowCloseRequested);
  queueScriptedEvent(pointerOverWindow);
  queueScriptedEvent([] { keyPressed(ViewerKey::Escape); });
  EXPECT_EQ(runViewer(), 0);
  EXPECT_STREQ(scripted.calls, "rwsczCW");
  EXPECT_EQ(scripted.handled, 4);
  EXPECT_EQ(scripted.swaps, 0);
  EXPECT_EQ(viewState.input.cursorFree, 1);  // Escape, handled after the close
  EXPECT_EQ(scripted.pauses100, 1);
  EXPECT_EQ(scripted.displayCount, 1);  // two hides, then shown past zero
}

// Escape held down between frames: each auto-repeat toggles with its pause, before the
// next frame, and an event that arrives during that pause waits for no frame either.
int32_t swapsAtPause[4];
int32_t pausesSeen = 0;
void noteSwapsAtPause(uint32_t milliseconds) {
  if (milliseconds != 100) return;
  swapsAtPause[pausesSeen++] = scripted.swaps;
  if (pausesSeen == 1) queueScriptedEvent(pointerOverWindow);
}
void repeatEscapeAfterFirstFrame(int32_t swaps) {
  if (swaps == 1)
    for (int i = 0; i < 3; ++i) queueScriptedEvent([] { keyPressed(ViewerKey::Escape); });
  if (swaps == 2) queueScriptedEvent(windowCloseRequested);
}

TEST_F(FrameLoop, EscapeAutoRepeatsActBetweenFramesEachWithItsPause) {
  writeList("\n");
  pausesSeen = 0;
  scripted.duringPause = noteSwapsAtPause;
  scripted.afterSwap = repeatEscapeAfterFirstFrame;
  EXPECT_EQ(runViewer(), 0);
  EXPECT_EQ(pausesSeen, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(swapsAtPause[i], 1);
  EXPECT_EQ(scripted.handled, 5);  // three Escapes, the pointer event, the close
  EXPECT_EQ(scripted.swaps, 2);
  EXPECT_EQ(viewState.input.cursorFree, 1);
}

}  // namespace
