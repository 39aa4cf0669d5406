// Writes a synthetic PAF file shaped like minimap2's self-alignment of a genome: the
// sequence on itself first, then each repeat from both of its copies, both strands, a few
// hits into another sequence, with minimap2's usual tags.
#pragma once

#include <cstdint>
#include <string>

// Writes lines until the file holds at least bytes. Returns false when it cannot be written.
bool writeBenchPaf(const std::string& path, int64_t bytes, uint64_t seed);
