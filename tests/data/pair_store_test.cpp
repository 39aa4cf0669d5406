// A named file's store against the fixed table: for a list the table can hold, every bar
// stands at the same position, in the same row, as tall, with the same traits; and the
// zoom steps and slides it keeps as counts put its bars where the table's moves put theirs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bar_records.h"
#include "tandem_loader.h"
#include "tandem_scanner.h"

namespace {

struct Bar {
  int64_t position, partner;
  float length, y;
  uint8_t orientation;
  uint16_t identity;
  int32_t difference;
  bool operator==(const Bar& o) const {
    return position == o.position && partner == o.partner && length == o.length && y == o.y &&
           orientation == o.orientation && identity == o.identity && difference == o.difference;
  }
};

std::vector<Bar> loadAndRead(const std::string& text, bool named) {
  resetTandemData();
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  scanner.keepLongest = named;
  scanTandemBytes(scanner, text.data(), text.size());
  finishTandemScan(scanner);
  normalizeBars();
  EXPECT_EQ(pairStoreActive(), named);
  std::vector<Bar> bars;
  for (int32_t slot = 1; slot < barSlotEnd(); ++slot) {
    int32_t pair = pairOfSlot(slot);
    bars.push_back({barPosition(slot), barPartner(slot), barLength(slot), barY(slot), pairOrientationOf(pair),
                    pairIdentityOf(pair), pairDifferenceOf(pair)});
  }
  return bars;
}

TEST(PairStore, HoldsWhatTheTableHolds) {
  // Crowded positions (rows up to dozens deep, pairs on one position, the far part's border),
  // short tokens that are not stored, and every trait.
  std::string text;
  uint32_t state = 99;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1664525u + 1013904223u;
    uint32_t first = 1999000 + (state >> 8) % 2000, second = i % 7 == 0 ? first : 1999000 + (state >> 20) % 2000;
    text += std::to_string(first) + "/" + std::to_string(second) + "/" + std::to_string(5 + (state >> 4) % 900) + "/" +
            std::to_string(i % 3) + "/" + (i % 5 == 0 ? "." : "97.25") + "/" + std::to_string(i % 11 - 5) + "\n";
  }
  std::vector<Bar> table = loadAndRead(text, false);
  std::vector<Bar> store = loadAndRead(text, true);
  ASSERT_EQ(store.size(), table.size());
  for (size_t i = 0; i < table.size(); ++i) ASSERT_TRUE(store[i] == table[i]) << "slot " << i + 1;
  resetTandemData();
}

// Rows count bars at one position however far apart the positions of the file lie.
TEST(PairStore, RowsCountAcrossAnyStretchOfAxis) {
  loadAndRead("1/1000000000000000/50 1/1000000000000000/60 -5/1/70\n", true);
  float rows[] = {barY(1), barY(2), barY(3), barY(4), barY(5), barY(6)};
  EXPECT_EQ(std::vector<float>(rows, rows + 6), std::vector<float>({0.1f, 0.1f, 0.2f, 0.2f, 0.1f, 0.3f}));
  EXPECT_EQ(barPartner(3), 1000000000000000);
  resetTandemData();
}

TEST(PairStore, MovesPutBarsWhereTheTablesMovesPutThem) {
  std::string text = "100/2500000/50\n3100000000/2000000/70\n";
  loadAndRead(text, true);
  scaleBarsX(kZoomFactor);
  slideFarBars('x', 1, 3);
  slideFarBars('y', -1, 2);
  scaleBarsX(kZoomFactor);
  double scale = kAxisScale * kZoomFactor * kZoomFactor;
  EXPECT_DOUBLE_EQ(barX(1), 100 * scale);
  EXPECT_DOUBLE_EQ(barX(2), 2500000 * scale + 0.3 * kZoomFactor);
  EXPECT_DOUBLE_EQ(barX(3), 3100000000.0 * scale + 0.3 * kZoomFactor);
  EXPECT_DOUBLE_EQ(barX(4), 2000000 * scale) << "the far part starts past 2,000,000";
  EXPECT_FLOAT_EQ(barY(2), static_cast<float>(0.1 - 0.2));
  EXPECT_FLOAT_EQ(barY(1), 0.1f);
  placeBarsAsLoaded();
  EXPECT_DOUBLE_EQ(barX(3), 31000.0);
  EXPECT_FLOAT_EQ(barY(2), 0.1f);
  resetTandemData();
}

}  // namespace
