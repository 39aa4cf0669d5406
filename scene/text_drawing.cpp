#include "text_drawing.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gl.h"
#include "text_raster.h"

namespace {

struct CachedText {
  std::string text;
  float pixelHeight = 0;
  float colour[3] = {0, 0, 0};
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // bottom row first, as glDrawPixels reads
  uint32_t lastUse = 0;
};

constexpr int kCacheEntries = 96;  // the HUD's lines and a screenful of ruler labels
CachedText cache[kCacheEntries];
uint32_t useClock = 0;

const CachedText& cachedText(const char* utf8, float pixelHeight, const float colour[3]) {
  ++useClock;
  CachedText* oldest = &cache[0];
  for (CachedText& entry : cache) {
    if (entry.lastUse != 0 && entry.pixelHeight == pixelHeight && std::memcmp(entry.colour, colour, sizeof entry.colour) == 0 &&
        entry.text == utf8) {
      entry.lastUse = useClock;
      return entry;
    }
    if (entry.lastUse < oldest->lastUse) oldest = &entry;
  }
  TextBitmap bitmap = rasterText(utf8, pixelHeight);
  CachedText& entry = *oldest;
  entry.text = utf8;
  entry.pixelHeight = pixelHeight;
  std::memcpy(entry.colour, colour, sizeof entry.colour);
  entry.width = bitmap.width;
  entry.height = bitmap.height;
  entry.rgba.assign(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height) * 4, 0);
  uint8_t channel[3];
  for (int c = 0; c < 3; ++c) {
    float v = colour[c] < 0.0f ? 0.0f : colour[c] > 1.0f ? 1.0f : colour[c];
    channel[c] = static_cast<uint8_t>(v * 255.0f + 0.5f);
  }
  for (int y = 0; y < bitmap.height; ++y) {
    const uint8_t* in = &bitmap.coverage[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width)];
    uint8_t* out = &entry.rgba[static_cast<size_t>(bitmap.height - 1 - y) * static_cast<size_t>(bitmap.width) * 4];
    for (int x = 0; x < bitmap.width; ++x) {
      std::memcpy(out + x * 4, channel, 3);
      out[x * 4 + 3] = in[x];
    }
  }
  entry.lastUse = useClock;
  return entry;
}

// Places the raster position at a window pixel, which may lie outside the viewport: start
// from a corner that is inside, then move by pixels (glBitmap moves without drawing).
void rasterAt(int left, int bottom) {
  glRasterPos2f(-1.0f, -1.0f);
  glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(left), static_cast<float>(bottom), nullptr);
}

}  // namespace

void beginOverlay() {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPushMatrix();
  glLoadIdentity();
}

void endOverlay() {
  glPopMatrix();
  glPopAttrib();
}

void overlaySize(int& width, int& height) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  width = viewport[2];
  height = viewport[3];
}

void drawText(const char* utf8, int left, int top, float pixelHeight, const float colour[3]) {
  const CachedText& text = cachedText(utf8, pixelHeight, colour);
  int width = 0, height = 0;
  overlaySize(width, height);
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  rasterAt(left, height - (top + text.height));
  glDrawPixels(text.width, text.height, GL_RGBA, GL_UNSIGNED_BYTE, text.rgba.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void drawPanel(int left, int top, int width, int height, const float rgba[4]) {
  int viewWidth = 0, viewHeight = 0;
  overlaySize(viewWidth, viewHeight);
  if (viewWidth <= 0 || viewHeight <= 0) return;
  auto x = [&](int pixels) { return static_cast<float>(2.0 * pixels / viewWidth - 1.0); };
  auto y = [&](int pixels) { return static_cast<float>(1.0 - 2.0 * pixels / viewHeight); };
  glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
  glBegin(GL_QUADS);
  glVertex2f(x(left), y(top));
  glVertex2f(x(left + width), y(top));
  glVertex2f(x(left + width), y(top + height));
  glVertex2f(x(left), y(top + height));
  glEnd();
}
