#include "pair_steps.h"

#include <vector>

#include "bar_height.h"
#include "camera.h"
#include "dot_plot.h"
#include "pair_facts.h"
#include "pair_pick.h"
#include "bar_records.h"
#include "pair_shown.h"
#include "pyramid_bars.h"
#include "shown_pairs.h"
#include "view_state_instance.h"

namespace {

int32_t steppedPair = 0;  // the pair the last step went to; 0 before the first

int32_t pairOf(int32_t slot) { return (slot + 1) / 2; }

int32_t stepInOrder(int32_t direction) {
  ShownOrder order = shownPairsByLength(viewState);
  if (order.count == 0) return 0;
  int32_t at = -1;
  for (int32_t i = 0; i < order.count && at < 0; ++i)
    if (pairOf(order.slots[i]) == steppedPair) at = i;
  // A pair the filters now hide, or none yet: start again at the longest.
  int32_t next = at < 0 ? 0 : at + direction;
  if (next < 0) next = 0;
  if (next >= order.count) next = order.count - 1;
  return order.slots[next];
}

// A store's pairs are not sorted by length whole: each step asks the pyramid for the next
// shorter, and the way back is the trail of steps made.
std::vector<int32_t> trail;

int32_t stepInPyramid(int32_t direction) {
  if (trail.empty() || pairOf(trail.back()) != steppedPair || !pairShown(viewState, trail.back())) trail.clear();
  if (trail.empty()) {
    int32_t longest = pyramidPairAfter(viewState, 0);
    if (longest != 0) trail.push_back(longest);
    return longest;
  }
  if (direction < 0) {
    if (trail.size() > 1) trail.pop_back();
    return trail.back();
  }
  int32_t next = pyramidPairAfter(viewState, trail.back());
  if (next == 0) return trail.back();  // the shortest stays
  trail.push_back(next);
  return next;
}

}  // namespace

void stepThroughPairs(int32_t direction) {
  int32_t slot = barsThroughPyramid() ? stepInPyramid(direction) : stepInOrder(direction);
  if (slot == 0) return;
  steppedPair = pairOf(slot);
  if (viewState.look.dotPlot) {
    DotSegment at = dotSegmentOf(slot, viewState.zoomSteps);
    camera = cameraLookingAt((at.x0 + at.x1) / 2, (at.y0 + at.y1) / 2, barHeight(viewState, barLength(slot)),
                             frontCamera());
  } else {
    camera = cameraLookingAt(barX(slot), barY(slot), barHeight(viewState, barLength(slot)), frontCamera());
  }
  pinPick(slot);
  printPairOfSlot(slot);
}
