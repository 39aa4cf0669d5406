#include "camera_transform.h"

#include "camera.h"
#include "gl.h"

void applyCameraTransform() {
  glRotatef(-camera.pitch, 1.0f, 0.0f, 0.0f);
  glRotatef(-camera.yaw, 0.0f, 0.0f, 1.0f);
  glTranslatef(-camera.camX, -camera.camY, -camera.camZ);
}
