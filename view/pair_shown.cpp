#include "pair_shown.h"

#include "axis_scale.h"
#include "bar_height.h"
#include <vector>

#include "bar_records.h"
#include "pair_facts.h"

namespace {

bool inWindow(int64_t value, int32_t windowStart) {
  // 64-bit sums: a window near the int32 limit must not wrap round.
  return static_cast<int64_t>(windowStart) <= value && value <= static_cast<int64_t>(windowStart) + kWindowSpan;
}

bool inRegion(const ViewFilter& filter, int64_t value) {
  return filter.regionStart <= value && value < filter.regionEnd;
}

bool sameFilter(const ViewFilter& a, const ViewFilter& b) {
  return a.threshold == b.threshold && a.minIdentity == b.minIdentity && a.windowMode == b.windowMode &&
         a.windowStart == b.windowStart && a.regionStart == b.regionStart && a.regionEnd == b.regionEnd;
}

// What the shown list depends on: the records and the filter, whose window start counts
// only in window mode.
struct ShownKey {
  uint32_t revision;
  int32_t count;
  ViewFilter filter;

  bool operator==(const ShownKey& o) const {
    return revision == o.revision && count == o.count && sameFilter(filter, o.filter);
  }
};

std::vector<int32_t> shown;
uint64_t generation = 0;
ShownKey builtFor{};
bool built = false;

}  // namespace

bool pairShown(const ViewState& view, int32_t slot) {
  const ViewFilter& filter = view.filter;
  if (!(barLength(slot) > filter.threshold)) return false;
  uint16_t identity = pairIdentityOf(pairOfSlot(slot));
  if (filter.minIdentity != 0 && identity < filter.minIdentity && identity != kIdentityUnknown) return false;
  int64_t position = barPosition(slot), partner = barPartner(slot);
  if (filter.regionStart >= 0 && !inRegion(filter, position) && !inRegion(filter, partner)) return false;
  return !filter.windowMode || inWindow(position, filter.windowStart) || inWindow(partner, filter.windowStart);
}

ShownSlots shownSlots(const ViewState& view) {
  ShownKey key{barsRevision(), barSlotEnd(), view.filter};
  if (!key.filter.windowMode) key.filter.windowStart = 0;
  if (!built || !(key == builtFor)) {
    shown.clear();
    for (int32_t i = 1; i < key.count; ++i)
      if (pairShown(view, i)) shown.push_back(i);
    builtFor = key;
    built = true;
    ++generation;
  }
  return {shown.data(), static_cast<int32_t>(shown.size()), generation};
}

bool shownExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  ShownSlots shown = shownSlots(view);
  for (int32_t k = 0; k < shown.count; ++k) {
    int32_t slot = shown.slots[k];
    double x = barX(slot);
    float y = barY(slot), height = barHeight(view, barLength(slot));
    int64_t position = barPosition(slot);
    if (k == 0) {
      box = {x, x, y, y, height};
      firstPos = lastPos = position;
      continue;
    }
    if (x < box.xMin) box.xMin = x;
    if (x > box.xMax) box.xMax = x;
    if (y < box.yMin) box.yMin = y;
    if (y > box.yMax) box.yMax = y;
    if (height > box.zMax) box.zMax = height;
    if (position < firstPos) firstPos = position;
    if (position > lastPos) lastPos = position;
  }
  return shown.count > 0;
}

bool framedExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  if (view.filter.regionStart < 0) return shownExtent(view, box, firstPos, lastPos);
  ShownSlots shown = shownSlots(view);
  bool any = false;
  for (int32_t k = 0; k < shown.count; ++k) {
    int32_t slot = shown.slots[k];
    if (!inRegion(view.filter, barPosition(slot))) continue;
    double x = barX(slot);
    float y = barY(slot), height = barHeight(view, barLength(slot));
    if (!any) box = {x, x, y, y, height};
    any = true;
    if (y < box.yMin) box.yMin = y;
    if (y > box.yMax) box.yMax = y;
    if (height > box.zMax) box.zMax = height;
  }
  if (!any) return false;
  box.xMin = xOfPosition(static_cast<double>(view.filter.regionStart), view.zoomSteps);
  box.xMax = xOfPosition(static_cast<double>(view.filter.regionEnd), view.zoomSteps);
  firstPos = view.filter.regionStart;
  lastPos = view.filter.regionEnd - 1;
  return true;
}

bool emptyFrameExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  box = {0, 0, 0, 0, tallestBar(view)};
  if (view.filter.regionStart >= 0) {
    box.xMin = xOfPosition(static_cast<double>(view.filter.regionStart), view.zoomSteps);
    box.xMax = xOfPosition(static_cast<double>(view.filter.regionEnd), view.zoomSteps);
    firstPos = view.filter.regionStart;
    lastPos = view.filter.regionEnd - 1;
    return true;
  }
  int32_t end = barSlotEnd();
  if (end <= 1) return false;
  for (int32_t i = 1; i < end; ++i) {
    double x = barX(i);
    int64_t position = barPosition(i);
    if (i == 1 || x < box.xMin) box.xMin = x;
    if (i == 1 || x > box.xMax) box.xMax = x;
    if (i == 1 || position < firstPos) firstPos = position;
    if (i == 1 || position > lastPos) lastPos = position;
  }
  return true;
}
