#include "pair_shown.h"

#include "axis_scale.h"
#include "bar_height.h"
#include "pair_facts.h"
#include "pair_traits.h"
#include "record_table.h"

namespace {

bool inWindow(int32_t value, int32_t windowStart) {
  // 64-bit sums: a window near the int32 limit must not wrap round.
  return static_cast<int64_t>(windowStart) <= value &&
         static_cast<int64_t>(value) <= static_cast<int64_t>(windowStart) + kWindowSpan;
}

bool inRegion(const ViewFilter& filter, int32_t value) {
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

int32_t shown[kTableSlots];
int32_t shownCount = 0;
uint64_t generation = 0;
ShownKey builtFor{};
bool built = false;

}  // namespace

bool pairShown(const ViewState& view, int32_t slot) {
  const ViewFilter& filter = view.filter;
  const TandemRecord& record = recordTable.slots[slot];
  if (!(record.len > filter.threshold)) return false;
  uint16_t identity = pairTraits.identity[pairOfSlot(slot)];
  if (filter.minIdentity != 0 && identity < filter.minIdentity && identity != kIdentityUnknown) return false;
  if (filter.regionStart >= 0 && !inRegion(filter, record.pos) && !inRegion(filter, record.partner)) return false;
  return !filter.windowMode || inWindow(record.pos, filter.windowStart) || inWindow(record.partner, filter.windowStart);
}

ShownSlots shownSlots(const ViewState& view) {
  ShownKey key{recordTable.revision, recordTable.count, view.filter};
  if (!key.filter.windowMode) key.filter.windowStart = 0;
  if (!built || !(key == builtFor)) {
    shownCount = 0;
    for (int32_t i = 1; i < recordTable.count; ++i)
      if (pairShown(view, i)) shown[shownCount++] = i;
    builtFor = key;
    built = true;
    ++generation;
  }
  return {shown, shownCount, generation};
}

bool shownExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  ShownSlots shown = shownSlots(view);
  for (int32_t k = 0; k < shown.count; ++k) {
    const TandemRecord& r = recordTable.slots[shown.slots[k]];
    if (k == 0) {
      box = {r.x, r.x, r.y, r.y, barHeight(view, r.len)};
      firstPos = lastPos = r.pos;
      continue;
    }
    if (r.x < box.xMin) box.xMin = r.x;
    if (r.x > box.xMax) box.xMax = r.x;
    if (r.y < box.yMin) box.yMin = r.y;
    if (r.y > box.yMax) box.yMax = r.y;
    if (barHeight(view, r.len) > box.zMax) box.zMax = barHeight(view, r.len);
    if (r.pos < firstPos) firstPos = r.pos;
    if (r.pos > lastPos) lastPos = r.pos;
  }
  return shown.count > 0;
}

bool framedExtent(const ViewState& view, FitBox& box, int64_t& firstPos, int64_t& lastPos) {
  if (view.filter.regionStart < 0) return shownExtent(view, box, firstPos, lastPos);
  ShownSlots shown = shownSlots(view);
  bool any = false;
  for (int32_t k = 0; k < shown.count; ++k) {
    const TandemRecord& r = recordTable.slots[shown.slots[k]];
    if (!inRegion(view.filter, r.pos)) continue;
    float height = barHeight(view, r.len);
    if (!any) box = {r.x, r.x, r.y, r.y, height};
    any = true;
    if (r.y < box.yMin) box.yMin = r.y;
    if (r.y > box.yMax) box.yMax = r.y;
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
  if (recordTable.count <= 1) return false;
  for (int32_t i = 1; i < recordTable.count; ++i) {
    const TandemRecord& r = recordTable.slots[i];
    if (i == 1 || r.x < box.xMin) box.xMin = r.x;
    if (i == 1 || r.x > box.xMax) box.xMax = r.x;
    if (i == 1 || r.pos < firstPos) firstPos = r.pos;
    if (i == 1 || r.pos > lastPos) lastPos = r.pos;
  }
  return true;
}
