// Writes a synthetic BLAST tabular (-outfmt 6) file shaped like a genome's self-comparison:
// mostly hits within one chromosome, each repeat from both of its copies, both strands,
// some hits across or on another sequence, a few regions on themselves.
#pragma once

#include <cstdint>
#include <string>

// Returns false when the file cannot be written.
bool writeBenchBlast(const std::string& path, int64_t lines, uint64_t seed);
