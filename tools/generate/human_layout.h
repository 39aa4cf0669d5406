// The human-sized layout the generated genome-scale data lie on: GRCh38's 24 primary
// chromosomes, with their names and lengths, laid end to end in that order (3.1 Gb). No
// Debian package holds pairs or annotation of a human genome, so the benchmarks and tests
// at that scale generate them over these lengths.
#pragma once

#include <cstdint>
#include <cstdio>

struct HumanSequence {
  const char* name;
  int64_t length;
};

constexpr int kHumanSequences = 24;
extern const HumanSequence kHumanLayout[kHumanSequences];

// 3,088,269,832: the 24 lengths summed.
int64_t humanGenomeLength();

// A sequence drawn with chance in proportion to its length.
struct Random;
int humanSequenceByLength(Random& random);

// The layout as a FASTA index (samtools faidx's five columns, as for 60-base lines), which
// --all-sequences --fai reads for the order and the lengths. False when it cannot be written.
bool writeHumanFai(std::FILE* out);
