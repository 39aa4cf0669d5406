#include "picture_painter.h"

#include <algorithm>
#include <cmath>

#include "text_raster.h"

namespace {

// Blends the ink over the pixel by coverage 0 .. 1.
void darken(uint8_t* rgb, int width, int height, int x, int y, float coverage, const float ink[3]) {
  if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) return;
  uint8_t* p = rgb + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  float cover = std::min(1.0f, coverage), keep = 1.0f - cover;
  for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(std::lround(p[c] * keep + ink[c] * 255.0f * cover));
}

struct Segment {
  float x0, y0, x1, y1;
};

// A segment of the given width with square ends: every pixel whose centre lies within it.
void drawLine(const Segment& line, float lineWidth, const float ink[3], uint8_t* rgb, int width, int height) {
  float half = 0.5f * lineWidth;
  float dx = line.x1 - line.x0, dy = line.y1 - line.y0;
  float length = std::hypot(dx, dy);
  float ux = length > 0 ? dx / length : 1.0f, uy = length > 0 ? dy / length : 0.0f;
  int x0 = static_cast<int>(std::floor(std::min(line.x0, line.x1) - half)) - 1;
  int x1 = static_cast<int>(std::ceil(std::max(line.x0, line.x1) + half)) + 1;
  int y0 = static_cast<int>(std::floor(std::min(line.y0, line.y1) - half)) - 1;
  int y1 = static_cast<int>(std::ceil(std::max(line.y0, line.y1) + half)) + 1;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width - 1);
  y1 = std::min(y1, height - 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float px = static_cast<float>(x) + 0.5f - line.x0, py = static_cast<float>(y) + 0.5f - line.y0;
      float along = px * ux + py * uy, across = -px * uy + py * ux;
      if (along >= -half && along <= length + half && std::fabs(across) <= half) darken(rgb, width, height, x, y, 1.0f, ink);
    }
}

void drawText(const TextRun& text, uint8_t* rgb, int width, int height) {
  TextBitmap bitmap = rasterText(text.text.c_str(), text.size);
  float advance = static_cast<float>(measureText(text.text.c_str(), text.size));
  float left = text.x;
  if (text.anchor == TextAnchor::middle) left -= 0.5f * advance;
  if (text.anchor == TextAnchor::end) left -= advance;
  int ox = static_cast<int>(std::lround(left));
  int oy = static_cast<int>(std::lround(text.y)) - bitmap.baseline;
  for (int y = 0; y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x) {
      uint8_t c = bitmap.coverage[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)];
      if (c != 0) darken(rgb, width, height, ox + x, oy + y, static_cast<float>(c) / 255.0f, text.rgb);
    }
}

// Every pixel whose centre lies inside the box, painted over.
void drawRect(const DrawVertex* corner, uint8_t* rgb, int width, int height) {
  struct {
    float x, y, right, bottom;
  } r{corner[0].x, corner[0].y, corner[2].x, corner[2].y};
  uint8_t bytes[3];
  for (int c = 0; c < 3; ++c) bytes[c] = static_cast<uint8_t>(std::lround(corner[0].rgba[c] * 255.0f));
  int x0 = std::max(0, static_cast<int>(std::lround(r.x))), x1 = std::min(width, static_cast<int>(std::lround(r.right)));
  int y0 = std::max(0, static_cast<int>(std::lround(r.y))), y1 = std::min(height, static_cast<int>(std::lround(r.bottom)));
  if (x1 == x0 && x0 < width) ++x1;  // a feature narrower than a pixel keeps one
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint8_t* p = rgb + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
      for (int c = 0; c < 3; ++c) p[c] = bytes[c];
    }
}

}  // namespace

void paintPictureItems(const DrawList& list, uint8_t* rgb, int width, int height) {
  for (const DrawItem& item : list.items) {
    if (item.space != DrawSpace::picture) continue;
    const DrawVertex* v = list.vertices.data() + item.first;
    if (item.kind == DrawKind::text) {
      drawText(list.texts[static_cast<size_t>(item.text)], rgb, width, height);
    } else if (item.kind == DrawKind::quads) {
      for (int32_t k = 0; k + 4 <= item.count; k += 4) drawRect(v + k, rgb, width, height);
    } else if (item.kind == DrawKind::lines) {
      for (int32_t k = 0; k + 1 < item.count; k += 2)
        drawLine({v[k].x, v[k].y, v[k + 1].x, v[k + 1].y}, item.size, v[k].rgba, rgb, width, height);
    }
  }
}
