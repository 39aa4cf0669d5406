#include "text_raster.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "stb_truetype.h"

extern const unsigned char dejaVuSansTtf[];

namespace {

const stbtt_fontinfo& font() {
  static stbtt_fontinfo info;
  static bool ready = false;
  if (!ready) {
    stbtt_InitFont(&info, dejaVuSansTtf, stbtt_GetFontOffsetForIndex(dejaVuSansTtf, 0));
    ready = true;
  }
  return info;
}

constexpr int kReplacement = 0xFFFD;

// Next code point of a UTF-8 string; malformed bytes come out as U+FFFD one at a time, and
// so do what no well-formed text holds: overlong forms, surrogates, values past U+10FFFF.
int nextCodePoint(const unsigned char*& s) {
  unsigned c = *s++;
  int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
  if (extra < 0) return kReplacement;
  unsigned value = extra == 0 ? c : c & (0x3Fu >> extra);
  for (int i = 0; i < extra; ++i) {
    if ((*s & 0xC0) != 0x80) return kReplacement;
    value = (value << 6) | (*s++ & 0x3Fu);
  }
  static const unsigned kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (value < kLeast[extra] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return kReplacement;
  return static_cast<int>(value);
}

void appendUtf8(std::string& out, int codePoint) {
  auto c = static_cast<unsigned>(codePoint);
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

struct LineMetrics {
  float scale;
  int baseline;
  int height;
};

LineMetrics lineMetrics(float pixelHeight) {
  int ascent = 0, descent = 0, lineGap = 0;
  stbtt_GetFontVMetrics(&font(), &ascent, &descent, &lineGap);
  float scale = stbtt_ScaleForPixelHeight(&font(), pixelHeight);
  int baseline = static_cast<int>(std::ceil(static_cast<float>(ascent) * scale));
  int below = static_cast<int>(std::ceil(static_cast<float>(-descent) * scale));
  return {scale, baseline, baseline + below};
}

// Walks the glyphs with their pen positions (in pixels, fractional) and kerning.
template <typename Visit>
float walkGlyphs(const char* utf8, float scale, Visit visit) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  float pen = 0.0f;
  int previous = 0;
  while (*s) {
    int codePoint = nextCodePoint(s);
    if (previous) pen += scale * static_cast<float>(stbtt_GetCodepointKernAdvance(&font(), previous, codePoint));
    int advance = 0, leftBearing = 0;
    stbtt_GetCodepointHMetrics(&font(), codePoint, &advance, &leftBearing);
    visit(codePoint, pen);
    pen += scale * static_cast<float>(advance);
    previous = codePoint;
  }
  return pen;
}

}  // namespace

std::string wellFormedText(const char* utf8) {
  std::string out;
  for (const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8); *s != 0;) appendUtf8(out, nextCodePoint(s));
  return out;
}

std::string fitText(const char* utf8, float pixelHeight, float maxWidth) {
  static const char kEllipsis[] = "\u2026";
  float scale = lineMetrics(pixelHeight).scale;
  // Walks only as far as the width reaches, so a long text costs no more than a short one.
  std::string kept;
  std::vector<size_t> ends;  // kept's length after each code point
  float pen = 0.0f;
  int previous = 0;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s != 0) {
    int codePoint = nextCodePoint(s);
    if (previous) pen += scale * static_cast<float>(stbtt_GetCodepointKernAdvance(&font(), previous, codePoint));
    int advance = 0, leftBearing = 0;
    stbtt_GetCodepointHMetrics(&font(), codePoint, &advance, &leftBearing);
    pen += scale * static_cast<float>(advance);
    previous = codePoint;
    appendUtf8(kept, codePoint);
    ends.push_back(kept.size());
    if (pen > maxWidth + 1.0f) break;
  }
  if (*s == 0 && static_cast<float>(measureText(kept.c_str(), pixelHeight)) <= maxWidth) return kept;
  // Cut: as many code points as leave room for the ellipsis, measured as drawn.
  for (size_t n = ends.size(); n-- > 0;) {
    std::string cut = kept.substr(0, n == 0 ? 0 : ends[n - 1]) + kEllipsis;
    if (n == 0 || static_cast<float>(measureText(cut.c_str(), pixelHeight)) <= maxWidth) return cut;
  }
  return kEllipsis;
}

std::string fitTextScrolled(const char* utf8, size_t from, size_t to, float pixelHeight, float maxWidth) {
  std::string text = wellFormedText(utf8);
  if (static_cast<float>(measureText(text.c_str(), pixelHeight)) <= maxWidth) return text;
  to = std::min(to, text.size());
  from = std::min(from, to);
  std::vector<size_t> starts;  // where each code point of the typed text starts
  for (size_t at = from; at < to; ++at)
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) starts.push_back(at);
  auto scrolled = [&](size_t dropped) {
    return text.substr(0, from) + "\u2026" + text.substr(dropped < starts.size() ? starts[dropped] : to);
  };
  auto fits = [&](size_t dropped) {
    return static_cast<float>(measureText(scrolled(dropped).c_str(), pixelHeight)) <= maxWidth;
  };
  if (!fits(starts.size())) return fitText(scrolled(starts.size()).c_str(), pixelHeight, maxWidth);
  // The fewest code points dropped that make it fit (none dropped never fits: the whole
  // text did not, and the ellipsis only adds).
  size_t fitting = starts.size(), failing = 0;
  while (fitting - failing > 1) {
    size_t mid = (fitting + failing) / 2;
    (fits(mid) ? fitting : failing) = mid;
  }
  return scrolled(fitting);
}

int measureText(const char* utf8, float pixelHeight) {
  float scale = lineMetrics(pixelHeight).scale;
  return static_cast<int>(std::ceil(walkGlyphs(utf8, scale, [](int, float) {})));
}

TextBitmap rasterText(const char* utf8, float pixelHeight) {
  LineMetrics line = lineMetrics(pixelHeight);
  TextBitmap bitmap;
  // One pixel of room on the right: a glyph's ink may pass its advance.
  bitmap.width = measureText(utf8, pixelHeight) + 1;
  bitmap.height = line.height;
  bitmap.baseline = line.baseline;
  bitmap.coverage.assign(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height), 0);
  std::vector<unsigned char> glyph;
  walkGlyphs(utf8, line.scale, [&](int codePoint, float pen) {
    float whole = std::floor(pen);
    float shift = pen - whole;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&font(), codePoint, line.scale, line.scale, shift, 0.0f, &x0, &y0, &x1, &y1);
    int w = x1 - x0, h = y1 - y0;
    if (w <= 0 || h <= 0) return;
    glyph.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    stbtt_MakeCodepointBitmapSubpixel(&font(), glyph.data(), w, h, w, line.scale, line.scale, shift, 0.0f, codePoint);
    int left = static_cast<int>(whole) + x0, top = line.baseline + y0;
    for (int row = 0; row < h; ++row) {
      int y = top + row;
      if (y < 0 || y >= bitmap.height) continue;
      for (int col = 0; col < w; ++col) {
        int x = left + col;
        if (x < 0 || x >= bitmap.width) continue;
        uint8_t& out = bitmap.coverage[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)];
        uint8_t in = glyph[static_cast<size_t>(row) * static_cast<size_t>(w) + static_cast<size_t>(col)];
        if (in > out) out = in;  // neighbouring glyphs may overlap by a pixel
      }
    }
  });
  return bitmap;
}
