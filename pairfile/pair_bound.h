// How many pairs a named file may hold when --max-pairs does not say: a quarter of the
// machine's physical memory at 64 bytes a pair (what a pair may cost while loading), and no
// more than int32 slot numbers can count.
#pragma once

#include <cstdint>

constexpr int64_t kLoadBytesPerPair = 64;

int64_t defaultMaxPairs();
