// The pair formats, named and told from their first lines through their rows in
// file_kinds, and one row of any of them read.
#pragma once

#include <string_view>

#include "pair_row.h"

enum class InputFormat { Unknown, RepeatMatch, Bedpe, Paf, Blast, Coords, Trf };

// "repeat-match", "bedpe", "paf", "blast6", "coords", "trf".
const char* formatName(InputFormat format);
// Unknown for a name that is none of them.
InputFormat formatNamed(std::string_view name);

enum class Detection { LookFurther, Decided, CannotTell };

// Looks at one line: a blank or header line says nothing yet (LookFurther); a format's own
// header (repeat-match, BLAST -outfmt 7, show-coords, TRF's banner) or a row one format's
// row test passes (the first of them by rank) decides; any other line cannot be told,
// except that a first line of two fields may be show-coords' naming its two FASTA files.
Detection detectFormat(std::string_view line, InputFormat& format, bool firstLine = false);

// The names --from takes, for messages: "repeat-match, bedpe, paf, blast6, coords or trf",
// from the table.
extern const char* const kFormatNames;

// One row of any format but TRF, whose rows need the section's sequence (trf_reader.h).
RowResult readRow(InputFormat format, std::string_view line);
