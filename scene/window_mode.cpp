#include "window_mode.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "axis_units.h"
#include "bar_batch.h"
#include "camera_transform.h"
#include "gl.h"
#include "record_table.h"

namespace {

constexpr int32_t kSlideStep = 1000;
constexpr int32_t kJumpStep = 100000;

// The window stops at the int32 limits instead of wrapping round to the other end.
int32_t saturatingAdd(int32_t value, int32_t step) {
  int64_t sum = static_cast<int64_t>(value) + step;
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(sum);
}

}  // namespace

void shiftWindow(ViewState& view) {
  if (view.moveRight) view.windowStart = saturatingAdd(view.windowStart, kSlideStep);
  if (view.moveLeft) view.windowStart = saturatingAdd(view.windowStart, -kSlideStep);
  if (view.jumpBack) {
    view.windowStart = saturatingAdd(view.windowStart, -kJumpStep);
    view.jumpBack = false;
  }
  if (view.jumpForward) {
    view.windowStart = saturatingAdd(view.windowStart, kJumpStep);
    view.jumpForward = false;
  }
}

void drawWindowBars(const ViewState& view) {
  glPushMatrix();
  applyCameraTransform();
  ViewState windowed = view;
  windowed.windowMode = true;
  drawBarBatch(windowed, false);
  glPopMatrix();
}

void drawScaleBar(const ViewState& view) {
  double scale = std::pow(kZoomFactor, view.zoomSteps);
  glPushMatrix();
  applyCameraTransform();
  glTranslatef(static_cast<float>(view.windowStart * kAxisScale * scale), 0.0f, 0.0f);
  glBegin(GL_LINES);
  glColor3d(1.0, 0.0, 0.0);
  glVertex3f(0.0f, -0.1f, 0.0f);
  glVertex3f(static_cast<float>(scale), -0.1f, 0.0f);
  glEnd();
  glPopMatrix();
}
