#include "planted_genome.h"

#include <algorithm>
#include <random>
#include <tuple>

namespace {

constexpr int64_t kFlank = 20;
constexpr char kBases[] = "ACGT";

char complementOf(char base) {
  switch (base) {
    case 'A': return 'T';
    case 'C': return 'G';
    case 'G': return 'C';
    default: return 'A';
  }
}

// Offset i of a copy, read in the orientation of its group's original: a reverse copy is
// read backwards from its far end, complemented. Offsets before 0 or past length - 1 are
// its flanks.
char orientedBase(const std::string& bases, const PlantedCopy& copy, int64_t length, int64_t i) {
  if (!copy.reverse) return bases[static_cast<size_t>(copy.start + i)];
  return complementOf(bases[static_cast<size_t>(copy.start + length - 1 - i)]);
}

void setOriented(std::string& bases, const PlantedCopy& copy, int64_t length, int64_t i, char base) {
  if (!copy.reverse) bases[static_cast<size_t>(copy.start + i)] = base;
  else bases[static_cast<size_t>(copy.start + length - 1 - i)] = complementOf(base);
}

// Matching bases over length in percent, two decimals, half up.
std::string identityOf(const PlantedRepeat& repeat) {
  int64_t mismatches = 0;
  for (int64_t i = 0; repeat.mismatchEvery > 0 && i < repeat.length; ++i)
    if (i % repeat.mismatchEvery == repeat.mismatchEvery / 2) ++mismatches;
  int64_t hundredths = (20000 * (repeat.length - mismatches) + repeat.length) / (2 * repeat.length);
  std::string cents = std::to_string(hundredths % 100);
  return std::to_string(hundredths / 100) + (cents.size() < 2 ? ".0" : ".") + cents;
}

}  // namespace

bool ExpectedPair::operator<(const ExpectedPair& o) const {
  return std::tie(pos, partner, len, orientation, identity) < std::tie(o.pos, o.partner, o.len, o.orientation, o.identity);
}

bool ExpectedPair::operator==(const ExpectedPair& o) const {
  return std::tie(pos, partner, len, orientation, identity) ==
         std::tie(o.pos, o.partner, o.len, o.orientation, o.identity);
}

std::string plantRepeats(uint64_t seed, int64_t length, const std::vector<PlantedRepeat>& repeats) {
  std::mt19937_64 random(seed);
  std::string bases(static_cast<size_t>(length), 'A');
  for (char& base : bases) base = kBases[random() % 4];
  for (const PlantedRepeat& repeat : repeats) {
    const PlantedCopy& original = repeat.copies[0];
    for (size_t k = 1; k < repeat.copies.size(); ++k) {
      for (int64_t i = 0; i < repeat.length; ++i) {
        char base = orientedBase(bases, original, repeat.length, i);
        if (repeat.mismatchEvery > 0 && i % repeat.mismatchEvery == repeat.mismatchEvery / 2)
          base = kBases[(std::find(kBases, kBases + 4, base) - kBases + 1) % 4];
        setOriented(bases, repeat.copies[k], repeat.length, i, base);
      }
    }
    // Flanks: at each offset, a shuffled set of bases hands each copy a different one.
    for (int64_t j = 1; j <= kFlank; ++j) {
      for (int64_t offset : {-j, repeat.length - 1 + j}) {
        std::string shuffled = "ACGT";
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        for (size_t k = 0; k < repeat.copies.size(); ++k)
          setOriented(bases, repeat.copies[k], repeat.length, offset, shuffled[k % 4]);
      }
    }
    // A gapped aligner (blastn) could also extend a pair's match one base aside into the
    // flanks: the second copy's flank base differs from the first's beside it too.
    if (repeat.copies.size() != 2) continue;
    for (int64_t j = 1; j <= kFlank; ++j) {
      for (int64_t offset : {-j, repeat.length - 1 + j}) {
        std::string shuffled = "ACGT";
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        for (char base : shuffled) {
          bool besideFirst = false;
          for (int64_t near = offset - 1; near <= offset + 1; ++near)
            besideFirst = besideFirst || orientedBase(bases, original, repeat.length, near) == base;
          if (besideFirst) continue;
          setOriented(bases, repeat.copies[1], repeat.length, offset, base);
          break;
        }
      }
    }
  }
  return bases;
}

std::vector<ExpectedPair> expectedPairs(const std::vector<PlantedRepeat>& repeats) {
  std::vector<ExpectedPair> pairs;
  for (const PlantedRepeat& repeat : repeats) {
    for (size_t a = 0; a < repeat.copies.size(); ++a) {
      for (size_t b = a + 1; b < repeat.copies.size(); ++b) {
        const PlantedCopy& x = repeat.copies[a];
        const PlantedCopy& y = repeat.copies[b];
        int64_t first = std::min(x.start, y.start);
        int64_t second = std::max(x.start, y.start);
        pairs.push_back({first, second, repeat.length, x.reverse != y.reverse ? 1 : 0, identityOf(repeat)});
      }
    }
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

std::string asFasta(const std::string& name, const std::string& bases) {
  std::string text = ">" + name + "\n";
  for (size_t i = 0; i < bases.size(); i += 60) text += bases.substr(i, 60) + "\n";
  return text;
}
