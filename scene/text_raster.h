// Text as a coverage bitmap, from DejaVu Sans carried inside the binary and rasterised with
// stb_truetype. No GL here: the viewer's HUD draws the bitmaps with GL and the picture tools
// blend them into images on the CPU.
#pragma once

#include <cstdint>
#include <string>
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

// The text as the functions above read it: every malformed UTF-8 sequence (and overlong
// forms, surrogates, values past U+10FFFF) replaced by U+FFFD, so that writers that need
// well-formed text (SVG) show what the raster shows.
std::string wellFormedText(const char* utf8);

// The well-formed text, cut with an ellipsis (U+2026) to fit maxWidth pixels at this line
// height; as it is when it fits. Only the part that can fit is looked at.
std::string fitText(const char* utf8, float pixelHeight, float maxWidth);

// A line being typed into, fitted by scrolling: the bytes before from and from to on stay,
// and of the typed text between them only as much of its end as fits, after an ellipsis,
// so the caret and what follows it stay in view. When not even that fits, cut as fitText.
std::string fitTextScrolled(const char* utf8, size_t from, size_t to, float pixelHeight, float maxWidth);
