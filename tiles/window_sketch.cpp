#include "window_sketch.h"

#include <algorithm>
#include <limits>

namespace {

// The window's kept hashes sorted, each once with every strand it was seen on.
void closeWindow(Sketcher& s) {
  if (s.record == SIZE_MAX || !s.wanted) return;
  int64_t inWindow = s.position % s.out->window;
  if (inWindow == 0 && s.position > 0) inWindow = s.out->window;
  if (inWindow == 0) return;
  std::sort(s.pending.begin(), s.pending.end());
  WindowSketches& out = *s.out;
  TileWindow window{static_cast<uint32_t>(s.record), s.position - inWindow, static_cast<int32_t>(inWindow),
                    static_cast<uint32_t>(out.hashes.size()), 0};
  for (size_t i = 0; i < s.pending.size();) {
    uint64_t hash = s.pending[i] & ~uint64_t{3};
    uint8_t strands = 0;
    for (; i < s.pending.size() && (s.pending[i] & ~uint64_t{3}) == hash; ++i)
      strands |= static_cast<uint8_t>(s.pending[i] & 3);
    out.hashes.push_back(hash);
    out.strands.push_back(strands);
  }
  window.end = static_cast<uint32_t>(out.hashes.size());
  out.windows.push_back(window);
  s.pending.clear();
}

}  // namespace

void startSketches(Sketcher& sketcher, WindowSketches& out, int64_t window) {
  sketcher = Sketcher{};
  sketcher.out = &out;
  out = WindowSketches{};
  out.window = window;
  double fraction = std::min(1.0, static_cast<double>(kSketchTarget) / static_cast<double>(window));
  out.threshold = fraction >= 1.0 ? std::numeric_limits<uint64_t>::max()
                                  : static_cast<uint64_t>(fraction * 18446744073709551616.0);
}

void sketchBase(Sketcher& s, size_t record, bool wanted, char base) {
  if (base == '\r') return;  // a line end's, which the record's length leaves out too
  if (record != s.record) {
    closeWindow(s);
    s.record = record;
    s.wanted = wanted;
    s.position = 0;
    s.roll = KmerRoll{};
  }
  if (!s.wanted) return;
  if (s.position > 0 && s.position % s.out->window == 0) {
    closeWindow(s);
    // A window's k-mers lie wholly inside it, so windows are sketched apart.
    s.roll = KmerRoll{};
  }
  ++s.position;
  uint64_t hash = 0;
  bool forwardFirst = false;
  if (!rollKmer(s.roll, base, hash, forwardFirst)) return;
  if (hash >= s.out->threshold) return;
  s.pending.push_back((hash & ~uint64_t{3}) | (forwardFirst ? kSeenForward : kSeenReverse));
}

void finishSketches(Sketcher& sketcher) {
  closeWindow(sketcher);
  sketcher.record = SIZE_MAX;
}
