#include "frame_readback.h"

#include <cstring>

#include "gl.h"

void frameSize(int32_t* width, int32_t* height) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  *width = viewport[2];
  *height = viewport[3];
}

void readFrameRgb(std::vector<uint8_t>& rgb, int32_t* width, int32_t* height) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  *width = viewport[2];
  *height = viewport[3];
  size_t row = static_cast<size_t>(viewport[2]) * 3;
  std::vector<uint8_t> bottomUp(row * static_cast<size_t>(viewport[3]));
  rgb.resize(bottomUp.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(viewport[0], viewport[1], viewport[2], viewport[3], GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  for (GLint y = 0; y < viewport[3]; ++y)
    std::memcpy(&rgb[static_cast<size_t>(y) * row], &bottomUp[static_cast<size_t>(viewport[3] - 1 - y) * row], row);
}
