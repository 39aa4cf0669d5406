// BEDPE: chrom1 start1 end1 chrom2 start2 end2 [name score strand1 strand2 ...], 0-based,
// ends exclusive. Lines starting with "#", "track" or "browser" are headers. A start of -1
// marks an end the tool could not place.
#pragma once

#include <string_view>

#include "pair_row.h"

bool isBedpeHeader(std::string_view line);

RowResult readBedpeRow(std::string_view line);
