#include "cursor_display.h"

#include "platform.h"

namespace {

int32_t displayCount = 0;

}  // namespace

int32_t stepCursorDisplay(bool show) {
  displayCount = showCursor(show, displayCount + (show ? 1 : -1));
  return displayCount;
}
