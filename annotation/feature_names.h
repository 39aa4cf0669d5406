// The names of the features a stretch of the axis overlaps, in every lane, for the HUD and
// the line a click prints.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "annotation_lanes.h"

// "rrnB, tRNA-Ala" in order of lane, then start, each name once; past most names
// ", +12 more"; "" when none.
std::string featureNamesOver(const AnnotationLanes& lanes, int64_t from, int64_t to, size_t most);
