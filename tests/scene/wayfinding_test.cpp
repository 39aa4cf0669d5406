// The opt-in aids drawn for real: HUD, links and colour modes change the picture and leave
// no trace once off again; a pick finds the bar drawn at a screen point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "bar_batch.h"
#include "camera.h"
#include "floor.h"
#include "hud.h"
#include "pair_colours.h"
#include "pair_facts.h"
#include "pair_traits.h"
#include "record_table.h"
#include "render_support.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 260;

class WayfindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view = startBarScene(kWidth, kHeight);
    initFloorColours();
    view.look.showFloor = true;
    // Three pairs as the loader leaves them: maxLen 5,000, so a length of 7 is 5,000 bp.
    addPair(150000, 420000, 3.5f, kInverted, 9910);
    addPair(230000, 260000, 7.0f, kSameStrand, 8000);
    addPair(310000, 610000, 1.4f, kOrientationUnknown, kIdentityUnknown);
    recordTable.maxLen = 5000;
  }
  void addPair(int32_t a, int32_t b, float len, uint8_t orientation, uint16_t identity) {
    int32_t pair = pairOfSlot(recordTable.count);
    addRecord(a, b, len, 0.8f, 0.5f, 0.25f);
    addRecord(b, a, len, 0.8f, 0.5f, 0.25f);
    pairTraits.orientation[pair] = orientation;
    pairTraits.identity[pair] = identity;
    pairTraits.difference[pair] = 0;
  }
  ScreenPoint onScreen(int32_t slot, float height) {
    const TandemRecord& r = recordTable.slots[slot];
    return projectToScreen(r.x, r.y, height, kWidth, kHeight);
  }
  ViewState view;
};

TEST_F(WayfindingTest, EachAidChangesThePictureAndLeavesNoTraceWhenOff) {
  Picture before = renderScene(view, false);
  Picture literal = renderScene(view, true);
  EXPECT_TRUE(differencesAreShifts(before, literal));

  ViewState hud = view;
  hud.look.hud = true;
  hud.fileName = "pairs.tsv";
  hud.input.pickedSlot = 3;
  ViewState links = view;
  links.look.showLinks = true;
  ViewState strands = view;
  strands.look.colourMode = kColourByOrientation;
  ViewState identity = view;
  identity.look.colourMode = kColourByIdentity;
  ViewState windowLinks = view;
  windowLinks.filter.windowMode = true;
  windowLinks.look.showLinks = true;
  for (ViewState* aid : {&hud, &links, &strands, &identity, &windowLinks}) {
    Picture with = renderScene(*aid, false);
    EXPECT_GT(differingPixels(with, before), 20);
    Picture after = renderScene(view, false);
    EXPECT_EQ(differingPixels(after, before), 0) << "an aid left something behind";
  }
}

TEST_F(WayfindingTest, BarsTakeTheirPairsStrandOrIdentityColour) {
  camera.camX = 2.3f;
  camera.camY = -4.0f;
  camera.pitch = 90;
  camera.yaw = 0;
  ScreenPoint mid = onScreen(3, 3.5f);  // the 7.0 bar of the same-strand pair
  int column = static_cast<int>(std::floor(mid.column)), row = static_cast<int>(std::floor(mid.row));
  auto colourNear = [&](const Picture& picture, const float expected[3]) {
    int r = static_cast<int>(std::lround(expected[0] * 255)), g = static_cast<int>(std::lround(expected[1] * 255)),
        b = static_cast<int>(std::lround(expected[2] * 255));
    bool seen = false;
    for (int dx = -1; dx <= 1; ++dx) seen = seen || isColour(picture.at(column + dx, row), r, g, b);
    return seen;
  };
  float strand[3], percent[3];
  orientationColour(kSameStrand, strand);
  identityColour(8000, percent);
  view.look.colourMode = kColourByOrientation;
  EXPECT_TRUE(colourNear(renderScene(view, false), strand));
  view.look.colourMode = kColourByIdentity;
  EXPECT_TRUE(colourNear(renderScene(view, false), percent));
  view.look.pointStyle = true;
  view.look.colourMode = kColourByOrientation;
  Picture points = renderScene(view, false);
  ScreenPoint top = onScreen(1, 3.5f);  // the inverted pair's bar
  bool found = false;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      found = found || isColour(points.at(static_cast<int>(top.column) + dx, static_cast<int>(top.row) + dy), 213, 94, 0);
  EXPECT_TRUE(found) << "points take the strand colour too";

  pairTraits.withIdentity = 0;
  EXPECT_EQ(nextColourMode(kColourByOrientation), kColourOfPass) << "no identity to show";
  pairTraits.withIdentity = 2;
  EXPECT_EQ(nextColourMode(nextColourMode(kColourOfPass)), kColourByIdentity);
  EXPECT_EQ(nextColourMode(kColourByIdentity), kColourOfPass);
}

