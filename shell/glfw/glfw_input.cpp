// GLFW backend: key state, focus and the cursor.
// Implements: the viewer's keys named from GLFW's, key state, the focus, the cursor's
//   position (on the screen and in the client area), placing and showing it.
// Emulates: screen coordinates, through the window's position.
// Leaves out: a display count (GLFW's cursor is hidden or shown, as asked; only Win32's
//   backend steps a count).
#include <cmath>

#include "glfw_window.h"

namespace {

struct KeyPair {
  ViewerKey key;
  int glfwKey;
};

// GLFW names the keypad keys apart from the arrows whatever Num Lock says.
constexpr KeyPair kKeys[] = {
    {ViewerKey::M, GLFW_KEY_M},
    {ViewerKey::W, GLFW_KEY_W},
    {ViewerKey::S, GLFW_KEY_S},
    {ViewerKey::A, GLFW_KEY_A},
    {ViewerKey::D, GLFW_KEY_D},
    {ViewerKey::N, GLFW_KEY_N},
    {ViewerKey::L, GLFW_KEY_L},
    {ViewerKey::Q, GLFW_KEY_Q},
    {ViewerKey::Down, GLFW_KEY_DOWN},
    {ViewerKey::Up, GLFW_KEY_UP},
    {ViewerKey::Left, GLFW_KEY_LEFT},
    {ViewerKey::Right, GLFW_KEY_RIGHT},
    {ViewerKey::Space, GLFW_KEY_SPACE},
    {ViewerKey::PadMinus, GLFW_KEY_KP_SUBTRACT},
    {ViewerKey::PadPlus, GLFW_KEY_KP_ADD},
    {ViewerKey::Pad6, GLFW_KEY_KP_6},
    {ViewerKey::Pad4, GLFW_KEY_KP_4},
    {ViewerKey::Enter, GLFW_KEY_ENTER},
    {ViewerKey::Escape, GLFW_KEY_ESCAPE},
    {ViewerKey::H, GLFW_KEY_H},
    {ViewerKey::K, GLFW_KEY_K},
    {ViewerKey::C, GLFW_KEY_C},
    {ViewerKey::R, GLFW_KEY_R},
    {ViewerKey::P, GLFW_KEY_P},
    {ViewerKey::Minus, GLFW_KEY_MINUS},
    {ViewerKey::Equal, GLFW_KEY_EQUAL},
    {ViewerKey::G, GLFW_KEY_G},
    {ViewerKey::Period, GLFW_KEY_PERIOD},
    {ViewerKey::Comma, GLFW_KEY_COMMA},
    {ViewerKey::PageUp, GLFW_KEY_PAGE_UP},
    {ViewerKey::PageDown, GLFW_KEY_PAGE_DOWN},
    {ViewerKey::Backspace, GLFW_KEY_BACKSPACE},
    {ViewerKey::F, GLFW_KEY_F},
    {ViewerKey::E, GLFW_KEY_E},
    {ViewerKey::X, GLFW_KEY_X},
    {ViewerKey::O, GLFW_KEY_O},
    {ViewerKey::V, GLFW_KEY_V},
};

int glfwKeyOf(ViewerKey key) {
  for (const KeyPair& pair : kKeys)
    if (pair.key == key) return pair.glfwKey;
  return GLFW_KEY_UNKNOWN;
}

}  // namespace

ViewerKey viewerKeyOf(int glfwKey) {
  for (const KeyPair& pair : kKeys)
    if (pair.glfwKey == glfwKey) return pair.key;
  return ViewerKey::Other;
}

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

void readPointer(int32_t* x, int32_t* y) {
  double cx = 0, cy = 0;
  glfwGetCursorPos(viewerWindow, &cx, &cy);
  *x = static_cast<int32_t>(std::floor(cx));
  *y = static_cast<int32_t>(std::floor(cy));
}

void placeCursor(int32_t x, int32_t y) {
  int left = 0, top = 0;
  glfwGetWindowPos(viewerWindow, &left, &top);
  glfwSetCursorPos(viewerWindow, x - left, y - top);
}

void showCursor(bool shown) {
  // GLFW does nothing when the mode is already the one asked for.
  glfwSetInputMode(viewerWindow, GLFW_CURSOR, shown ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}
