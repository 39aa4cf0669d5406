// GLFW backend: key state, focus and the cursor. GLFW has no display count, so one is kept
// here and the cursor hidden or shown as it crosses zero. Cursor positions are turned
// into screen coordinates through the window's position.
#include <cmath>

#include "glfw_window.h"

namespace {

int32_t cursorDisplayCount = 0;

int glfwKeyOf(ViewerKey key) {
  switch (key) {
    case ViewerKey::M: return GLFW_KEY_M;
    case ViewerKey::W: return GLFW_KEY_W;
    case ViewerKey::S: return GLFW_KEY_S;
    case ViewerKey::A: return GLFW_KEY_A;
    case ViewerKey::D: return GLFW_KEY_D;
    case ViewerKey::N: return GLFW_KEY_N;
    case ViewerKey::L: return GLFW_KEY_L;
    case ViewerKey::Q: return GLFW_KEY_Q;
    case ViewerKey::Down: return GLFW_KEY_DOWN;
    case ViewerKey::Up: return GLFW_KEY_UP;
    case ViewerKey::Left: return GLFW_KEY_LEFT;
    case ViewerKey::Right: return GLFW_KEY_RIGHT;
    case ViewerKey::Space: return GLFW_KEY_SPACE;
    case ViewerKey::PadMinus: return GLFW_KEY_KP_SUBTRACT;
    case ViewerKey::PadPlus: return GLFW_KEY_KP_ADD;
    case ViewerKey::Pad6: return GLFW_KEY_KP_6;
    case ViewerKey::Pad4: return GLFW_KEY_KP_4;
    case ViewerKey::Enter: return GLFW_KEY_ENTER;
    case ViewerKey::Escape: return GLFW_KEY_ESCAPE;
    case ViewerKey::Other: break;
  }
  return GLFW_KEY_UNKNOWN;
}

}  // namespace

bool keyIsDown(ViewerKey key) {
  int code = glfwKeyOf(key);
  return code != GLFW_KEY_UNKNOWN && glfwGetKey(viewerWindow, code) == GLFW_PRESS;
}

bool viewerHasForeground() { return glfwGetWindowAttrib(viewerWindow, GLFW_FOCUSED) == GLFW_TRUE; }

void readCursor(int32_t* x, int32_t* y) {
  int left = 0, top = 0;
  double cx = 0, cy = 0;
  glfwGetWindowPos(viewerWindow, &left, &top);
  glfwGetCursorPos(viewerWindow, &cx, &cy);
  *x = left + static_cast<int32_t>(std::floor(cx));
  *y = top + static_cast<int32_t>(std::floor(cy));
}

void placeCursor(int32_t x, int32_t y) {
  int left = 0, top = 0;
  glfwGetWindowPos(viewerWindow, &left, &top);
  glfwSetCursorPos(viewerWindow, x - left, y - top);
}

int32_t stepCursorDisplay(bool show) {
  bool wasVisible = cursorDisplayCount >= 0;
  cursorDisplayCount += show ? 1 : -1;
  bool visible = cursorDisplayCount >= 0;
  if (visible != wasVisible)
    glfwSetInputMode(viewerWindow, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
  return cursorDisplayCount;
}
