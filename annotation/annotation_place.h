// Going to a place typed by a user when annotation is loaded: a sequence place as
// parsePlace reads it, else a feature's name.
#pragma once

#include <string>
#include <string_view>

#include "annotation_lanes.h"
#include "sequence_places.h"

// parsePlace's answer; for a name that is no sequence, the first feature of that name
// (exactly, else ignoring case) in the first lane that has one, the longest of those that
// start there (a gene, not its first exon): range is the feature, and
// note says how many share the name when more than one does ("3 features named tRNA-Ala;
// the first, in genes.gff3"). UnknownName's error then says that neither a sequence nor a
// feature has the name.
PlaceAnswer findPlace(const SequenceAxis& axis, const AnnotationLanes& lanes, std::string_view text, AxisRange& range,
                      std::string& error, std::string& note);
