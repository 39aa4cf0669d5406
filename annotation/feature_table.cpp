#include "feature_table.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include "text_fields.h"

namespace {

void giveRows(FeatureTable& table) {
  int64_t rowEnd[kLaneRows] = {};
  size_t count = featureCount(table);
  table.row.assign(count, 0);
  table.rowsUsed = count > 0 ? 1 : 0;
  for (size_t i = 0; i < count; ++i) {
    int row = kLaneRows - 1;
    for (int r = 0; r < kLaneRows; ++r) {
      if (rowEnd[r] <= table.start[i]) {
        row = r;
        break;
      }
    }
    table.row[i] = static_cast<uint8_t>(row);
    rowEnd[row] = std::max(rowEnd[row], table.end[i]);
    table.rowsUsed = std::max(table.rowsUsed, row + 1);
  }
}

void buildIndex(FeatureTable& table) {
  size_t count = featureCount(table);
  size_t blocks = (count + kFeatureBlock - 1) / kFeatureBlock;
  size_t leaves = 1;
  while (leaves < blocks) leaves *= 2;
  table.treeLeaves = leaves;
  table.maxEndTree.assign(2 * leaves, 0);
  for (size_t i = 0; i < count; ++i) {
    int64_t& leaf = table.maxEndTree[leaves + i / kFeatureBlock];
    leaf = std::max(leaf, table.end[i]);
  }
  for (size_t node = leaves - 1; node >= 1; --node)
    table.maxEndTree[node] = std::max(table.maxEndTree[2 * node], table.maxEndTree[2 * node + 1]);
}

// Blocks [low, high) under node; features before limit start before the query's end.
void collect(const FeatureTable& table, size_t node, size_t low, size_t high, size_t limit, int64_t from,
             std::vector<uint32_t>& hits) {
  if (low * kFeatureBlock >= limit || table.maxEndTree[node] <= from) return;
  if (high - low == 1) {
    size_t last = std::min(limit, high * kFeatureBlock);
    for (size_t i = low * kFeatureBlock; i < last; ++i)
      if (table.end[i] > from) hits.push_back(static_cast<uint32_t>(i));
    return;
  }
  size_t middle = (low + high) / 2;
  collect(table, 2 * node, low, middle, limit, from, hits);
  collect(table, 2 * node + 1, middle, high, limit, from, hits);
}

}  // namespace

uint32_t addFeatureName(FeatureTable& table, FeatureNameIndex& index, std::string_view name) {
  auto stored = [&](uint32_t number) {
    return std::string_view(table.namePool)
        .substr(table.nameStart[number], table.nameStart[number + 1] - table.nameStart[number]);
  };
  if (index.recentNumber != UINT32_MAX && stored(index.recentNumber) == name) return index.recentNumber;
  if (2 * (index.used + 1) > index.slots.size()) {
    // Grows to keep at least half the slots free, placing every name again.
    size_t size = index.slots.empty() ? 1024 : 2 * index.slots.size();
    index.slots.assign(size, 0);
    for (uint32_t number = 0; number + 1 < table.nameStart.size(); ++number) {
      size_t slot = std::hash<std::string_view>()(stored(number)) & (size - 1);
      while (index.slots[slot] != 0) slot = (slot + 1) & (size - 1);
      index.slots[slot] = number + 1;
    }
  }
  size_t mask = index.slots.size() - 1;
  size_t slot = std::hash<std::string_view>()(name) & mask;
  while (index.slots[slot] != 0) {
    uint32_t number = index.slots[slot] - 1;
    if (stored(number) == name) return index.recentNumber = number;
    slot = (slot + 1) & mask;
  }
  uint32_t number = static_cast<uint32_t>(table.nameStart.size() - 1);
  table.namePool += name;
  table.nameStart.push_back(static_cast<uint32_t>(table.namePool.size()));
  index.slots[slot] = number + 1;
  ++index.used;
  return index.recentNumber = number;
}

size_t buildFeatureTable(FeatureTable& table, std::vector<PlacedFeature>& features) {
  auto key = [](const PlacedFeature& f) { return std::tie(f.start, f.end, f.featureClass, f.name, f.strand); };
  std::sort(features.begin(), features.end(),
            [&](const PlacedFeature& a, const PlacedFeature& b) { return key(a) < key(b); });
  size_t read = features.size();
  features.erase(std::unique(features.begin(), features.end(),
                             [&](const PlacedFeature& a, const PlacedFeature& b) { return key(a) == key(b); }),
                 features.end());
  size_t count = features.size();
  table.start.resize(count);
  table.end.resize(count);
  table.name.resize(count);
  table.featureClass.resize(count);
  table.strand.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const PlacedFeature& feature = features[i];
    table.start[i] = feature.start;
    table.end[i] = feature.end;
    table.name[i] = feature.name;
    table.featureClass[i] = feature.featureClass;
    table.strand[i] = feature.strand;
  }
  giveRows(table);
  buildIndex(table);
  return read - count;
}

std::string_view featureName(const FeatureTable& table, uint32_t feature) {
  uint32_t name = table.name[feature];
  return std::string_view(table.namePool)
      .substr(table.nameStart[name], table.nameStart[name + 1] - table.nameStart[name]);
}

void featuresOverlapping(const FeatureTable& table, int64_t from, int64_t to, std::vector<uint32_t>& hits) {
  if (featureCount(table) == 0 || to <= from) return;
  // Features from limit on start at or after the query's end.
  size_t limit = static_cast<size_t>(std::lower_bound(table.start.begin(), table.start.end(), to) - table.start.begin());
  collect(table, 1, 0, table.treeLeaves, limit, from, hits);
}

void findFeaturesNamed(const FeatureTable& table, std::string_view name, std::vector<uint32_t>& hits) {
  size_t names = table.nameStart.size() - 1;
  std::vector<bool> wanted(names, false);
  bool any = false;
  for (int pass = 0; pass < 2 && !any; ++pass) {
    for (size_t i = 0; i < names; ++i) {
      std::string_view candidate =
          std::string_view(table.namePool).substr(table.nameStart[i], table.nameStart[i + 1] - table.nameStart[i]);
      if (pass == 0 ? candidate == name : equalIgnoringCase(candidate, name)) wanted[i] = any = true;
    }
  }
  if (!any) return;
  for (size_t i = 0; i < featureCount(table); ++i)
    if (wanted[table.name[i]]) hits.push_back(static_cast<uint32_t>(i));
}
