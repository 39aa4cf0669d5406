// PAF: qname qlen qstart qend strand tname tlen tstart tend matches blocklen mapq [tags],
// 0-based, ends exclusive. For a self-alignment the aligner reports each repeat from both
// of its copies, and every region once against itself; the reader marks both kinds.
// Identity is 100 x matches / block length. A cg:Z tag (minimap2 -c) is kept as the row's path.
#pragma once

#include <string_view>

#include "pair_row.h"

RowResult readPafRow(std::string_view line);
