#include "figure_raster.h"

#include <algorithm>
#include <cmath>

#include "text_raster.h"

namespace {

// Blends black over the pixel by coverage 0 .. 1.
void darken(uint8_t* rgb, int width, int height, int x, int y, float coverage) {
  if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) return;
  uint8_t* p = rgb + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  float keep = 1.0f - std::min(1.0f, coverage);
  for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(std::lround(p[c] * keep));
}

// A segment of the given width with square ends: every pixel whose centre lies within it.
void drawLine(const MarkLine& line, float lineWidth, uint8_t* rgb, int width, int height) {
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
      if (along >= -half && along <= length + half && std::fabs(across) <= half) darken(rgb, width, height, x, y, 1.0f);
    }
}

void drawText(const MarkText& text, uint8_t* rgb, int width, int height) {
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
      if (c != 0) darken(rgb, width, height, ox + x, oy + y, static_cast<float>(c) / 255.0f);
    }
}

// Every pixel whose centre lies inside the box, painted over.
void drawRect(const MarkRect& r, uint8_t* rgb, int width, int height) {
  int x0 = std::max(0, static_cast<int>(std::lround(r.x))), x1 = std::min(width, static_cast<int>(std::lround(r.x + r.w)));
  int y0 = std::max(0, static_cast<int>(std::lround(r.y))), y1 = std::min(height, static_cast<int>(std::lround(r.y + r.h)));
  if (x1 == x0 && x0 < width) ++x1;  // a feature narrower than a pixel keeps one
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint8_t* p = rgb + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
      for (int c = 0; c < 3; ++c) p[c] = r.rgb[c];
    }
}

}  // namespace

void drawFigureMarks(const FigureMarks& marks, uint8_t* rgb, int width, int height) {
  for (const MarkRect& r : marks.rects) drawRect(r, rgb, width, height);
  for (const MarkLine& line : marks.lines) drawLine(line, marks.lineWidth, rgb, width, height);
  for (const MarkText& text : marks.texts) drawText(text, rgb, width, height);
}
