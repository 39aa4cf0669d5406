#include "view_advance.h"

#include <cstdint>
#include <limits>

#include "record_places.h"

namespace {

constexpr int32_t kSlideStep = 1000;
constexpr int32_t kJumpStep = 100000;

// The window stops at the int32 limits instead of wrapping round to the other end.
int32_t saturatingAdd(int32_t value, int32_t step) {
  int64_t sum = static_cast<int64_t>(value) + step;
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(sum);
}

}  // namespace

void shiftWindow(ViewState& view) {
  if (view.input.arrows.moveRight) view.filter.windowStart = saturatingAdd(view.filter.windowStart, kSlideStep);
  if (view.input.arrows.moveLeft) view.filter.windowStart = saturatingAdd(view.filter.windowStart, -kSlideStep);
  if (view.input.arrows.jumpBack) {
    view.filter.windowStart = saturatingAdd(view.filter.windowStart, -kJumpStep);
    view.input.arrows.jumpBack = false;
  }
  if (view.input.arrows.jumpForward) {
    view.filter.windowStart = saturatingAdd(view.filter.windowStart, kJumpStep);
    view.input.arrows.jumpForward = false;
  }
}

void advanceView(ViewState& view) {
  if (view.filter.windowMode)
    shiftWindow(view);
  else
    slideFarPart(view);
}
