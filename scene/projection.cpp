#include "projection.h"

#include "gl.h"

void resizeView(int width, int height) {
  // A minimised or zero-height client area has no aspect ratio; the next real resize
  // sets both again.
  if (height == 0) return;
  glViewport(0, 0, width, height);
  glLoadIdentity();
  float aspect = static_cast<float>(width) / static_cast<float>(height);
  const float edge = 0.1f;
  const float nearPlane = 0.2f;
  glFrustum(-static_cast<double>(aspect * edge), static_cast<double>(aspect * edge), -static_cast<double>(edge),
            static_cast<double>(edge), static_cast<double>(nearPlane), 1000.0);
}

void flatView(int width, int height, double left, double right, double bottom, double top) {
  if (height == 0) return;
  glViewport(0, 0, width, height);
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -1e4, 1e4);
}
