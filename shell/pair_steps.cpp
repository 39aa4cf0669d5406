#include "pair_steps.h"

#include "bar_height.h"
#include "camera.h"
#include "pair_facts.h"
#include "pair_pick.h"
#include "bar_records.h"
#include "shown_pairs.h"
#include "view_state_instance.h"

namespace {

int32_t steppedPair = 0;  // the pair the last step went to; 0 before the first

int32_t pairOf(int32_t slot) { return (slot + 1) / 2; }

}  // namespace

void stepThroughPairs(int32_t direction) {
  ShownOrder order = shownPairsByLength(viewState);
  if (order.count == 0) return;
  int32_t at = -1;
  for (int32_t i = 0; i < order.count && at < 0; ++i)
    if (pairOf(order.slots[i]) == steppedPair) at = i;
  // A pair the filters now hide, or none yet: start again at the longest.
  int32_t next = at < 0 ? 0 : at + direction;
  if (next < 0) next = 0;
  if (next >= order.count) next = order.count - 1;
  int32_t slot = order.slots[next];
  steppedPair = pairOf(slot);
  camera = cameraLookingAt(barX(slot), barY(slot), barHeight(viewState, barLength(slot)), frontCamera());
  pinPick(slot);
  printPairOfSlot(slot);
}
