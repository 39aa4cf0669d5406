#include "shown_pairs.h"

#include <algorithm>
#include <vector>

#include "pair_shown.h"
#include "bar_records.h"

namespace {

uint64_t orderedFor = 0;  // the shown list's generation the order was made from; 0: none
std::vector<int32_t> ordered;

}  // namespace

int32_t shownPairCount(const ViewState& view) { return shownSlots(view).count / 2; }

ShownOrder shownPairsByLength(const ViewState& view) {
  ShownSlots shown = shownSlots(view);
  if (shown.generation != orderedFor || orderedFor == 0) {
    ordered.clear();
    // Both bars of a shown pair are in the list; its first (odd) slot stands for it.
    for (int32_t i = 0; i < shown.count; ++i)
      if (shown.slots[i] % 2 == 1) ordered.push_back(shown.slots[i]);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](int32_t a, int32_t b) { return barLength(a) > barLength(b); });
    orderedFor = shown.generation;
  }
  return {ordered.data(), static_cast<int32_t>(ordered.size())};
}
