// Places on an axis of named sequences: an axis position as "NODE_18:12,345" (1-based, as
// genome browsers write it), and the places a user types to go to: "POS", "NAME",
// "NAME:POS", "NAME:START-END".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sequence_axis.h"

struct SequencePlace {
  uint32_t sequence;  // its number on the axis
  int64_t position;   // 1-based within it
};

// The sequence that holds axis position at (0-based), by binary search of the offsets.
// False when no sequence holds it (an empty axis, or past the last one's end).
bool sequencePlaceOf(const SequenceAxis& axis, int64_t at, SequencePlace& place);

// "NODE_18:12,345" for an axis position held by a sequence; otherwise the axis position
// itself, digits grouped ("449,619"), as a list that names no sequence shows it.
std::string formatAxisPlace(const SequenceAxis& axis, int64_t at);

// 12345 -> "12,345".
std::string groupedNumber(int64_t value);

// A stretch of the axis, [start, end).
struct AxisRange {
  int64_t start;
  int64_t end;
};

enum class PlaceAnswer {
  Found,        // range holds the place
  UnknownName,  // text names no sequence: perhaps a feature; error says which names there are
  Invalid,      // error says what is wrong
};

// Reads a place typed by a user. Numbers may have commas ("5,000").
// - "POS": the axis position POS, 1-based as every position typed, unless a sequence has that
//   very name (Ensembl's chromosomes "1", "2", ...).
// - "NAME": the whole sequence.
// - "NAME:POS": 1-based position POS of it; "NAME:START-END": 1-based START to END inclusive.
// A name is looked up exactly, then ignoring case when only one sequence matches; a name
// that holds ':' itself is taken whole first. A position past the sequence's end is
// Invalid, and error gives the sequence's length.
PlaceAnswer parsePlace(const SequenceAxis& axis, std::string_view text, AxisRange& range, std::string& error);

// A sequence's number by name: exactly, else ignoring case when only one matches;
// kNoSequence when none.
uint32_t findSequenceNamed(const SequenceAxis& axis, std::string_view name);
