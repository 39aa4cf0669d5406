// A made alpha-satellite array, for sizes and structure no Debian package ships (there is
// no human centromere among them): a 171-base monomer, a higher-order repeat of monomers
// that each differ from it in about a quarter of their bases, and the higher-order repeat
// copied end to end with each copy differing from it in `divergence` of its bases, so two
// copies differ in about twice that.
#pragma once

#include <cstdint>
#include <string>

struct SatelliteShape {
  int64_t bases = 3000000;
  int monomers = 12;         // in the higher-order repeat
  double divergence = 0.01;  // of each copy from the higher-order repeat
  uint32_t seed = 171;
};

std::string satelliteArray(const SatelliteShape& shape);

// The reverse complement, for a copy on the other strand.
std::string reverseComplement(const std::string& bases);

// As a FASTA record of 80-base lines.
std::string fastaRecord(const std::string& name, const std::string& bases);
