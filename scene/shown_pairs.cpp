#include "shown_pairs.h"

#include <algorithm>
#include <vector>

#include "pair_traits.h"
#include "record_table.h"
#include "window_mode.h"

namespace {

// What decides which bars are shown.
struct ShownKey {
  uint32_t revision = 0;
  int32_t count = -1;
  float threshold = 0;
  bool windowMode = false;
  int32_t windowStart = 0;
  uint16_t minIdentity = 0;
};

bool operator==(const ShownKey& a, const ShownKey& b) {
  return a.revision == b.revision && a.count == b.count && a.threshold == b.threshold &&
         a.windowMode == b.windowMode && a.windowStart == b.windowStart && a.minIdentity == b.minIdentity;
}

ShownKey keyOf(const ViewState& view) {
  return {recordTable.revision, recordTable.count, view.threshold, view.windowMode,
          view.windowMode ? view.windowStart : 0, view.minIdentity};
}

bool inWindow(int32_t value, int32_t windowStart) {
  return static_cast<int64_t>(windowStart) <= value &&
         static_cast<int64_t>(value) <= static_cast<int64_t>(windowStart) + kWindowSpan;
}

ShownKey countedFor;
int32_t counted = 0;
ShownKey orderedFor;
std::vector<int32_t> ordered;

// The slot that stands for the pair, or 0 when neither bar is shown.
int32_t shownSlotOfPair(const ViewState& view, int32_t pair) {
  if (barShown(view, 2 * pair - 1)) return 2 * pair - 1;
  return barShown(view, 2 * pair) ? 2 * pair : 0;
}

}  // namespace

bool barShown(const ViewState& view, int32_t slot) {
  const TandemRecord& record = recordTable.slots[slot];
  if (!(record.len > view.threshold)) return false;
  if (view.windowMode && !inWindow(record.partner, view.windowStart) && !inWindow(record.pos, view.windowStart))
    return false;
  uint16_t identity = pairTraits.identity[pairOfSlot(slot)];
  return view.minIdentity == 0 || identity == kIdentityUnknown || identity >= view.minIdentity;
}

int32_t shownPairCount(const ViewState& view) {
  ShownKey key = keyOf(view);
  if (key == countedFor) return counted;
  counted = 0;
  for (int32_t pair = 1; 2 * pair < recordTable.count; ++pair) counted += shownSlotOfPair(view, pair) != 0;
  countedFor = key;
  return counted;
}

ShownOrder shownPairsByLength(const ViewState& view) {
  ShownKey key = keyOf(view);
  if (!(key == orderedFor)) {
    ordered.clear();
    for (int32_t pair = 1; 2 * pair < recordTable.count; ++pair)
      if (int32_t slot = shownSlotOfPair(view, pair)) ordered.push_back(slot);
    // Both bars of a pair carry its length.
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](int32_t a, int32_t b) { return recordTable.slots[a].len > recordTable.slots[b].len; });
    orderedFor = key;
  }
  return {ordered.data(), static_cast<int32_t>(ordered.size())};
}
