// BLAST tabular, -outfmt 6 and 7: qseqid sseqid pident length mismatch gapopen qstart qend
// sstart send evalue bitscore [more], 1-based, ends inclusive; -outfmt 7 adds "#" comment
// lines. A hit on the minus strand has sstart > send. As for PAF, a self-comparison gives
// each region once against itself and each repeat from both copies; the reader marks both.
#pragma once

#include <string_view>

#include "pair_row.h"

// "# BLASTN 2.12.0+" and the like: the first line of -outfmt 7.
bool isBlastBanner(std::string_view line);

// Twelve or more columns with numbers where -outfmt 6 has them.
bool looksLikeBlastRow(const std::string_view* fields, size_t count);

RowResult readBlastRow(std::string_view line);
