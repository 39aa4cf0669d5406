// minimap2's options exactly as its command line `minimap2 -c -X [-x PRESET]` sets them,
// so that the alignments made here are the binary's.
#pragma once

#include <string>

#include <minimap.h>

// The preset first (as the binary always applies -x before the other options), then -X and
// -c. False with error set for a preset minimap2 does not know or refuses with -X (sr), the
// only one that pairs reads.
bool setSelfAlignOptions(const std::string& preset, mm_idxopt_t& index, mm_mapopt_t& map, std::string& error);
