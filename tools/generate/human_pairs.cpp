#include "human_pairs.h"

#include <algorithm>

#include "generated_random.h"
#include "human_layout.h"

namespace {

// Hot spots: each chromosome's first and last 1.5% and 2% round 0.4 of its length, about
// 5% of the genome holding half the pairs.
constexpr int kHotSpotsEach = 3;
const double kHotStart[kHotSpotsEach] = {0.0, 0.39, 0.985};
const double kHotWidth[kHotSpotsEach] = {0.015, 0.02, 0.015};

struct Place {
  int sequence;
  int64_t start;
};

int64_t clampStart(int sequence, int64_t start, int64_t length) {
  return std::clamp<int64_t>(start, 0, kHumanLayout[sequence].length - length);
}

Place hotPlace(Random& random, int64_t length) {
  int s = humanSequenceByLength(random);
  int spot = static_cast<int>(below(random, kHotSpotsEach));
  double chromosome = static_cast<double>(kHumanLayout[s].length);
  double at = (kHotStart[spot] + uniform(random) * kHotWidth[spot]) * chromosome;
  return {s, clampStart(s, static_cast<int64_t>(at), length)};
}

int64_t pairLength(Random& random, bool hot) {
  if (hot) return std::min<int64_t>(1000 + static_cast<int64_t>(exponential(random, 15000)), 400000);
  if (uniform(random) < 0.6) return 100 + static_cast<int64_t>(exponential(random, 400));
  return 1000 + static_cast<int64_t>(exponential(random, 5000));
}

// The second copy: near the first, elsewhere on its chromosome, or on another one (for a hot
// pair, on a hot spot), never overlapping the first on the same chromosome.
Place copyPlace(Random& random, Place first, int64_t length, bool hot) {
  double u = uniform(random);
  if (hot ? u < 0.5 : u < 0.7) {
    int64_t gap = length + static_cast<int64_t>(exponential(random, hot ? 500000 : 3000000));
    int64_t start = first.start + (nextBits(random) & 1 ? gap : -gap);
    if (start < 0 || start + length > kHumanLayout[first.sequence].length) start = first.start + gap;
    if (start + length <= kHumanLayout[first.sequence].length) return {first.sequence, start};
  }
  if (hot) {
    Place other = hotPlace(random, length);
    if (other.sequence != first.sequence) return other;
  }
  int s = u < 0.9 ? first.sequence : humanSequenceByLength(random);
  Place other{s, below(random, kHumanLayout[s].length - length)};
  if (other.sequence == first.sequence && other.start < first.start + length && first.start < other.start + length)
    other.start = first.start + length <= kHumanLayout[s].length - length ? first.start + length : 0;
  return other;
}

void writeLine(std::FILE* out, Place query, Place target, int64_t length, char strand, int64_t matches) {
  const HumanSequence& q = kHumanLayout[query.sequence];
  const HumanSequence& t = kHumanLayout[target.sequence];
  std::fprintf(out, "%s\t%lld\t%lld\t%lld\t%c\t%s\t%lld\t%lld\t%lld\t%lld\t%lld\t60\ttp:A:P\n", q.name,
               static_cast<long long>(q.length), static_cast<long long>(query.start),
               static_cast<long long>(query.start + length), strand, t.name, static_cast<long long>(t.length),
               static_cast<long long>(target.start), static_cast<long long>(target.start + length),
               static_cast<long long>(matches), static_cast<long long>(length));
}

}  // namespace

bool writeHumanPaf(std::FILE* out, int64_t lines, uint64_t seed, bool twins) {
  Random random{seed};
  for (int64_t written = 0; written < lines;) {
    bool hot = uniform(random) < 0.5;
    int64_t length = pairLength(random, hot);
    Place first = hot ? hotPlace(random, length)
                      : [&] {
                          int s = humanSequenceByLength(random);
                          return Place{s, below(random, kHumanLayout[s].length - length)};
                        }();
    Place second = copyPlace(random, first, length, hot);
    char strand = uniform(random) < 0.3 ? '-' : '+';
    int64_t matches = length - static_cast<int64_t>(uniform(random) * 0.12 * static_cast<double>(length));
    writeLine(out, first, second, length, strand, matches);
    ++written;
    if (twins && written < lines) {
      writeLine(out, second, first, length, strand, matches);
      ++written;
    }
    // Stop early when the reader has gone or the disk is full, instead of formatting on.
    if ((written & 0xFFFF) < 2 && std::ferror(out)) return false;
  }
  return std::ferror(out) == 0;
}
