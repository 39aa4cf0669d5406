#include "pyramid_bars.h"

#include <cmath>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include "axis_units.h"
#include "bar_records.h"
#include "bar_height.h"
#include "camera.h"
#include "pair_shown.h"

namespace {

PyramidSource barSource() {
  PyramidSource source;
  source.end = barSlotEnd();
  source.position = barPosition;
  source.length = barLength;
  source.inverted = [](int32_t slot) { return pairOrientationOf(pairOfSlot(slot)) == kInverted; };
  source.y = barY;
  source.breakPosition = kFarPartStart;
  return source;
}

}  // namespace

bool barsThroughPyramid() { return pairStoreActive(); }

namespace {

// Which bars a pyramid holds: the loaded bars (told by a few of them, since their places may
// move without the pyramid changing) and the filter without its threshold.
struct BuildKey {
  int32_t end = 0;
  uint64_t sample = 0;
  ViewFilter filter;

  bool operator==(const BuildKey& o) const {
    return end == o.end && sample == o.sample && filter.minIdentity == o.filter.minIdentity &&
           filter.windowMode == o.filter.windowMode && filter.windowStart == o.filter.windowStart &&
           filter.regionStart == o.filter.regionStart && filter.regionEnd == o.filter.regionEnd;
  }
};

BuildKey keyOf(const ViewState& view, const PyramidSource& source) {
  BuildKey key;
  key.end = source.end;
  uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int32_t k = 0; k < 64 && source.end > 1; ++k) {
    int32_t slot = 1 + static_cast<int32_t>(static_cast<int64_t>(source.end - 2) * k / 63);
    float length = source.length(slot);
    uint32_t bits = 0;
    std::memcpy(&bits, &length, sizeof bits);
    h = (h ^ static_cast<uint64_t>(source.position(slot))) * 0xC2B2AE3D27D4EB4Full;
    h = (h ^ bits) * 0x9E3779B97F4A7C15ull;
  }
  key.sample = h;
  key.filter = view.filter;
  key.filter.threshold = 0;
  if (!key.filter.windowMode) key.filter.windowStart = 0;
  return key;
}

// A pyramid and its counts at the threshold of the moment it was asked for.
struct Built {
  std::shared_ptr<const BarPyramid> pyramid;
  std::shared_ptr<const PyramidCounts> counts;
};

std::shared_ptr<const PyramidCounts> countFor(std::shared_ptr<const BarPyramid> over, float threshold) {
  auto made = std::make_shared<PyramidCounts>();
  countPyramidBars(*over, threshold, *made);
  return made;
}

Built buildFor(const BuildKey& key, const PyramidSource& source, float threshold) {
  auto made = std::make_shared<BarPyramid>();
  const ViewFilter& f = key.filter;
  std::function<bool(int32_t)> keep;
  if (f.minIdentity != 0 || f.windowMode || f.regionStart >= 0) {
    ViewFilter filter = f;
    filter.threshold = -HUGE_VALF;
    keep = [filter](int32_t slot) {
      ViewState view;
      view.filter = filter;
      return pairShown(view, slot);
    };
  }
  buildBarPyramid(*made, source, keep);
  return {made, countFor(made, threshold)};
}

bool aside = false;

Built current;
BuildKey currentKey;
std::future<Built> pendingBuild;
BuildKey pendingKey;
std::future<std::shared_ptr<const PyramidCounts>> pendingCounts;
const BarPyramid* pendingCountsFor = nullptr;

