// The input formats and how each is recognised from its first lines.
#pragma once

#include <string_view>

#include "pair_row.h"

enum class InputFormat { Unknown, RepeatMatch, Bedpe, Paf };

// "repeat-match", "bedpe", "paf".
const char* formatName(InputFormat format);
// Unknown for a name that is none of them.
InputFormat formatNamed(std::string_view name);

enum class Detection { LookFurther, Decided, CannotTell };

// Looks at one line: a blank or header line says nothing yet (LookFurther); a repeat-match
// header, a PAF row (12+ columns, numbers in 2, 3, 4, a strand in 5) or a BEDPE row (6+
// columns, numbers in 2, 3, 5, 6) decides; any other line cannot be told.
Detection detectFormat(std::string_view line, InputFormat& format);

RowResult readRow(InputFormat format, std::string_view line);
