// Annotation files of any size for the benchmark, as the tools write them: features spread
// over sequences of a genome laid end to end, in each format.
#pragma once

#include <cstdint>
#include <string>

#include "annotation_rows.h"
#include "sequence_axis.h"

// The genome the features lie on: 24 sequences of 10 Mb, end to end.
SequenceAxis benchGenome();

// Writes features rows of format to path, sorted by sequence and start as the tools write
// them. False when it cannot be written.
bool writeBenchAnnotation(const std::string& path, AnnotationFormat format, int64_t features, uint64_t seed);
