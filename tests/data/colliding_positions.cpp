#include "colliding_positions.h"

std::vector<int32_t> collidingPositions(std::size_t count) {
  const uint32_t multiplier = 2654435769u;
  // The multiplier's inverse modulo 2^32, by Newton's iteration (each step doubles the bits).
  uint32_t inverse = multiplier;
  for (int i = 0; i < 5; ++i) inverse *= 2u - multiplier * inverse;
  std::vector<int32_t> positions;
  positions.reserve(count);
  // Walk the products upwards from one home slot: each maps back to exactly one position.
  for (uint32_t product = 0x12345u << 12; positions.size() < count; ++product) {
    uint32_t position = product * inverse;
    if (position < 300000000u) positions.push_back(static_cast<int32_t>(position));
  }
  return positions;
}