TEST_F(WayfindingTest, HudWritesItsLinesAndDrawsTheRuler) {
  view.look.hud = true;
  view.fileName = "pairs.tsv";
  view.input.pickedSlot = 2;
  char lines[kHudLines][kHudLineRoom];
  ASSERT_EQ(hudLines(view, lines), 4);
  EXPECT_STREQ(lines[0], "pairs.tsv \u00b7 3 pairs");
  EXPECT_STREQ(lines[1], "showing 3 pairs longer than 21 bp");  // 0.03 x 5,000 / 7
  EXPECT_STREQ(lines[2], "camera over position -100,000");
  EXPECT_STREQ(lines[3], "420,000\u2013422,499 \u2194 150,000\u2013152,499 \u00b7 2,500 bp \u00b7 inverted \u00b7 99.1%");
  // The keypad's unbounded threshold, or --threshold, past either end: a length all the same.
  for (float threshold : {-0.02f, -3.4e38f, 3.4e38f}) {
    view.filter.threshold = threshold;
    hudLines(view, lines);
    EXPECT_STREQ(lines[1], threshold < 0 ? "showing 3 pairs longer than 0 bp" : "showing 0 pairs longer than 5,000 bp");
  }
  view.filter.threshold = ViewFilter{}.threshold;
  view.filter.windowMode = true;
  view.filter.windowStart = 200000;
  view.zoomSteps = 1;
  camera.camX = 0.9f;
  ASSERT_EQ(hudLines(view, lines), 5);
  EXPECT_STREQ(lines[2], "window 200,001 \u2013 300,001") << "counted from 1, as --window-start";
  EXPECT_STREQ(lines[3], "camera over position 100,000");
  // Far out the number would say nothing, or overflow: it says so instead.
  for (float far : {1e30f, -1e30f, 3.4e38f, 6.6e3f}) {
    camera.camX = far;
    ASSERT_EQ(hudLines(view, lines), 5);
    EXPECT_STREQ(lines[3], "camera far off the axis") << far;
  }
  camera.camX = -4860.0f;  // within twice the axis' length: a number
  hudLines(view, lines);
  EXPECT_STREQ(lines[3], "camera over position -540,000,000");
  // The viewer's cursor state, then the picked pair, then the open go-to prompt.
  view.input.hasCursor = true;
  view.input.cursorFree = 1;
  view.input.promptLine = "go to: ctg2:1,000_";
  ASSERT_EQ(hudLines(view, lines), 7);
  EXPECT_STREQ(lines[4], "cursor free \u00b7 Q or Escape: mouse look");
  EXPECT_STREQ(lines[6], "go to: ctg2:1,000_");
  view.look.hud = false;
  ASSERT_EQ(hudLines(view, lines), 1) << "the prompt alone";
  view.look.hud = true;
  view.input.hasCursor = false;
  view.input.promptLine = nullptr;

  view.filter.windowMode = false;
  view.zoomSteps = 0;
  resetCameraToStart();
  ViewState off = view;
  off.look.hud = false;
  Picture plain = renderScene(off, false);
  Picture shown = renderScene(view, false);
  auto darkPixels = [](const Picture& p, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += p.at(x, y)[0] + p.at(x, y)[1] + p.at(x, y)[2] < 150 ? 1 : 0;
    return n;
  };
  EXPECT_GT(darkPixels(shown, 0, 0, kWidth / 2, 30), darkPixels(plain, 0, 0, kWidth / 2, 30) + 50) << "text";
  // The ruler's tick at 1 Mb (x 10), on the ground just in front of the rows.
  ScreenPoint tick = projectToScreen(10.0, -0.2, 0.0, kWidth, kHeight);
  ASSERT_TRUE(tick.inFront);
  int column = static_cast<int>(tick.column), row = static_cast<int>(tick.row);
  ASSERT_TRUE(column > 2 && column < kWidth - 3 && row > 2 && row < kHeight - 3);
  EXPECT_GT(darkPixels(shown, column - 2, row - 2, column + 3, row + 3), 0);
  EXPECT_EQ(darkPixels(plain, column - 2, row - 2, column + 3, row + 3), 0);
}

