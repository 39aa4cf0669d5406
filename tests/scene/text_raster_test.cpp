// Text rasterised from the embedded font: sizes, ink where the glyphs are, and the two
// symbols the HUD's pair line needs.
#include <gtest/gtest.h>

#include <string>

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

TEST(TextRaster, MalformedBytesReadAsReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(wellFormedText("plain \xC3\xA9 \xE2\x80\x93 \xF0\x9F\x99\x82"), "plain \xC3\xA9 \xE2\x80\x93 \xF0\x9F\x99\x82");
  EXPECT_EQ(wellFormedText("a\x80" "b"), "a" + r + "b");
  EXPECT_EQ(wellFormedText("\xE2\x82" "c"), r + "c") << "a cut sequence is one replacement";
  EXPECT_EQ(wellFormedText("\xC0\xAF"), r) << "overlong";
  EXPECT_EQ(wellFormedText("\xED\xA0\x80"), r) << "surrogate";
  EXPECT_EQ(wellFormedText("\xF4\x90\x80\x80"), r) << "past U+10FFFF";
  EXPECT_EQ(wellFormedText("\xE2"), r) << "cut at the end";
  // The raster draws exactly the cleaned text.
  EXPECT_EQ(rasterText("x\xFFy", 16.0f).coverage, rasterText(("x" + r + "y").c_str(), 16.0f).coverage);
}

TEST(TextRaster, FitTextCutsWithAnEllipsisOnlyWhatDoesNotFit) {
  const std::string ellipsis = "\xE2\x80\xA6";
  std::string title = "Repeats of chromosome 7";
  int width = measureText(title.c_str(), 20.0f);
  EXPECT_EQ(fitText(title.c_str(), 20.0f, static_cast<float>(width)), title);
  std::string cut = fitText(title.c_str(), 20.0f, static_cast<float>(width - 1));
  ASSERT_GT(cut.size(), ellipsis.size());
  EXPECT_EQ(cut.substr(cut.size() - ellipsis.size()), ellipsis);
  EXPECT_EQ(title.rfind(cut.substr(0, cut.size() - ellipsis.size()), 0), 0u) << cut;
  EXPECT_LE(measureText(cut.c_str(), 20.0f), width - 1);
  // The longest cut that fits: one more character would not.
  std::string kept = cut.substr(0, cut.size() - ellipsis.size());
  std::string longer = title.substr(0, kept.size() + 1) + ellipsis;
  EXPECT_GT(measureText(longer.c_str(), 20.0f), width - 1);

  std::string huge(1000000, 'W');
  std::string fitted = fitText(huge.c_str(), 30.0f, 500.0f);
  EXPECT_LE(measureText(fitted.c_str(), 30.0f), 500);
  EXPECT_LT(fitted.size(), 100u);
  EXPECT_EQ(fitText("W", 30.0f, 0.0f), ellipsis) << "no room at all still says something was cut";
  // Cut text is cleaned text.
  EXPECT_EQ(fitText("\xFF", 20.0f, 100.0f), "\xEF\xBF\xBD");
}

// The go-to prompt's line, typed past the picture's edge: the typed text scrolls, the caret
// and the reason stay whole.
TEST(TextRaster, AScrolledLineKeepsItsStartAndItsEnd) {
  const std::string ellipsis = "\xE2\x80\xA6", start = "go to: ", end = "_   (no sequence or feature of that name)";
  std::string typed;
  for (int i = 0; i < 20; ++i) typed += "scaffold" + std::to_string(i) + ":";
  std::string line = start + typed + end;
  std::string shown = fitTextScrolled(line.c_str(), start.size(), start.size() + typed.size(), 16.0f, 500.0f);
  EXPECT_LE(measureText(shown.c_str(), 16.0f), 500);
  EXPECT_EQ(shown.rfind(start + ellipsis, 0), 0u) << shown;
  ASSERT_GT(shown.size(), end.size());
  EXPECT_EQ(shown.substr(shown.size() - end.size()), end);
  EXPECT_NE(typed.find(shown.substr(start.size() + ellipsis.size(), shown.size() - start.size() - ellipsis.size() - end.size())),
            std::string::npos);
  EXPECT_EQ(fitTextScrolled("go to: 12_", 7, 9, 16.0f, 500.0f), "go to: 12_");
  // Not even the caret and the reason fit: the reason is cut, the caret kept.
  shown = fitTextScrolled(line.c_str(), start.size(), start.size() + typed.size(), 16.0f, 120.0f);
  EXPECT_EQ(shown.rfind(start + ellipsis + "_", 0), 0u) << shown;
}

}  // namespace
