#include "projection.h"

#include "camera.h"
#include "gl.h"

namespace {

// The client area and the altitude the frustum was last made for.
int viewWidth = 0, viewHeight = 0;
float madeForAltitude = 2.0f;

}  // namespace

void resizeView(int width, int height) {
  // A minimised or zero-height client area has no aspect ratio; the next real resize
  // sets both again.
  if (height == 0) return;
  viewWidth = width;
  viewHeight = height;
  madeForAltitude = camera.camZ;
  glViewport(0, 0, width, height);
  glLoadIdentity();
  float aspect = static_cast<float>(width) / static_cast<float>(height);
  // At the start height the scale is 1 and these are the viewer's constant frustum.
  float scale = altitudeScale(camera);
  const float edge = 0.1f * scale;
  const float nearPlane = 0.2f * scale;
  double farPlane = 1000.0 * (scale > 1.0f ? scale : 1.0f);
  glFrustum(-static_cast<double>(aspect * edge), static_cast<double>(aspect * edge), -static_cast<double>(edge),
            static_cast<double>(edge), static_cast<double>(nearPlane), farPlane);
}

void followCameraAltitude() {
  if (camera.camZ == madeForAltitude || viewHeight == 0) return;
  // The frustum sits under the frame's pushed matrix.
  glPopMatrix();
  resizeView(viewWidth, viewHeight);
  glPushMatrix();
}

void flatView(int width, int height, double left, double right, double bottom, double top) {
  if (height == 0) return;
  viewHeight = 0;  // a flat view keeps its box whatever the camera's height
  glViewport(0, 0, width, height);
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -1e4, 1e4);
}
