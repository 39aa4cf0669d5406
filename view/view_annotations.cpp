#include "view_annotations.h"

#include <cstdio>

#include "annotation_lanes.h"
#include "annotation_place.h"
#include "sequence_axis.h"
#include "view_options.h"

namespace {

AnnotationLanes lanes;
std::vector<std::string> lanesRead;

}  // namespace

const AnnotationLanes* viewLanes() { return &lanes; }

const std::vector<std::string>& viewLanesRead() { return lanesRead; }

bool loadViewAnnotations(const ViewOptions& options, std::string& error) {
  if (options.annotations == lanesRead) return true;
  lanes = AnnotationLanes{};
  lanesRead.clear();
  for (const std::string& path : options.annotations) {
    std::string summary;
    if (!loadAnnotation(lanes, path.c_str(), loadedSequences(), summary, error)) return false;
    std::fprintf(stderr, "%s\n", summary.c_str());
  }
  lanesRead = options.annotations;
  return true;
}
