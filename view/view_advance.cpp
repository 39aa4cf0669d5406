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
  if (view.moveRight) view.windowStart = saturatingAdd(view.windowStart, kSlideStep);
  if (view.moveLeft) view.windowStart = saturatingAdd(view.windowStart, -kSlideStep);
  if (view.jumpBack) {
    view.windowStart = saturatingAdd(view.windowStart, -kJumpStep);
    view.jumpBack = false;
  }
  if (view.jumpForward) {
    view.windowStart = saturatingAdd(view.windowStart, kJumpStep);
    view.jumpForward = false;
  }
}

void advanceView(ViewState& view) {
  if (view.windowMode)
    shiftWindow(view);
  else
    slideFarPart(view);
}
