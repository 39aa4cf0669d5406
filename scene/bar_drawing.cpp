#include "bar_drawing.h"

#include "bar_batch.h"
#include "camera_transform.h"
#include "gl.h"
#include "record_moves.h"
#include "record_table.h"

void slideFarPart(const ViewState& view) {
  if (!view.moveRight && !view.moveLeft && !view.jumpForward && !view.jumpBack) return;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    TandemRecord& record = recordTable.slots[i];
    if (record.pos <= kFarPartStart) continue;
    // Each step on its own, in the order the flags are read, so the rounding is the same.
    if (view.moveRight) record.x = static_cast<float>(record.x + kFarSlideStep);
    if (view.moveLeft) record.x = static_cast<float>(record.x - kFarSlideStep);
    if (view.jumpForward) record.y = static_cast<float>(record.y + kFarSlideStep);
    if (view.jumpBack) record.y = static_cast<float>(record.y - kFarSlideStep);
  }
  ++recordTable.revision;
  noteFarSlide(view);
}

void drawBars(const ViewState& view) {
  ViewState allBars = view;
  allBars.windowMode = false;
  glPushMatrix();
  applyCameraTransform();
  drawBarBatch(allBars, view.pointStyle);
  glPopMatrix();
}
