#include "align_estimate.h"

#include <algorithm>

#include "progress_line.h"

namespace {

// minimap2 -c -X on two threads of the development machine: bases a second where little
// repeats (E. coli K-12 3.1e6, U. maydis 4.3e6), and pairs of places sharing a k-mer met
// more than kManyCopies times, a second, in a made satellite array of 200 and 400 kb (1.6e5
// and 1.25e5). A few copies of a repeat cost the aligner next to nothing; thousands do.
constexpr double kBasesPerSecond = 4.0e6;
constexpr double kSharedPairsPerSecond = 1.5e5;
constexpr uint32_t kManyCopies = 16;

}  // namespace

void sampleBase(RepeatSample& sample, size_t record, char base) {
  if (record != sample.record) {
    sample.record = record;
    sample.roll = KmerRoll{};
  }
  uint64_t hash = 0;
  bool forwardFirst = false;
  if (!rollKmer(sample.roll, base, hash, forwardFirst) || hash % kRepeatSampleRate != 0) return;
  ++sample.sampled;
  auto found = sample.counts.find(hash);
  if (found != sample.counts.end())
    ++found->second;
  else if (sample.counts.size() < kRepeatSampleCap)
    sample.counts.emplace(hash, 1);
}

AlignEstimate estimateAlignment(const RepeatSample& sample, int64_t bases, int threads) {
  double pairs = 0;
  for (const auto& kmer : sample.counts)
    if (kmer.second > kManyCopies) pairs += 0.5 * kmer.second * (kmer.second - 1.0);
  pairs *= kRepeatSampleRate;
  double scale = 2.0 / std::max(1, threads);
  return {scale * (static_cast<double>(bases) / kBasesPerSecond + pairs / kSharedPairsPerSecond), pairs};
}

std::string alignRouteText(const std::string& path, int64_t bases, const AlignEstimate& estimate) {
  std::string text = "aligning " + path + " against itself (minimap2 -c -X): " + formatBases(bases) +
                     ", about " + formatSeconds(estimate.seconds);
  if (estimate.seconds > kLongAlignSeconds)
    text += "; its repeats make that long: --tiles 5000 compares windows of 5000 bases by their k-mers in seconds";
  return text;
}
