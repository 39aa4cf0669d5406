// A self-alignment PAF over the human-sized layout, shaped like a segmental-duplication-rich
// genome's: half the pairs crowd into hot spots at the chromosomes' ends and near their
// centromeres (copies often on another chromosome's hot spot), the rest spread by length,
// most copies near their original.
#pragma once

#include <cstdint>
#include <cstdio>

// Writes lines PAF lines (12 columns and tp:A:P). With twins each pair is written from both
// of its copies, as an aligner's self-comparison reports it, so lines / 2 pairs; without, one
// line a pair. Deterministic in seed. False when out could not be written.
bool writeHumanPaf(std::FILE* out, int64_t lines, uint64_t seed, bool twins);
