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
    if (view.moveRight) record.x = static_cast<float>(record.x + 0.1);
    if (view.moveLeft) record.x = static_cast<float>(record.x - 0.1);
    if (view.jumpForward) record.y = static_cast<float>(record.y + 0.1);
    if (view.jumpBack) record.y = static_cast<float>(record.y - 0.1);
  }
  ++recordTable.revision;
  noteFarSlide(view);
}

void drawBars(int style, const ViewState& view) {
  glPushMatrix();
  applyCameraTransform();
  BarSelection selection{recordTable.revision, recordTable.count, view.threshold, style == 1, false, 0};
  selection.colourMode = view.colourMode;
  selection.minIdentity = view.minIdentity;
  drawBarBatch(selection);
  glPopMatrix();
}
