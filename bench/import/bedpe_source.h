// Writes a synthetic BEDPE file shaped like a structural-variant caller's: mostly pairs on
// one chromosome, some across or on others, a few unplaced (-1) ends, both strand orders.
#pragma once

#include <cstdint>
#include <string>

// Returns false when the file cannot be written.
bool writeBenchBedpe(const std::string& path, int64_t lines, uint64_t seed);
