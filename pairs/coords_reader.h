// MUMmer show-coords: the default table ("[S1] [E1] | [S2] [E2] | [LEN 1] [LEN 2] | [% IDY] |
// [TAGS]" under a header) and -T (tab-separated, with or without the -H header lines).
// 1-based, ends inclusive; the reference copy is always forward, and E2 < S2 marks a
// reverse copy. Columns that -c or -l add before the tags are passed over. As for PAF, a
// self-comparison gives each region against itself and each repeat twice; both are marked.
#pragma once

#include <cstddef>
#include <string_view>

#include "pair_row.h"

// "NUCMER" or "PROMER", the second line of show-coords' header, or its column header.
bool isCoordsHeader(std::string_view line);

// A row of the default table, or of -T: six whole numbers, then the identity.
bool looksLikeCoordsRow(const std::string_view* fields, size_t count);

RowResult readCoordsRow(std::string_view line);
