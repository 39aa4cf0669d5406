// The input formats and how each is recognised from its first lines.
#pragma once

#include <string_view>

#include "pair_row.h"

enum class InputFormat { Unknown, RepeatMatch, Bedpe, Paf, Blast, Coords, Trf };

// "repeat-match", "bedpe", "paf", "blast6", "coords", "trf".
const char* formatName(InputFormat format);
// Unknown for a name that is none of them.
InputFormat formatNamed(std::string_view name);

enum class Detection { LookFurther, Decided, CannotTell };

// Looks at one line: a blank or header line says nothing yet (LookFurther); a repeat-match,
// BLAST -outfmt 7 or show-coords header, a PAF row (12+ columns, numbers in 2, 3, 4, a
// strand in 5), a show-coords row, a BLAST row (12+ columns, numbers in 3 to 12) or a BEDPE
// row (6+ columns, numbers in 2, 3, 5, 6) decides; any other line cannot be told, except
// that a first line of two fields may be show-coords' naming its two FASTA files.
Detection detectFormat(std::string_view line, InputFormat& format, bool firstLine = false);

// The names --from takes, for messages: "repeat-match, bedpe, paf, blast6, coords or trf".
extern const char* const kFormatNames;

// One row of any format but TRF, whose rows need the section's sequence (trf_reader.h).
RowResult readRow(InputFormat format, std::string_view line);
