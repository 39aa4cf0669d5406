#include "annotation_place.h"

#include "text_fields.h"

namespace {

std::string_view trimmed(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::string_view();
  size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

}  // namespace

PlaceAnswer findPlace(const SequenceAxis& axis, const AnnotationLanes& lanes, std::string_view text, AxisRange& range,
                      std::string& error, std::string& note) {
  note.clear();
  PlaceAnswer answer = parsePlace(axis, text, range, error);
  if (answer != PlaceAnswer::UnknownName || lanes.lanes.empty()) return answer;
  std::string_view name = trimmed(text);
  std::vector<uint32_t> hits;
  size_t total = 0;
  const AnnotationLane* first = nullptr;
  uint32_t firstFeature = 0;
  for (const AnnotationLane& lane : lanes.lanes) {
    hits.clear();
    findFeaturesNamed(lane.features, name, hits);
    if (hits.empty()) continue;
    if (first == nullptr) {
      // The first by start; of those starting there, the longest: a GTF's gene rather than
      // its first exon, which share the gene's name.
      first = &lane;
      firstFeature = hits.front();
      for (uint32_t hit : hits)
        if (lane.features.start[hit] == lane.features.start[firstFeature]) firstFeature = hit;
    }
    total += hits.size();
  }
  if (first == nullptr) {
    error += "; no feature has that name either";
    return answer;
  }
  range = {first->features.start[firstFeature], first->features.end[firstFeature]};
  if (total > 1)
    note = groupedNumber(static_cast<int64_t>(total)) + " features named " + quotedForMessage(name) +
           "; the first, in " + first->path;
  error.clear();
  return PlaceAnswer::Found;
}
