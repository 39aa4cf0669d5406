// Round tick positions along the position axis and their labels ("0", "500 kb", "1.5 Mb"),
// shared by the viewer's ruler and the annotated pictures. Pure arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>

struct AxisTick {
  int64_t position;
  char label[24];
};

// The round spacing (1, 2 or 5 times a power of ten, at least 1) that puts about `wanted`
// ticks over a span of `span` positions.
int64_t tickSpacing(int64_t span, int wanted);

// Ticks at multiples of `spacing` inside [first, last], at most `room` of them; returns how
// many were written.
size_t axisTicks(int64_t first, int64_t last, int64_t spacing, AxisTick* out, size_t room);

// A position as a tick label: bp below 1 kb, kb below 1 Mb, Mb below 1 Gb, Gb above, with just the
// decimals the spacing needs ("1.5 Mb" between ticks 500 kb apart).
void formatTickLabel(int64_t position, int64_t spacing, char* out, size_t room);

// A base count with thousands separators: 12414032 -> "12,414,032".
void formatBases(int64_t value, char* out, size_t room);
