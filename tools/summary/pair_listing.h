// What quelvar-summary tells of the loaded pairs without awk: counts (--stats) and the
// shown pairs themselves, longest first (--pairs), in sequence names and 1-based positions.
#pragma once

#include <cstdint>
#include <cstdio>

#include "sequence_axis.h"

// Whether the bar in slot is shown; a pair is shown when either of its bars is.
using SlotShown = bool (*)(void* context, int32_t slot);

// "name<TAB>value" lines: pairs, shown, and of the shown ones those longer than 1 kb,
// inverted, between two sequences, and on each sequence (a pair between two counts on both).
void printPairStats(FILE* out, const SequenceAxis& sequences, SlotShown shown, void* context);

// A header line, then one line a shown pair, longest first (of equal lengths, in load
// order): length (the longer copy's), then each copy's own sequence, start and end (1-based,
// inclusive), strand (+, - or .) and identity in percent (. when unknown).
void printShownPairs(FILE* out, const SequenceAxis& sequences, SlotShown shown, void* context);
