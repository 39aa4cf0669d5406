// Win32 backend: key state, the foreground window, the cursor and the pause, each one
// system call.
// Implements: key state, the foreground, the cursor's position (on the screen and in the
//   client area), placing it, showing or hiding it through the system's display count
//   (which ShowCursor steps), the pause, the clock.
// Emulates: nothing.
// Leaves out: nothing the viewer asks.
#include "win32_window.h"

#include "platform.h"

namespace {

int virtualKeyOf(ViewerKey key) {
  switch (key) {
    case ViewerKey::M: return 'M';
    case ViewerKey::W: return 'W';
    case ViewerKey::S: return 'S';
    case ViewerKey::A: return 'A';
    case ViewerKey::D: return 'D';
    case ViewerKey::N: return 'N';
    case ViewerKey::L: return 'L';
    case ViewerKey::Q: return 'Q';
    case ViewerKey::Down: return VK_DOWN;
    case ViewerKey::Up: return VK_UP;
    case ViewerKey::Left: return VK_LEFT;
    case ViewerKey::Right: return VK_RIGHT;
    case ViewerKey::Space: return VK_SPACE;
    case ViewerKey::PadMinus: return VK_SUBTRACT;
    case ViewerKey::PadPlus: return VK_ADD;
    case ViewerKey::Pad6: return VK_NUMPAD6;
    case ViewerKey::Pad4: return VK_NUMPAD4;
    case ViewerKey::Enter: return VK_RETURN;
    case ViewerKey::Escape: return VK_ESCAPE;
    case ViewerKey::H: return 'H';
    case ViewerKey::K: return 'K';
    case ViewerKey::C: return 'C';
    case ViewerKey::R: return 'R';
    case ViewerKey::P: return 'P';
    case ViewerKey::Minus: return VK_OEM_MINUS;
    case ViewerKey::Equal: return VK_OEM_PLUS;  // the = key, + with Shift
    case ViewerKey::G: return 'G';
    case ViewerKey::Period: return VK_OEM_PERIOD;
    case ViewerKey::Comma: return VK_OEM_COMMA;
    case ViewerKey::PageUp: return VK_PRIOR;
    case ViewerKey::PageDown: return VK_NEXT;
    case ViewerKey::Backspace: return VK_BACK;
    case ViewerKey::F: return 'F';
    case ViewerKey::E: return 'E';
    case ViewerKey::X: return 'X';
    case ViewerKey::O: return 'O';
    case ViewerKey::V: return 'V';
    case ViewerKey::Other: break;
  }
  return 0;
}

}  // namespace

ViewerKey viewerKeyOf(WPARAM virtualKey) {
  for (int k = 0; k < static_cast<int>(ViewerKey::Other); ++k)
    if (virtualKeyOf(static_cast<ViewerKey>(k)) == static_cast<int>(virtualKey)) return static_cast<ViewerKey>(k);
  return ViewerKey::Other;
}

bool keyIsDown(ViewerKey key) {
  int virtualKey = virtualKeyOf(key);
  return virtualKey != 0 && (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool viewerHasForeground() { return GetForegroundWindow() == viewerWindow; }

void readCursor(int32_t* x, int32_t* y) {
  POINT point{};
  GetCursorPos(&point);
  *x = point.x;
  *y = point.y;
}

void placeCursor(int32_t x, int32_t y) { SetCursorPos(x, y); }

void readPointer(int32_t* x, int32_t* y) {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(viewerWindow, &point);
  *x = point.x;
  *y = point.y;
}

// The display count is the system's, stepped only here.
void showCursor(bool shown) {
  // The system's display count shows the cursor while it is 0 or more. A repeated answer
  // (a pointer event) steps it once; a new one (a capture toggle) steps it until it is past
  // zero the right way, however far the pointer events took it.
  static bool lastShown = false;  // captured at the start
  if (shown == lastShown) {
    ShowCursor(shown ? TRUE : FALSE);
    return;
  }
  lastShown = shown;
  if (shown) {
    while (ShowCursor(TRUE) <= 0) {
    }
  } else {
    while (ShowCursor(FALSE) >= 0) {
    }
  }
}

void pauseThread(uint32_t milliseconds) { Sleep(milliseconds); }

uint64_t clockMilliseconds() {
  LARGE_INTEGER count{}, frequency{};
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<uint64_t>(count.QuadPart) * 1000u / static_cast<uint64_t>(frequency.QuadPart);
}
