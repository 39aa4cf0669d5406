// The feature table's queries against a plain look through every feature, on features of
// every length (a few spanning much of the axis, as a chromosome-wide GFF "region" does).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "feature_table.h"
#include "lane_strips.h"

namespace {

TEST(FeatureTable, OverlapQueriesFindExactlyTheOverlappingFeaturesInOrderOfStart) {
  std::mt19937 random(7);
  FeatureTable table;
  FeatureNameIndex names;
  std::vector<PlacedFeature> features;
  for (int i = 0; i < 5000; ++i) {
    int64_t start = random() % 1000000;
    int64_t length = i % 500 == 0 ? 400000 : 1 + random() % (i % 3 == 0 ? 20000 : 300);
    uint32_t name = addFeatureName(table, names, "f" + std::to_string(i % 700));
    features.push_back({start, start + length, name, 0, '+'});
  }
  buildFeatureTable(table, features);
  ASSERT_EQ(featureCount(table), 5000u);
  ASSERT_TRUE(std::is_sorted(table.start.begin(), table.start.end()));
  for (int q = 0; q < 300; ++q) {
    int64_t from = static_cast<int64_t>(random() % 1100000) - 50000;
    int64_t to = from + (q % 2 == 0 ? 1 : static_cast<int64_t>(random() % 30000));
    std::vector<uint32_t> expected, found;
    for (uint32_t i = 0; i < featureCount(table); ++i)
      if (table.start[i] < to && table.end[i] > from) expected.push_back(i);
    featuresOverlapping(table, from, to, found);
    ASSERT_EQ(found, expected) << "[" << from << ", " << to << ")";
  }
  // Each row but the last, which the rest share, holds features that do not overlap.
  std::vector<int64_t> rowEnd(kLaneRows, 0);
  for (uint32_t i = 0; i < featureCount(table); ++i) {
    ASSERT_LT(table.row[i], kLaneRows);
    if (table.row[i] < kLaneRows - 1) {
      EXPECT_LE(rowEnd[table.row[i]], table.start[i]) << i;
    }
    rowEnd[table.row[i]] = std::max(rowEnd[table.row[i]], table.end[i]);
  }
  // By name: exactly, else ignoring case; in order of start.
  std::vector<uint32_t> named;
  findFeaturesNamed(table, "f17", named);
  EXPECT_EQ(named.size(), 8u);  // 17, 717, ..., 4917
  std::vector<uint32_t> ignoringCase;
  findFeaturesNamed(table, "F17", ignoringCase);
  EXPECT_EQ(ignoringCase, named);
  for (uint32_t i : named) EXPECT_EQ(featureName(table, i), "f17");
}

// Merged strips cover exactly what their row's and class's features cover, once the gaps
// they bridge are counted in, and stand for every feature.
TEST(FeatureTable, MergedStripsCoverWhatTheirFeaturesCover) {
  std::mt19937 random(11);
  FeatureTable table;
  FeatureNameIndex names;
  std::vector<PlacedFeature> features;
  constexpr int64_t kAxis = 200000;
  for (int i = 0; i < 3000; ++i) {
    int64_t start = static_cast<int64_t>(random() % (kAxis - 2000));
    features.push_back({start, start + 1 + static_cast<int64_t>(random() % 1500), addFeatureName(table, names, "x"),
                        static_cast<uint16_t>(i % 3), '.'});
  }
  buildFeatureTable(table, features);
  for (uint32_t gap : {0u, 100u, 5000u}) {
    SCOPED_TRACE(gap);
    std::vector<LaneStrip> strips;
    mergeLaneStrips(table, gap, strips);
    ASSERT_FALSE(strips.empty());
    uint64_t standsFor = 0;
    for (size_t s = 0; s < strips.size(); ++s) {
      standsFor += strips[s].features;
      if (s > 0) {
        EXPECT_LE(strips[s - 1].start, strips[s].start);
      }
    }
    EXPECT_EQ(standsFor, featureCount(table));
    // Per row and class: covered by a strip exactly where a feature, or a gap of at most
    // gap bases between two, lies.
    for (int key = 0; key < 3 * kLaneRows; ++key) {
      std::vector<char> byFeatures(kAxis, 0), byStrips(kAxis, 0);
      for (uint32_t i = 0; i < featureCount(table); ++i)
        if (table.featureClass[i] * kLaneRows + table.row[i] == key)
          std::fill(byFeatures.begin() + table.start[i], byFeatures.begin() + table.end[i], 1);
      int64_t last = -1;  // bridge gaps of at most gap bases between covered stretches
      for (int64_t x = 0; x < kAxis; ++x) {
        if (!byFeatures[x]) continue;
        if (last >= 0 && x - last - 1 <= static_cast<int64_t>(gap) && x - last > 1)
          std::fill(byFeatures.begin() + last + 1, byFeatures.begin() + x, 1);
        last = x;
      }
      for (const LaneStrip& strip : strips)
        if (strip.featureClass * kLaneRows + strip.row == key)
          std::fill(byStrips.begin() + strip.start, byStrips.begin() + strip.end, 1);
      ASSERT_EQ(byStrips, byFeatures) << "row and class " << key;
    }
  }
}

}  // namespace
