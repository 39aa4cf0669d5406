#include "frame_readback.h"

#include <cstring>

#include "gl.h"

void frameSize(int32_t* width, int32_t* height) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  *width = viewport[2];
  *height = viewport[3];
}

// The passes always draw into a viewport at the origin (projection.h).
void readFrameRgb(std::vector<uint8_t>& rgb, int32_t* width, int32_t* height) {
  frameSize(width, height);
  size_t row = static_cast<size_t>(*width) * 3;
  std::vector<uint8_t> bottomUp(row * static_cast<size_t>(*height));
  rgb.resize(bottomUp.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, *width, *height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  for (int32_t y = 0; y < *height; ++y)
    std::memcpy(&rgb[static_cast<size_t>(y) * row], &bottomUp[static_cast<size_t>(*height - 1 - y) * row], row);
}
