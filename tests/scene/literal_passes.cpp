#include "literal_passes.h"

#include <cmath>
#include <cstdint>

#include "axis_units.h"
#include "camera_transform.h"
#include "floor.h"
#include "gl.h"
#include "record_table.h"
#include "window_mode.h"

namespace {

const float kCubeVertices[8][3] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0},
                                   {0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}};
const uint32_t kCubeIndices[36] = {0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4, 3, 2, 5, 6, 7, 3,
                                   0, 1, 5, 5, 4, 0, 1, 2, 6, 6, 5, 1, 0, 3, 7, 7, 4, 0};

void drawLine(const TandemRecord& record) {
  glPushMatrix();
  glTranslatef(record.x, record.y, 0.0f);
  glBegin(GL_LINES);
  glColor3d(0.0, 0.0, record.r);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, record.len);
  glEnd();
  glPopMatrix();
}

}  // namespace

void literalDrawBars(int style, const ViewState& view) {
  glPushMatrix();
  applyCameraTransform();
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& record = recordTable.slots[i];
    if (!(record.len > view.filter.threshold)) continue;
    if (style != 1) {
      drawLine(record);
      continue;
    }
    glPushMatrix();
    glTranslatef(record.x, record.y, 0.0f);
    glPointSize(2.0f);
    glBegin(GL_POINTS);
    glColor3d(record.r, record.g, record.b);
    glVertex3f(0.0f, 0.0f, record.len);
    glEnd();
    glPopMatrix();
  }
  glPopMatrix();
}

void literalDrawWindowBars(const ViewState& view) {
  glPushMatrix();
  applyCameraTransform();
  int64_t low = view.filter.windowStart;
  int64_t high = low + 100000;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& record = recordTable.slots[i];
    bool partnerIn = low <= record.partner && record.partner <= high;
    bool posIn = low <= record.pos && record.pos <= high;
    if ((partnerIn || posIn) && record.len > view.filter.threshold) drawLine(record);
  }
  glPopMatrix();
}

void literalDrawFloor() {
  glPushMatrix();
  applyCameraTransform();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, kCubeVertices);
  for (int i = 0; i < kFloorTilesX; ++i)
    for (int j = 0; j < kFloorTilesY; ++j) {
      const float* colour = floorTiles.colour[i * kFloorTilesY + j];
      glPushMatrix();
      glTranslatef(static_cast<float>(i), static_cast<float>(j), 0.0f);
      glColor3f(colour[0], colour[1], colour[2]);
      glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, kCubeIndices);
      glPopMatrix();
    }
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}

void literalDrawScaleBar(const ViewState& view) {
  double scale = std::pow(kZoomFactor, view.zoomSteps);
  glPushMatrix();
  applyCameraTransform();
  glTranslatef(static_cast<float>(view.filter.windowStart * kAxisScale * scale), 0.0f, 0.0f);
  glBegin(GL_LINES);
  glColor3d(1.0, 0.0, 0.0);
  glVertex3f(0.0f, -0.1f, 0.0f);
  glVertex3f(static_cast<float>(scale), -0.1f, 0.0f);
  glEnd();
  glPopMatrix();
}

void literalDrawScene(const ViewState& view) {
  if (view.filter.windowMode) {
    literalDrawWindowBars(view);
    literalDrawScaleBar(view);
  } else {
    literalDrawBars(view.look.pointStyle ? 1 : 2, view);
  }
  if (view.look.showFloor) literalDrawFloor();
}
