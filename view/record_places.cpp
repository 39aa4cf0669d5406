#include "record_places.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "axis_units.h"
#include "bar_records.h"

namespace {

struct MoveRun {
  char what;      // 'z', 'x' or 'y'
  int sign;       // +1 or -1 for slides
  int64_t count;
};

// Runs along x (zoom steps and x slides interleaved) and along y.
std::vector<MoveRun> alongX;
std::vector<MoveRun> alongY;

void note(std::vector<MoveRun>& runs, char what, int sign, int64_t count = 1) {
  if (!runs.empty() && runs.back().what == what && runs.back().sign == sign) {
    runs.back().count += count;
    return;
  }
  runs.push_back({what, sign, count});
}

void append(std::string& out, const MoveRun& run) {
  char text[32];
  if (run.what == 'z')
    std::snprintf(text, sizeof text, "z%lld", static_cast<long long>(run.count));
  else
    std::snprintf(text, sizeof text, "%c%c%lld", run.what, run.sign > 0 ? '+' : '-', static_cast<long long>(run.count));
  if (!out.empty()) out += ',';
  out += text;
}

// Calls take(what, sign, count) for every run of a valid text; false at the first bad one.
template <typename Take>
bool readMoves(const char* text, Take take) {
  const char* p = text;
  while (*p != '\0') {
    char what = *p++;
    int sign = 1;
    if (what == 'x' || what == 'y') {
      if (*p != '+' && *p != '-') return false;
      sign = *p++ == '+' ? 1 : -1;
    } else if (what != 'z') {
      return false;
    }
    if (*p < '0' || *p > '9') return false;
    char* end = nullptr;
    long long count = std::strtoll(p, &end, 10);
    if (count < 0 || count > 100000000) return false;
    p = end;
    take(what, sign, static_cast<int64_t>(count));
    if (*p == ',') {
      ++p;
      if (*p == '\0') return false;
    } else if (*p != '\0') {
      return false;
    }
  }
  return true;
}

// count slides of the far part along x or y, each sum in double and stored float32 on its
// own; noted as a run.
void slideFarRecords(char what, int sign, int64_t count) {
  slideFarBars(what, sign, count);
  note(what == 'x' ? alongX : alongY, what, sign, count);
}

}  // namespace

void zoomStep(ViewState& view) {
  scaleBarsX(kZoomFactor);
  view.zoomSteps += 1;
  note(alongX, 'z', 1);
}

void slideFarPart(const ViewState& view) {
  // Each flag's step on its own, in the order the flags are read, so the rounding is the
  // same as one step after another on each record.
  if (view.input.arrows.moveRight) slideFarRecords('x', 1, 1);
  if (view.input.arrows.moveLeft) slideFarRecords('x', -1, 1);
  if (view.input.arrows.jumpForward) slideFarRecords('y', 1, 1);
  if (view.input.arrows.jumpBack) slideFarRecords('y', -1, 1);
}

bool farPartSlid() {
  for (const MoveRun& run : alongX)
    if (run.what == 'x') return true;
  return !alongY.empty();
}

std::string describeRecordMoves() {
  std::string out;
  for (const MoveRun& run : alongX) append(out, run);
  for (const MoveRun& run : alongY) append(out, run);
  return out;
}

bool recordMovesValid(const char* text) {
  return readMoves(text, [](char, int, int64_t) {});
}

int64_t recordMoveSteps(const char* text) {
  int64_t steps = 0;
  readMoves(text, [&steps](char, int, int64_t count) { steps += count; });
  return steps;
}

void makeRecordMoves(const std::string& moves, ViewState& view) {
  readMoves(moves.c_str(), [&view](char what, int sign, int64_t count) {
    if (what == 'z') {
      for (int64_t i = 0; i < count; ++i) zoomStep(view);
      return;
    }
    slideFarRecords(what, sign, count);
  });
}

void restoreLoadedPlaces() {
  placeBarsAsLoaded();
  alongX.clear();
  alongY.clear();
}
