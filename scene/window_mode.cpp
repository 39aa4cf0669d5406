#include "window_mode.h"

#include <cmath>

#include "axis_units.h"
#include "bar_batch.h"
#include "camera_transform.h"
#include "gl.h"
#include "record_table.h"

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
