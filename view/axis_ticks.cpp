#include "axis_ticks.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

int64_t tickSpacing(int64_t span, int wanted) {
  if (span <= 0 || wanted <= 0) return 1;
  double raw = static_cast<double>(span) / wanted;
  static const int64_t kMultiples[] = {1, 2, 5};
  int64_t step = 1;
  while (step <= INT64_MAX / 100) {
    for (int64_t m : kMultiples) {
      if (static_cast<double>(step * m) >= raw) return step * m;
    }
    step *= 10;
  }
  return step;
}

size_t axisTicks(int64_t first, int64_t last, int64_t spacing, AxisTick* out, size_t room) {
  if (spacing <= 0 || last < first) return 0;
  // The first multiple of the spacing at or after `first`, rounding towards +infinity.
  int64_t k = first / spacing;
  if (k * spacing < first) ++k;
  size_t n = 0;
  for (int64_t p = k * spacing; p <= last && n < room; p += spacing) {
    out[n].position = p;
    formatTickLabel(p, spacing, out[n].label, sizeof out[n].label);
    ++n;
  }
  return n;
}

namespace {

// Decimals that show every multiple of `spacing` exactly in units of `unit`.
int decimalsFor(int64_t spacing, int64_t unit) {
  int decimals = 0;
  for (int64_t scale = unit; scale > 1 && spacing % scale != 0; scale /= 10) ++decimals;
  return decimals;
}

}  // namespace

void formatTickLabel(int64_t position, int64_t spacing, char* out, size_t room) {
  int64_t magnitude = std::llabs(position);
  if (position == 0) {
    std::snprintf(out, room, "0");
  } else if (magnitude >= 1000000000) {
    std::snprintf(out, room, "%.*f Gb", decimalsFor(spacing, 1000000000), static_cast<double>(position) / 1e9);
  } else if (magnitude >= 1000000) {
    std::snprintf(out, room, "%.*f Mb", decimalsFor(spacing, 1000000), static_cast<double>(position) / 1e6);
  } else if (magnitude >= 1000) {
    std::snprintf(out, room, "%.*f kb", decimalsFor(spacing, 1000), static_cast<double>(position) / 1e3);
  } else {
    std::snprintf(out, room, "%" PRId64 " bp", position);
  }
}

void formatBases(int64_t value, char* out, size_t room) {
  char digits[32];
  int n = std::snprintf(digits, sizeof digits, "%" PRId64, value);
  const char* d = digits;
  size_t w = 0;
  auto put = [&](char c) {
    if (w + 1 < room) out[w++] = c;
  };
  if (*d == '-') {
    put('-');
    ++d;
    --n;
  }
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) put(',');
    put(d[i]);
  }
  if (room > 0) out[w] = '\0';
}
