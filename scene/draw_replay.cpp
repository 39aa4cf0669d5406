#include "draw_replay.h"

#include "camera_transform.h"
#include "clip_space_draw.h"
#include "gl.h"
#include "text_drawing.h"

namespace {

GLenum modeOf(DrawKind kind) {
  switch (kind) {
    case DrawKind::lineStrip: return GL_LINE_STRIP;
    case DrawKind::points: return GL_POINTS;
    case DrawKind::triangles: return GL_TRIANGLES;
    case DrawKind::quads: return GL_QUADS;
    default: return GL_LINES;
  }
}

// Each vertex's colour given only where it changes, as the passes set it once per run.
void vertices(const DrawList& list, const DrawItem& item, bool flat2d) {
  const DrawVertex* colourOf = nullptr;
  glBegin(modeOf(item.kind));
  for (int32_t k = 0; k < item.count; ++k) {
    const DrawVertex& v = list.vertices[static_cast<size_t>(item.first + k)];
    if (colourOf == nullptr || v.rgba[0] != colourOf->rgba[0] || v.rgba[1] != colourOf->rgba[1] ||
        v.rgba[2] != colourOf->rgba[2] || v.rgba[3] != colourOf->rgba[3]) {
      glColor4f(v.rgba[0], v.rgba[1], v.rgba[2], v.rgba[3]);
      colourOf = &v;
    }
    if (flat2d)
      glVertex2f(v.x, v.y);
    else
      glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

void replayClip(const DrawItem& item) {
  if (item.kind == DrawKind::points && item.size > 0) glPointSize(item.size);
  if (item.count > 0) drawClipSpaceArrays(modeOf(item.kind), item.clipVertices, item.clipColours, item.count);
}

void applyTurn(const DrawTurn& turn) {
  applyCameraTransform();
  if (turn.translateX != 0 || turn.translateZ != 0) glTranslatef(turn.translateX, 0.0f, turn.translateZ);
  if (turn.scaleZ != 1) glScalef(1.0f, 1.0f, turn.scaleZ);
  if (turn.upright) glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
}

void replayWorld(const DrawList& list, const DrawItem& item) {
  glPushMatrix();
  applyTurn(item.turn);
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  if (item.onTop) glDisable(GL_DEPTH_TEST);
  if (item.size > 0) glLineWidth(item.size);
  if (item.indices != nullptr) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, item.points);
    glColorPointer(3, GL_UNSIGNED_BYTE, 0, item.pointColours);
    glDrawElements(GL_LINES, item.count, GL_UNSIGNED_INT, item.indices);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
  } else {
    vertices(list, item, false);
  }
  glPopAttrib();
  glPopMatrix();
}

// Overlay pixels to normalised device coordinates, in double as the panels always were.
void replayOverlay(const DrawList& list, const DrawItem& item) {
  if (item.kind == DrawKind::text) {
    const TextRun& text = list.texts[static_cast<size_t>(item.text)];
    drawText(text.text.c_str(), static_cast<int>(text.x), static_cast<int>(text.y), text.size, text.rgb);
    return;
  }
  if (list.width <= 0 || list.height <= 0) return;
  glBegin(modeOf(item.kind));
  for (int32_t k = 0; k < item.count; ++k) {
    const DrawVertex& v = list.vertices[static_cast<size_t>(item.first + k)];
    if (k == 0) glColor4f(v.rgba[0], v.rgba[1], v.rgba[2], v.rgba[3]);
    glVertex2f(static_cast<float>(2.0 * static_cast<int>(v.x) / list.width - 1.0),
               static_cast<float>(1.0 - 2.0 * static_cast<int>(v.y) / list.height));
  }
  glEnd();
}

}  // namespace

void turnedMatrix(const DrawTurn& turn, float matrix[16]) {
  glPushMatrix();
  applyTurn(turn);
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  glPopMatrix();
}

void startSceneList(DrawList& list) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  float matrix[16];
  turnedMatrix(DrawTurn{}, matrix);
  const int box[4] = {viewport[0], viewport[1], viewport[2], viewport[3]};
  startDrawList(list, box, matrix);
}

void replayDrawList(const DrawList& list) {
  if (list.lineWidth != 1) glLineWidth(list.lineWidth);
  size_t n = list.items.size();
  for (size_t i = 0; i < n;) {
    const DrawItem& item = list.items[i];
    if (item.space == DrawSpace::overlay) {
      beginOverlay();
      for (; i < n && list.items[i].space == DrawSpace::overlay; ++i) replayOverlay(list, list.items[i]);
      endOverlay();
      continue;
    }
    ++i;
    switch (item.kind) {
      case DrawKind::clear:
        glClearColor(item.colour[0], item.colour[1], item.colour[2], 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        continue;
      case DrawKind::scissorOn:
        glScissor(item.box[0], item.box[1], item.box[2], item.box[3]);
        glEnable(GL_SCISSOR_TEST);
        continue;
      case DrawKind::scissorOff:
        glDisable(GL_SCISSOR_TEST);
        continue;
      default:
        break;
    }
    if (item.space == DrawSpace::clip)
      replayClip(item);
    else if (item.space == DrawSpace::world)
      replayWorld(list, item);
  }
  if (list.lineWidth != 1) glLineWidth(1.0f);
}
