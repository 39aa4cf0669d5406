#include "bar_pyramid.h"

#include <algorithm>
#include <thread>

namespace {

// A bar's sort key: its position above 30 bits of slot, so that one 64-bit order gives
// position then slot. 34 bits of position reach past the largest assembled genome.
constexpr int kSlotBits = 30;

// Least significant digit first, 16 bits a pass, over the position's bits only: the keys
// come in slot order and each pass keeps the order of equal digits. Passes where every key
// has the same digit are skipped, so a genome under 4 Gb costs two.
void radixSort(std::vector<uint64_t>& keys) {
  std::vector<uint64_t> spare(keys.size());
  std::vector<size_t> start(65537);
  for (int shift = kSlotBits; shift < 64; shift += 16) {
    std::fill(start.begin(), start.end(), 0);
    for (uint64_t key : keys) ++start[((key >> shift) & 0xFFFF) + 1];
    bool oneDigit = false;
    for (size_t d = 1; d < start.size(); ++d) oneDigit = oneDigit || start[d] == keys.size();
    if (oneDigit) continue;
    for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
    for (uint64_t key : keys) spare[start[(key >> shift) & 0xFFFF]++] = key;
    keys.swap(spare);
  }
}

// Whether bar a goes before bar b, longest first: the order of the tallest and of stepping.
bool before(float lengthA, int32_t slotA, float lengthB, int32_t slotB) {
  return lengthA > lengthB || (lengthA == lengthB && slotA < slotB);
}

int32_t taller(const BarPyramid& p, int32_t a, int32_t b) {
  return before(p.lengths[static_cast<size_t>(b)], p.slots[static_cast<size_t>(b)], p.lengths[static_cast<size_t>(a)],
                p.slots[static_cast<size_t>(a)])
             ? b
             : a;
}

// The span of the bars' y over each node, levels as tallest's.
void sumRises(BarPyramid& p, const std::vector<float>& y) {
  size_t bars = y.size();
  std::vector<float> low, high;
  p.rise.assign(1, {});
  for (size_t b = 0; b * kPyramidBlock < bars; ++b) {
    size_t last = std::min(bars, (b + 1) * kPyramidBlock);
    float lo = y[b * kPyramidBlock], hi = lo;
    for (size_t i = b * kPyramidBlock + 1; i < last; ++i) lo = std::min(lo, y[i]), hi = std::max(hi, y[i]);
    low.push_back(lo);
    high.push_back(hi);
    p.rise[0].push_back(hi - lo);
  }
  while (low.size() > 1) {
    std::vector<float> lowUp((low.size() + 1) / 2), highUp(lowUp.size()), rise(lowUp.size());
    for (size_t i = 0; i < lowUp.size(); ++i) {
      bool pairOf = 2 * i + 1 < low.size();
      lowUp[i] = pairOf ? std::min(low[2 * i], low[2 * i + 1]) : low[2 * i];
      highUp[i] = pairOf ? std::max(high[2 * i], high[2 * i + 1]) : high[2 * i];
      rise[i] = highUp[i] - lowUp[i];
    }
    low.swap(lowUp);
    high.swap(highUp);
    p.rise.push_back(std::move(rise));
  }
}

void sumLevels(BarPyramid& p) {
  int32_t bars = static_cast<int32_t>(p.slots.size());
  int32_t blocks = (bars + kPyramidBlock - 1) / kPyramidBlock;
  p.tallest.assign(1, std::vector<int32_t>(static_cast<size_t>(blocks)));
  for (int32_t b = 0; b < blocks; ++b) {
    int32_t best = b * kPyramidBlock;
    int32_t last = std::min(bars, best + kPyramidBlock);
    for (int32_t i = best + 1; i < last; ++i) best = taller(p, best, i);
    p.tallest[0][static_cast<size_t>(b)] = best;
  }
  while (p.tallest.back().size() > 1) {
    const std::vector<int32_t>& below = p.tallest.back();
    std::vector<int32_t> level((below.size() + 1) / 2);
    for (size_t i = 0; i < level.size(); ++i)
      level[i] = 2 * i + 1 < below.size() ? taller(p, below[2 * i], below[2 * i + 1]) : below[2 * i];
    p.tallest.push_back(std::move(level));
  }
}

}  // namespace

