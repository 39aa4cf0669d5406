// The features of one annotation file placed on the axis, compact and sorted by start, with
// the queries drawing and picking need: the features overlapping a stretch, those at a
// position, and those of a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Overlapping features go to at most this many rows of a lane; the rest share the last.
constexpr int kLaneRows = 4;

// One feature before the table is built: on the axis, its name and class numbered.
struct PlacedFeature {
  int64_t start;  // axis position, [start, end)
  int64_t end;
  uint32_t name;          // into the table's names
  uint16_t featureClass;  // into AnnotationLanes::classes
  char strand;            // '+', '-' or '.'
};

// 24 bytes a feature, plus each distinct name once.
struct FeatureTable {
  std::vector<int64_t> start;  // sorted axis positions
  std::vector<int64_t> end;
  std::vector<uint32_t> name;
  std::vector<uint16_t> featureClass;
  std::vector<char> strand;
  std::vector<uint8_t> row;  // 0 to kLaneRows - 1
  int rowsUsed = 0;          // rows any feature is in

  // Name i is namePool[nameStart[i], nameStart[i + 1]).
  std::string namePool;
  std::vector<uint32_t> nameStart{0};

  // The largest end in each block of kFeatureBlock features, as a binary tree over the
  // blocks (leaves from treeLeaves on), so a query skips every block that ends before it.
  std::vector<int64_t> maxEndTree;
  size_t treeLeaves = 0;
};

constexpr size_t kFeatureBlock = 32;

// The names given numbers so far, while a table is filled; dropped once it is built. Open
// addressing over the table's own name pool: a file of unique names (GFF IDs) would
// otherwise cost a node and a string a feature.
struct FeatureNameIndex {
  std::vector<uint32_t> slots;  // name number + 1; 0 is free
  size_t used = 0;
  uint32_t recentNumber = UINT32_MAX;  // rows often repeat the name before (RepeatMasker's, TRF's)
};

// The number of a name, stored once in the table, for PlacedFeature::name.
uint32_t addFeatureName(FeatureTable& table, FeatureNameIndex& index, std::string_view name);

// Sorts the features by start (then end, class, name and strand), keeps one of identical
// features, stores them, gives each its row and builds the index. The names must have been
// added first. Returns the number of identical features merged.
size_t buildFeatureTable(FeatureTable& table, std::vector<PlacedFeature>& features);

inline size_t featureCount(const FeatureTable& table) { return table.start.size(); }
std::string_view featureName(const FeatureTable& table, uint32_t feature);

// Appends, in order of start, every feature that overlaps [from, to). Costs O(log n +
// blocks holding a hit).
void featuresOverlapping(const FeatureTable& table, int64_t from, int64_t to, std::vector<uint32_t>& hits);

// The features that hold axis position at.
inline void featuresAt(const FeatureTable& table, int64_t at, std::vector<uint32_t>& hits) {
  featuresOverlapping(table, at, at + 1, hits);
}

// Appends the features named name, in order of start: exact matches, or when there are
// none, those whose name matches ignoring case. Goes through every name: for a go-to typed
// by hand.
void findFeaturesNamed(const FeatureTable& table, std::string_view name, std::vector<uint32_t>& hits);
