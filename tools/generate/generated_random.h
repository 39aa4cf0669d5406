// The generators' one source of random numbers: splitmix64, so the same seed gives the same
// bytes on every platform and compiler (std::mt19937's distributions do not).
#pragma once

#include <cmath>
#include <cstdint>

struct Random {
  uint64_t state;
};

inline uint64_t nextBits(Random& random) {
  uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

inline double uniform(Random& random) { return static_cast<double>(nextBits(random) >> 11) * 0x1.0p-53; }

inline double exponential(Random& random, double mean) { return -mean * std::log(1.0 - uniform(random)); }

// A whole number in [0, n).
inline int64_t below(Random& random, int64_t n) {
  return n <= 0 ? 0 : static_cast<int64_t>(nextBits(random) % static_cast<uint64_t>(n));
}