void buildBarPyramid(BarPyramid& p, const PyramidSource& source, const std::function<bool(int32_t)>& keep) {
  std::vector<uint64_t> keys;
  keys.reserve(static_cast<size_t>(source.end > 1 ? source.end - 1 : 0));
  for (int32_t slot = 1; slot < source.end; ++slot)
    if (!keep || keep(slot))
      keys.push_back(static_cast<uint64_t>(source.position(slot)) << kSlotBits | static_cast<uint64_t>(slot));
  radixSort(keys);
  size_t n = keys.size();
  p.slots.resize(n);
  p.lengths.resize(n);
  p.inverted.resize(n);
  p.split = static_cast<int32_t>(n);
  p.tallestStack = 1;
  std::vector<float> y(n);
  const uint64_t slotMask = (uint64_t{1} << kSlotBits) - 1;
  // Reading the bars in position order jumps about the store: two threads share it.
  auto read = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      int32_t slot = static_cast<int32_t>(keys[i] & slotMask);
      p.slots[i] = slot;
      p.lengths[i] = source.length(slot);
      p.inverted[i] = source.inverted(slot) ? 1 : 0;
      y[i] = source.y(slot);
    }
  };
  std::thread other(read, n / 2, n);
  read(0, n / 2);
  other.join();
  int32_t run = 0;
  for (size_t i = 0; i < n; ++i) {
    int64_t position = static_cast<int64_t>(keys[i] >> kSlotBits);
    if (position > source.breakPosition && p.split == static_cast<int32_t>(n)) p.split = static_cast<int32_t>(i);
    run = i > 0 && (keys[i] >> kSlotBits) == (keys[i - 1] >> kSlotBits) ? run + 1 : 1;
    if (run > p.tallestStack) p.tallestStack = run;
  }
  if (n == 0) {
    p.tallest.clear();
    p.rise.clear();
    return;
  }
  sumLevels(p);
  sumRises(p, y);
}

void countPyramidBars(const BarPyramid& p, float threshold, PyramidCounts& counts) {
  size_t bars = p.slots.size();
  size_t blocks = (bars + kPyramidBlock - 1) / kPyramidBlock;
  counts.threshold = threshold;
  counts.shown.assign(blocks + 1, 0);
  counts.inverted.assign(blocks + 1, 0);
  uint32_t shown = 0, inverted = 0;
  for (size_t b = 0; b < blocks; ++b) {
    counts.shown[b] = shown;
    counts.inverted[b] = inverted;
    size_t last = std::min(bars, (b + 1) * kPyramidBlock);
    for (size_t i = b * kPyramidBlock; i < last; ++i) {
      uint32_t above = p.lengths[i] > threshold ? 1u : 0u;
      shown += above;
      inverted += above & p.inverted[i];
    }
  }
  counts.shown[blocks] = shown;
  counts.inverted[blocks] = inverted;
}

namespace {

struct AfterSearch {
  const BarPyramid& p;
  float threshold, length;
  int32_t slot;
  int32_t best = -1;

  bool after(int32_t i) const {
    return before(length, slot, p.lengths[static_cast<size_t>(i)], p.slots[static_cast<size_t>(i)]);
  }
  bool beats(int32_t i) const {
    return best < 0 || before(p.lengths[static_cast<size_t>(i)], p.slots[static_cast<size_t>(i)],
                              p.lengths[static_cast<size_t>(best)], p.slots[static_cast<size_t>(best)]);
  }

  // A node whose tallest comes after the asked bar answers with it; one whose tallest does
  // not must be looked into, as something after may lie beneath. Only the bars already
  // stepped over are looked into, so a step costs their number times the levels.
  void visit(size_t level, size_t node) {
    int32_t top = p.tallest[level][node];
    if (!(p.lengths[static_cast<size_t>(top)] > threshold)) return;
    if (after(top)) {
      if (beats(top)) best = top;
      return;
    }
    if (best >= 0 && !before(p.lengths[static_cast<size_t>(top)], p.slots[static_cast<size_t>(top)],
                             p.lengths[static_cast<size_t>(best)], p.slots[static_cast<size_t>(best)]))
      return;
    if (level == 0) {
      size_t last = std::min(p.slots.size(), (node + 1) * kPyramidBlock);
      for (size_t i = node * kPyramidBlock; i < last; ++i) {
        int32_t bar = static_cast<int32_t>(i);
        if (p.lengths[i] > threshold && after(bar) && beats(bar)) best = bar;
      }
      return;
    }
    for (size_t child = 2 * node; child < 2 * node + 2 && child < p.tallest[level - 1].size(); ++child)
      visit(level - 1, child);
  }
};

}  // namespace

int32_t pyramidBarAfter(const BarPyramid& p, float threshold, float length, int32_t slot) {
  if (p.tallest.empty()) return 0;
  AfterSearch search{p, threshold, length, slot};
  search.visit(p.tallest.size() - 1, 0);
  return search.best < 0 ? 0 : p.slots[static_cast<size_t>(search.best)];
}
