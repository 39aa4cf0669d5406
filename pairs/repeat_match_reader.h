// MUMmer repeat-match output: a "Long Exact Matches:" header, a column header, then rows
// "Start1 Start2[r] Length", 1-based. An r row is a reverse-complement copy whose Start2 is
// the copy's far end, since the copy is read backwards from there. Every match is exact:
// identity 100.
#pragma once

#include <string_view>

#include "pair_row.h"

RowResult readRepeatMatchRow(std::string_view line);
