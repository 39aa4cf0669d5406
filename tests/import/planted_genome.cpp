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

}  // namespace

bool ExpectedPair::operator<(const ExpectedPair& o) const {
  return std::tie(pos, partner, len, orientation) < std::tie(o.pos, o.partner, o.len, o.orientation);
}

bool ExpectedPair::operator==(const ExpectedPair& o) const {
  return std::tie(pos, partner, len, orientation) == std::tie(o.pos, o.partner, o.len, o.orientation);
}

std::string plantRepeats(uint64_t seed, int64_t length, const std::vector<PlantedRepeat>& repeats) {
  std::mt19937_64 random(seed);
  std::string bases(static_cast<size_t>(length), 'A');
  for (char& base : bases) base = kBases[random() % 4];
  for (const PlantedRepeat& repeat : repeats) {
    const PlantedCopy& original = repeat.copies[0];
    for (size_t k = 1; k < repeat.copies.size(); ++k) {
      for (int64_t i = 0; i < repeat.length; ++i) {
        setOriented(bases, repeat.copies[k], repeat.length, i, orientedBase(bases, original, repeat.length, i));
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
        pairs.push_back({first, second, repeat.length, x.reverse != y.reverse ? 1 : 0});
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
