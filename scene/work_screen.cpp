#include "work_screen.h"

#include <algorithm>

#include "gl.h"
#include "text_drawing.h"

namespace {

constexpr float kInk[3] = {0.08f, 0.1f, 0.16f};
constexpr float kFailureInk[3] = {0.85f, 0.05f, 0.05f};
constexpr float kTrough[4] = {1.0f, 1.0f, 1.0f, 0.7f};
constexpr float kFill[4] = {0.15f, 0.35f, 0.75f, 1.0f};
constexpr int kBarHeight = 18;

}  // namespace

void drawWorkScreen(const char* heading, const char* status, double fraction) {
  glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  beginOverlay();
  int width = 0, height = 0;
  overlaySize(width, height);
  int barWidth = std::max(0, std::min(width - 40, 760));
  int left = (width - barWidth) / 2;
  int barTop = height / 2;
  drawText(heading, left, barTop - 58, 20.0f, kInk);
  drawText(status, left, barTop - 28, 14.0f, kInk);
  drawPanel(left, barTop, barWidth, kBarHeight, kTrough);
  double done = std::clamp(fraction, 0.0, 1.0);
  drawPanel(left, barTop, static_cast<int>(barWidth * done + 0.5), kBarHeight, kFill);
  drawText("Closing the window stops the work.", left, barTop + kBarHeight + 12, 14.0f, kInk);
  endOverlay();
}

void drawFailureScreen(const char* heading, const char* reason) {
  glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  beginOverlay();
  int width = 0, height = 0;
  overlaySize(width, height);
  int left = (width - std::max(0, std::min(width - 40, 760))) / 2;
  int top = height / 2;
  drawText(heading, left, top - 58, 20.0f, kInk);
  drawText(reason, left, top - 28, 14.0f, kFailureInk);
  drawText("Close the window to quit.", left, top + 12, 14.0f, kInk);
  endOverlay();
}
