// Annotation files (--annotation FILE, repeatable) read onto the pairs' axis: one lane a
// file, every feature coloured by its class (the GFF type, the repeat class, ...), the
// classes shared by all lanes for one legend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "annotation_rows.h"
#include "feature_table.h"
#include "sequence_axis.h"

struct Rgb {
  uint8_t r, g, b;
};

// Classes past the palette's colours share this grey.
constexpr Rgb kOtherClassColour{0xBB, 0xBB, 0xBB};
constexpr size_t kClassColours = 9;

struct FeatureClass {
  std::string name;  // "gene", "exon", "LINE", "Simple_repeat", "tandem repeat", a BED track's name
  Rgb colour;        // the palette's next colour, in order of first appearance
  uint64_t count;    // features of it on the axis, in every lane
};

struct AnnotationLane {
  std::string path;
  AnnotationFormat format;
  FeatureTable features;
};

struct AnnotationLanes {
  std::vector<AnnotationLane> lanes;
  std::vector<FeatureClass> classes;
};

// What one file may hold, so that a file of millions of rows cannot take the memory: a
// feature costs 24 bytes once loaded (feature_table.h) and about 55 while its file is read,
// and each distinct name its bytes once. Identical features (same place, name, class and
// strand) count once. A file past a bound is refused with the bound named.
struct AnnotationBounds {
  size_t features = 10000000;
  size_t nameBytes = size_t{256} << 20;
};
extern AnnotationBounds annotationBounds;  // tests lower it

// Reads path (gzip too) and adds it as a lane, its features placed on axis at their
// sequence's offset. A feature on a sequence not on the axis, or reaching past its end,
// is dropped and counted; a row that cannot be read is skipped and counted. With no
// sequence on the axis (a list that names none) the features go at offset 0 when the
// file names one sequence only. summary is one line for standard error: "annotation
// genes.gff3 (GFF3): 14 features on 2 sequences; merged 2 identical features; skipped 3 on
// sequences not on the axis (plasmid2)". False, with error saying why and no lane added, for a file that cannot be
// read or is no annotation, or several sequences on an axis that names none.
bool loadAnnotation(AnnotationLanes& lanes, const char* path, const SequenceAxis& axis, std::string& summary,
                    std::string& error);

// The legend: every class in order of first appearance, its colour and count.
inline const std::vector<FeatureClass>& annotationClasses(const AnnotationLanes& lanes) { return lanes.classes; }

// The colour of a lane's feature.
inline Rgb featureColour(const AnnotationLanes& lanes, const AnnotationLane& lane, uint32_t feature) {
  return lanes.classes[lane.features.featureClass[feature]].colour;
}
