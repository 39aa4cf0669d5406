#include "lane_strips.h"

#include <algorithm>

void mergeLaneStrips(const FeatureTable& table, uint32_t gap, std::vector<LaneStrip>& strips) {
  strips.clear();
  uint16_t classes = 0;
  for (uint16_t c : table.featureClass) classes = std::max<uint16_t>(classes, static_cast<uint16_t>(c + 1));
  // The strip still open for each row and class, as an index into strips.
  std::vector<size_t> open(static_cast<size_t>(classes) * kLaneRows, SIZE_MAX);
  for (size_t i = 0; i < featureCount(table); ++i) {
    size_t& at = open[static_cast<size_t>(table.featureClass[i]) * kLaneRows + table.row[i]];
    int64_t start = table.start[i], end = table.end[i];
    if (at != SIZE_MAX && start <= strips[at].end + int64_t{gap}) {
      strips[at].end = std::max(strips[at].end, end);
      ++strips[at].features;
      continue;
    }
    at = strips.size();
    strips.push_back({start, end, table.featureClass[i], table.row[i], 1});
  }
}
