// The features of every lane under a stretch of the axis, named for the HUD and the click
// line: under the pointer, or under each end of the picked pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "annotation_lanes.h"

struct FeatureHit {
  uint32_t lane;
  uint32_t feature;
};

// Every lane's features overlapping [from, to), lane by lane, each in order of start.
std::vector<FeatureHit> featuresUnder(const AnnotationLanes& lanes, int64_t from, int64_t to);

// "geneOne (gene), AluSx (SINE)": each hit's name and class, a nameless one by its class
// alone, at most most of them and then "+N more"; "" for none.
std::string nameFeatures(const AnnotationLanes& lanes, const std::vector<FeatureHit>& hits, size_t most);
