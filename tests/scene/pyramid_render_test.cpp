// A store's bars drawn through the pyramid by the real GL: where thousands crowd into a few
// hundred pixel columns each column keeps its tallest bar, and bars a few pixels apart are
// each drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bar_batch.h"
#include "camera.h"
#include "bar_height.h"
#include "bar_records.h"
#include "pair_store.h"
#include "render_support.h"

namespace {

constexpr int kWidth = 400, kHeight = 200;

struct StorePair {
  int64_t first, second;
  int32_t bases;
};

// The pairs in a named file's store, as its load leaves them.
void fillStore(const std::vector<StorePair>& pairs) {
  startPairStore(kStoreSlotPairs);
  for (const StorePair& pair : pairs) {
    addStorePair(pair.first, pair.second, pair.bases, 0, kIdentityUnknown, 0);
    pairStore.maxLen = std::max(pairStore.maxLen, pair.bases);  // as the reader keeps it
  }
  finishPairStore();
}

// Level, looking along the rows from 12 units in front, x 0 to 10 across 170 pixels and the
// tallest bar whole: a bar stands upright on screen.
void faceTheRows() {
  camera = Camera{};
  camera.camX = 5.0f, camera.camY = -12.0f, camera.camZ = 3.5f, camera.pitch = 90.0f, camera.yaw = 0.0f;
}

// The highest drawn pixel of each column; kHeight where there is none.
std::vector<int> skyline(const Picture& p) {
  std::vector<int> top(static_cast<size_t>(p.width), p.height);
  for (int x = 0; x < p.width; ++x)
    for (int y = 0; y < p.height && top[static_cast<size_t>(x)] == p.height; ++y)
      if (!isSky(p.at(x, y))) top[static_cast<size_t>(x)] = y;
  return top;
}

}  // namespace

TEST(PyramidRender, ACrowdedStoreKeepsEachColumnsTallestBar) {
  ViewState view = startBarScene(kWidth, kHeight);
  std::vector<StorePair> pairs;
  uint32_t state = 11;
  auto next = [&state]() { return state = state * 1664525u + 1013904223u; };
  for (int i = 0; i < 3000; ++i) pairs.push_back({next() % 1000000, next() % 1000000, 50 + static_cast<int32_t>(next() >> 22)});
  fillStore(pairs);
  faceTheRows();
  Picture picture = renderScene(view, false);
  std::vector<int> expected(kWidth, kHeight);  // the data's tallest top in each column
  for (int32_t slot = 1; slot < barSlotEnd(); ++slot) {
    ScreenPoint foot = projectToScreen(barX(slot), barY(slot), 0, kWidth, kHeight);
    ScreenPoint top = projectToScreen(barX(slot), barY(slot), barHeight(view, barLength(slot)), kWidth, kHeight);
    size_t column = static_cast<size_t>(foot.column);
    expected[column] = std::min(expected[column], static_cast<int>(top.row));
  }
  std::vector<int> drawn = skyline(picture);
  int columns = 0;
  for (size_t x = 1; x + 1 < kWidth; ++x) {
    if (expected[x] == kHeight) continue;
    ++columns;
    int highestDrawn = std::min({drawn[x - 1], drawn[x], drawn[x + 1]});
    int highestNear = std::min({expected[x - 1], expected[x], expected[x + 1]});
    EXPECT_LE(highestDrawn, expected[x] + 1) << "column " << x << " lost its tallest bar";
    EXPECT_GE(highestDrawn, highestNear - 1) << "column " << x << " drawn taller than any bar near it";
  }
  EXPECT_GT(columns, 60);
  EXPECT_LE(barBatchStats().drawn, 3 * columns) << "about one bar a column, not " << barSlotEnd() - 1;
  resetPairStore();
}

// At the start of the axis and 3 Gb along it, seen from an origin there.
TEST(PyramidRender, ASparseStoreDrawsEveryBarWhereItsBaseIs) {
  for (int64_t offset : {int64_t{0}, int64_t{3000000000}}) {
    ViewState view = startBarScene(kWidth, kHeight);
    std::vector<StorePair> pairs;
    for (int k = 0; k < 30; ++k) pairs.push_back({offset + 35000 * k, offset + 35000 * k + 17500, 300 + 200 * (k % 7)});
    fillStore(pairs);
    faceTheRows();
    camera.originX = static_cast<double>(offset) * 0.00001;
    Picture picture = renderScene(view, false);
    EXPECT_EQ(barBatchStats().drawn, 60);
    for (int32_t slot = 1; slot < barSlotEnd(); ++slot) {
      float middle = barHeight(view, barLength(slot)) * 0.5f;
      ScreenPoint at = projectToScreen(barX(slot) - camera.originX, barY(slot), middle, kWidth, kHeight);
      bool seen = false;
      for (int dx = -1; dx <= 1; ++dx)
        seen = seen || !isSky(picture.at(static_cast<int>(at.column) + dx, static_cast<int>(at.row)));
      EXPECT_TRUE(seen) << "the bar at " << barPosition(slot);
    }
  }
  camera = Camera{};
  resetPairStore();
}
