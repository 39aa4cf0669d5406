// Writes a synthetic PAF file shaped like minimap2's self-alignment of a human genome laid
// out as GRCh38's 24 chromosomes: each chromosome on itself first, then repeats seen from
// both of their copies, both strands, within and between chromosomes, with minimap2's
// usual tags.
#pragma once

#include <cstdint>
#include <string>

// Writes at least lines lines. Returns false when the file cannot be written.
bool writeBenchPaf(const std::string& path, int64_t lines, uint64_t seed);
