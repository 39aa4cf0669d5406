#include "clip_space_draw.h"

void drawClipSpaceArrays(GLenum mode, const float (*vertices)[4], const float (*colours)[3], int32_t count) {
  glPushMatrix();
  glLoadIdentity();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(4, GL_FLOAT, 0, vertices);
  glColorPointer(3, GL_FLOAT, 0, colours);
  // Flat shading: one colour per primitive, taken as it is. Smooth shading would interpolate
  // the equal vertex colours with perspective and round a channel like 0.5 the other way.
  GLint shadeModel = GL_SMOOTH;
  glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
  glShadeModel(GL_FLAT);
  glDrawArrays(mode, 0, count);
  glShadeModel(static_cast<GLenum>(shadeModel));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}
