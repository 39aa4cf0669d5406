// Text rasterised from the embedded font: sizes, ink where the glyphs are, and the two
// symbols the HUD's pair line needs.
#include <gtest/gtest.h>

#include "text_raster.h"

namespace {

int inkColumns(const TextBitmap& bitmap) {
  int columns = 0;
  for (int x = 0; x < bitmap.width; ++x) {
    bool ink = false;
    for (int y = 0; y < bitmap.height; ++y) ink = ink || bitmap.coverage[static_cast<size_t>(y * bitmap.width + x)] > 128;
    columns += ink ? 1 : 0;
  }
  return columns;
}

TEST(TextRaster, BitmapMatchesMeasureAndScalesWithSize) {
  TextBitmap small = rasterText("12,414,032 bp", 12.0f);
  TextBitmap large = rasterText("12,414,032 bp", 24.0f);
  EXPECT_EQ(small.width, measureText("12,414,032 bp", 12.0f) + 1);
  EXPECT_EQ(small.coverage.size(), static_cast<size_t>(small.width * small.height));
  EXPECT_GE(small.height, 12);
  EXPECT_LE(small.height, 16);
  EXPECT_GT(small.baseline, small.height / 2);
  EXPECT_NEAR(large.width, 2 * small.width, 4);
  EXPECT_GT(inkColumns(small), small.width / 3);
  EXPECT_EQ(rasterText("", 12.0f).width, 1);
}

TEST(TextRaster, DrawsTheArrowAndTheMiddleDotNotTheMissingGlyph) {
  // The missing-glyph box of a code point no font has, to tell real glyphs from it.
  TextBitmap missing = rasterText("\xF4\x8F\xBF\xBD", 20.0f);  // U+10FFFD, private use
  TextBitmap arrow = rasterText("\xE2\x86\x94", 20.0f);          // U+2194
  TextBitmap dot = rasterText("\xC2\xB7", 20.0f);                // U+00B7
  ASSERT_GT(inkColumns(arrow), 8);
  EXPECT_NE(arrow.coverage, missing.coverage);
  ASSERT_GT(inkColumns(dot), 0);
  EXPECT_LT(inkColumns(dot), 5) << "a dot, not a box";
  // The dot sits above the baseline, at mid height.
  int inkRow = -1;
  for (int y = 0; y < dot.height && inkRow < 0; ++y)
    for (int x = 0; x < dot.width; ++x)
      if (dot.coverage[static_cast<size_t>(y * dot.width + x)] > 128) inkRow = y;
  EXPECT_LT(inkRow, dot.baseline - 3);
}

}  // namespace
