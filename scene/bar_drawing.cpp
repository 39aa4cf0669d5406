#include "bar_drawing.h"

#include "bar_batch.h"
#include "camera_transform.h"
#include "gl.h"

void drawBars(const ViewState& view) {
  ViewState allBars = view;
  allBars.windowMode = false;
  glPushMatrix();
  applyCameraTransform();
  drawBarBatch(allBars, view.pointStyle);
  glPopMatrix();
}
