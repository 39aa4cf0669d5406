// Text as a coverage bitmap, from DejaVu Sans carried inside the binary and rasterised with
// stb_truetype. No GL here: the viewer's HUD draws the bitmaps with GL and the picture tools
// blend them into images on the CPU.
#pragma once

#include <cstdint>
#include <vector>

struct TextBitmap {
  int width = 0;
  int height = 0;    // one line: ascent plus descent at the pixel size
  int baseline = 0;  // rows from the top down to the baseline
  std::vector<uint8_t> coverage;  // width * height, top row first, 0 clear .. 255 covered
};

// Width in pixels that rasterText gives the UTF-8 string at this line height.
int measureText(const char* utf8, float pixelHeight);

// The UTF-8 string rasterised at this line height (pixels from descent to ascent).
// Characters the font lacks take the font's missing-glyph box.
TextBitmap rasterText(const char* utf8, float pixelHeight);
