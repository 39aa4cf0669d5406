#include "feature_names.h"

#include <algorithm>
#include <string_view>
#include <vector>

std::string featureNamesOver(const AnnotationLanes& lanes, int64_t from, int64_t to, size_t most) {
  std::vector<std::string_view> names;
  size_t more = 0;
  std::vector<uint32_t> hits;
  for (const AnnotationLane& lane : lanes.lanes) {
    hits.clear();
    featuresOverlapping(lane.features, from, to, hits);
    for (uint32_t feature : hits) {
      std::string_view name = featureName(lane.features, feature);
      if (std::find(names.begin(), names.end(), name) != names.end()) continue;
      if (names.size() < most)
        names.push_back(name);
      else
        ++more;
    }
  }
  std::string text;
  for (std::string_view name : names) text += (text.empty() ? "" : ", ") + std::string(name);
  if (more > 0) text += ", +" + std::to_string(more) + " more";
  return text;
}