TEST_F(WayfindingTest, PickFindsTheBarAtItsScreenPointNearestTheEye) {
  camera.camX = 2.3f;
  camera.camY = -4.0f;
  camera.pitch = 90;
  camera.yaw = 0;
  addPair(230000, 900000, 2.0f, kSameStrand, kIdentityUnknown);  // slot 7 hides behind slot 3...
  recordTable.slots[7].y = 1.0f;                                   // ...one unit further back
  renderScene(view, false);
  for (int32_t slot : {1, 2, 4, 5}) {
    ScreenPoint p = onScreen(slot, recordTable.slots[slot].len / 2);
    EXPECT_EQ(pickBatchedBar(p.column, p.row, 4.0), slot);
    EXPECT_EQ(pickBatchedBar(p.column + 3.0, p.row, 4.0), slot) << "within a few pixels";
  }
  ScreenPoint shared = onScreen(3, 0.5f);
  EXPECT_EQ(pickBatchedBar(shared.column, shared.row, 4.0), 3) << "the nearer of two bars in line";
  ScreenPoint above = onScreen(3, 7.0f);
  EXPECT_EQ(pickBatchedBar(above.column, above.row - 15, 4.0), 0) << "sky above the tallest bar";

  view.look.pointStyle = true;
  renderScene(view, false);
  ScreenPoint top = onScreen(5, recordTable.slots[5].len);
  EXPECT_EQ(pickBatchedBar(top.column, top.row, 4.0), 5);
  EXPECT_EQ(pickBatchedBar(top.column, top.row + 20, 4.0), 0) << "a point has no stem";
}

TEST(PairFacts, LinesForTheHudAndForCopying) {
  PairFacts facts{12414032, 12414152, 74, kInverted, 9910, 74, 74};
  char line[160];
  formatPairLine(facts, line, sizeof line);
  EXPECT_STREQ(line, "12,414,032\u201312,414,105 \u2194 12,414,152\u201312,414,225 \u00b7 74 bp \u00b7 inverted \u00b7 99.1%");
  formatPairRecord(facts, line, sizeof line);
  EXPECT_STREQ(line, "pair\t12414032\t12414152\t74\t1\t99.10\t12414105\t12414225");
  // The bar stands at the shorter copy: each copy keeps its own end.
  facts = PairFacts{5000, 1000, 2000, kOrientationUnknown, kIdentityUnknown, 1990, 2000};
  formatPairLine(facts, line, sizeof line);
  EXPECT_STREQ(line, "5,000\u20136,989 \u2194 1,000\u20132,999 \u00b7 1,990 \u2194 2,000 bp");
  formatPairRecord(facts, line, sizeof line);
  EXPECT_STREQ(line, "pair\t5000\t1000\t2000\t.\t.\t6989\t2999");
}

}  // namespace

namespace {

TEST_F(WayfindingTest, MinIdentityHidesOnlyPairsKnownToBeLessAlike) {
  Picture all = renderScene(view, false);
  EXPECT_EQ(barBatchStats().selected, 6);
  ViewState off = view;
  off.filter.minIdentity = 0;
  EXPECT_EQ(differingPixels(renderScene(off, false), all), 0) << "off by default";

  ViewState strict = view;
  strict.filter.minIdentity = 9000;  // the 80% pair goes; 99.1% and the one without identity stay
  strict.look.showLinks = true;
  Picture filtered = renderScene(strict, false);
  EXPECT_EQ(barBatchStats().selected, 4);
  EXPECT_GT(differingPixels(filtered, all), 0);

  strict.filter.minIdentity = 9910;  // exactly the first pair's identity: kept
  renderScene(strict, false);
  EXPECT_EQ(barBatchStats().selected, 4);
}

}  // namespace
