#include "satellite_array.h"

#include <algorithm>
#include <random>

namespace {

constexpr int kMonomer = 171;
const char kBases[] = "ACGT";

// Each base changed to one of the other three with the given chance.
std::string mutated(const std::string& from, double chance, std::mt19937& random) {
  std::string out = from;
  for (char& base : out) {
    if (static_cast<double>(random()) / 4294967296.0 >= chance) continue;
    const char* at = std::find(kBases, kBases + 4, base);
    base = kBases[(static_cast<uint32_t>(at - kBases) + 1 + random() % 3) % 4];
  }
  return out;
}

}  // namespace

std::string satelliteArray(const SatelliteShape& shape) {
  std::mt19937 random(shape.seed);
  std::string monomer;
  for (int i = 0; i < kMonomer; ++i) monomer += kBases[random() % 4];
  std::string unit;
  for (int i = 0; i < shape.monomers; ++i) unit += mutated(monomer, 0.25, random);
  std::string array;
  array.reserve(static_cast<size_t>(shape.bases) + unit.size());
  while (static_cast<int64_t>(array.size()) < shape.bases) array += mutated(unit, shape.divergence, random);
  array.resize(static_cast<size_t>(shape.bases));
  return array;
}

std::string reverseComplement(const std::string& bases) {
  std::string out(bases.rbegin(), bases.rend());
  for (char& base : out) base = kBases[3 - (std::find(kBases, kBases + 4, base) - kBases)];
  return out;
}

std::string fastaRecord(const std::string& name, const std::string& bases) {
  std::string out = ">" + name + "\n";
  for (size_t i = 0; i < bases.size(); i += 80) out += bases.substr(i, 80) + "\n";
  return out;
}
