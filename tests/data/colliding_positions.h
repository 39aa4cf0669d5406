// Positions chosen to defeat a fixed multiplicative hash: under Fibonacci hashing into 2^20
// slots they all land in a narrow band of home slots, so linear probing degrades into one
// long run. A table keyed at start-up must not care.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// `count` distinct positions in 0..299,999,999 whose (p * 2654435769) >> 12 home slots lie
// together.
std::vector<int32_t> collidingPositions(std::size_t count);
