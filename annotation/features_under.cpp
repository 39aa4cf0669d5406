#include "features_under.h"

#include "sequence_places.h"

std::vector<FeatureHit> featuresUnder(const AnnotationLanes& lanes, int64_t from, int64_t to) {
  std::vector<FeatureHit> hits;
  std::vector<uint32_t> found;
  for (size_t lane = 0; lane < lanes.lanes.size(); ++lane) {
    found.clear();
    featuresOverlapping(lanes.lanes[lane].features, from, to, found);
    for (uint32_t feature : found) hits.push_back({static_cast<uint32_t>(lane), feature});
  }
  return hits;
}

std::string nameFeatures(const AnnotationLanes& lanes, const std::vector<FeatureHit>& hits, size_t most) {
  std::string text;
  for (size_t i = 0; i < hits.size() && i < most; ++i) {
    const FeatureTable& table = lanes.lanes[hits[i].lane].features;
    std::string_view name = featureName(table, hits[i].feature);
    const std::string& featureClass = lanes.classes[table.featureClass[hits[i].feature]].name;
    if (i > 0) text += ", ";
    text += name.empty() ? featureClass : std::string(name) + " (" + featureClass + ")";
  }
  if (hits.size() > most) text += " +" + groupedNumber(static_cast<int64_t>(hits.size() - most)) + " more";
  return text;
}
