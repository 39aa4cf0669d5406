// A lane drawn at a coarser grain: features of one row and class closer than a gap merged
// into one strip, so a view that cannot tell them apart draws a bounded number of strips
// instead of every feature (a RepeatMasker table of a chromosome holds ~450,000).
#pragma once

#include <cstdint>
#include <vector>

#include "feature_table.h"

struct LaneStrip {
  int64_t start;  // axis positions, [start, end)
  int64_t end;
  uint16_t featureClass;
  uint8_t row;
  uint32_t features;  // how many it stands for
};

// Replaces strips with the table's features merged wherever one starts at most gap bases
// after the strip of its row and class ends; in order of start. gap 0 merges only
// features that touch or overlap.
void mergeLaneStrips(const FeatureTable& table, uint32_t gap, std::vector<LaneStrip>& strips);