template <typename T>
bool ready(const std::future<T>& f) {
  return f.valid() && f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

bool sameLoad(const BuildKey& a, const BuildKey& b) { return a.end == b.end && a.sample == b.sample; }

// Brings the pyramid and its counts up to the view: taken from what was built aside, built
// aside, or built now when there is none to draw meanwhile or nothing is built aside. One
// build at a time runs aside; a change meanwhile is built when it is done.
void keepUp(const ViewState& view) {
  PyramidSource source = barSource();
  BuildKey key = keyOf(view, source);
  float threshold = view.filter.threshold;
  if (ready(pendingBuild)) {
    Built built = pendingBuild.get();
    if (sameLoad(pendingKey, key)) {
      current = built;
      currentKey = pendingKey;
    }
  }
  bool loadChanged = current.pyramid == nullptr || !sameLoad(currentKey, key);
  if (loadChanged || (!aside && !(currentKey == key))) {
    if (pendingBuild.valid()) pendingBuild.wait();
    pendingBuild = {};
    current = buildFor(key, source, threshold);
    currentKey = key;
  } else if (!(currentKey == key) && !pendingBuild.valid()) {
    pendingKey = key;
    pendingBuild = std::async(std::launch::async, buildFor, key, source, threshold);
  }
  if (ready(pendingCounts)) {
    std::shared_ptr<const PyramidCounts> made = pendingCounts.get();
    if (pendingCountsFor == current.pyramid.get()) current.counts = made;
  }
  if (current.counts->threshold == threshold || pendingCounts.valid()) return;
  if (!aside) {
    current.counts = countFor(current.pyramid, threshold);
    return;
  }
  pendingCountsFor = current.pyramid.get();
  pendingCounts = std::async(std::launch::async, countFor, current.pyramid, threshold);
}

// The last choice and what it was made for.
std::vector<ColumnBar> chosen;
uint32_t chosenDensest = 0;
uint64_t chosenGeneration = 0;
struct ChoiceKey {
  const BarPyramid* pyramid;
  const PyramidCounts* counts;
  float threshold;
  bool logHeights;
  double heightBases;
  uint32_t revision;
  double originX;
  float matrix[16];
  int viewport[4];
  double margin;
};
ChoiceKey chosenFor;
bool haveChoice = false;

bool sameChoice(const ChoiceKey& a, const ChoiceKey& b) {
  return a.pyramid == b.pyramid && a.counts == b.counts && a.threshold == b.threshold &&
         a.logHeights == b.logHeights && a.heightBases == b.heightBases && a.revision == b.revision &&
         a.originX == b.originX &&
         std::memcmp(a.matrix, b.matrix, sizeof a.matrix) == 0 &&
         std::memcmp(a.viewport, b.viewport, sizeof a.viewport) == 0 && a.margin == b.margin;
}

}  // namespace

void buildPyramidAside(bool buildAside) { aside = buildAside; }

PyramidChoice choosePyramidBars(const ViewState& view, const float matrix[16], const int viewport[4], double margin) {
  keepUp(view);
  ChoiceKey key{current.pyramid.get(), current.counts.get(), view.filter.threshold, view.look.logHeights, view.look.heightBases,
                barsRevision(), camera.originX, {}, {}, margin};
  std::memcpy(key.matrix, matrix, sizeof key.matrix);
  std::memcpy(key.viewport, viewport, sizeof key.viewport);
  if (!haveChoice || !sameChoice(key, chosenFor)) {
    PyramidFrame frame;
    for (int i = 0; i < 16; ++i) frame.matrix[i] = matrix[i];
    frame.width = viewport[2];
    frame.height = viewport[3];
    frame.margin = margin;
    frame.threshold = view.filter.threshold;
    // The frame's matrix counts x from the camera's origin.
    double originX = camera.originX;
    frame.x = [originX](int32_t slot) { return barX(slot) - originX; };
    frame.y = barY;
    ViewState heights = view;
    frame.barHeight = [heights](float length) { return barHeight(heights, length); };
    selectPyramidBars(*current.pyramid, *current.counts, frame, chosen);
    chosenDensest = 0;
    for (const ColumnBar& bar : chosen) chosenDensest = bar.count > chosenDensest ? bar.count : chosenDensest;
    chosenFor = key;
    haveChoice = true;
    ++chosenGeneration;
  }
  return {chosen.data(), static_cast<int32_t>(chosen.size()), chosenDensest, chosenGeneration};
}

uint32_t densestColumn() { return haveChoice ? chosenDensest : 0; }

int64_t pyramidShownBars(const ViewState& view) {
  keepUp(view);
  return current.counts->shown.empty() ? 0 : static_cast<int64_t>(current.counts->shown.back());
}

int32_t pyramidPairAfter(const ViewState& view, int32_t slot) {
  keepUp(view);
  float length = slot == 0 ? HUGE_VALF : barSource().length(slot);
  // After a pair's first bar comes its second, of the same length: step past it.
  int32_t after = slot == 0 ? 0 : slot + 1;
  for (;;) {
    int32_t next = pyramidBarAfter(*current.pyramid, view.filter.threshold, length, after);
    if (next == 0 || next % 2 == 1) return next;
    after = next;  // a second bar whose first the filter hides
  }
}

void shadeByDensity(uint32_t count, uint32_t densest, float colour[3]) {
  if (count <= 1 || densest <= 1) return;
  static const float amber[3] = {1.0f, 0.72f, 0.1f};
  float t = static_cast<float>(std::log(static_cast<double>(count)) / std::log(static_cast<double>(densest)));
  for (int c = 0; c < 3; ++c) colour[c] += (amber[c] - colour[c]) * t;
}
