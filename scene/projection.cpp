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
