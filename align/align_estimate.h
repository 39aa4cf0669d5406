// How long aligning a genome against itself will take, guessed before it starts from its
// length and a sample of its k-mers: minimap2's work grows with the bases and with the
// pairs of places that share a k-mer, which a satellite array multiplies by the thousand.
// The constants are measured on real genomes and a made satellite array (README, "Choosing
// the route").
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "canonical_kmers.h"

// One canonical k-mer in kRepeatSampleRate is counted, the table held to kRepeatSampleCap
// k-mers (past it only those already in are counted).
constexpr uint64_t kRepeatSampleRate = 256;
constexpr size_t kRepeatSampleCap = 1 << 20;

struct RepeatSample {
  std::unordered_map<uint64_t, uint32_t> counts;
  KmerRoll roll;
  size_t record = SIZE_MAX;
  int64_t sampled = 0;  // k-mer places sampled
};

void sampleBase(RepeatSample& sample, size_t record, char base);

struct AlignEstimate {
  double seconds;
  double sharedPairs;  // estimated pairs of places sharing a k-mer of many copies
};

AlignEstimate estimateAlignment(const RepeatSample& sample, int64_t bases, int threads);

// Past this the route line suggests tiles instead.
constexpr double kLongAlignSeconds = 300;

// The line that says the alignment route starts: how long it should take, and past minutes
// that tiles would take seconds.
std::string alignRouteText(const std::string& path, int64_t bases, const AlignEstimate& estimate);
