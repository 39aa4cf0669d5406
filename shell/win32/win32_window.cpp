// Win32 backend: the window class and window, the window procedure and the message pump.
// Implements: start-up and shut-down, client size, event handling (windowProcedure calls
//   the viewer's entry points), the quit as the system's posted quit.
// Emulates: nothing.
// Leaves out: typed characters beyond ASCII (an ANSI window gets code-page bytes) and
//   file drops (the window does not accept them); every other message goes to the
//   system's default handling.
#include "win32_window.h"

#include <cstdio>

#include "viewer_window.h"
#include "window_events.h"

HINSTANCE viewerInstance = nullptr;
int viewerShowCommand = SW_SHOWDEFAULT;
HWND viewerWindow = nullptr;

namespace {

HCURSOR arrowCursor = nullptr;

void reportButton(MouseButton button, LPARAM lParam) {
  mouseButtonPressed(button, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      windowResized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      windowCloseRequested();
      return 0;
    case WM_DESTROY:
      return 0;
    case WM_SETCURSOR:
      // Consumed, so the system never sets the cursor's shape over the window.
      pointerOverWindow();
      return 0;
    case WM_KEYDOWN:
      // Bit 30: the key was already down, so this is an auto-repeat.
      keyPressed(viewerKeyOf(wParam), (lParam & (1 << 30)) != 0);
      return 0;
    case WM_CHAR:
      if (wParam < 0x80) characterTyped(static_cast<uint32_t>(wParam));
      return 0;
    // Reported, then left to the system as before.
    case WM_LBUTTONDOWN: reportButton(MouseButton::Left, lParam); break;
    case WM_RBUTTONDOWN: reportButton(MouseButton::Right, lParam); break;
    case WM_MBUTTONDOWN: reportButton(MouseButton::Middle, lParam); break;
    case WM_MOUSEWHEEL:
      wheelTurned(static_cast<double>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA);
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool prepareWindowSystem() {
  arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC;  // OpenGL needs a device context of the window's own
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = viewerInstance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = arrowCursor;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClassName;
  if (RegisterClassExA(&windowClass) != 0) return true;
  std::fprintf(stderr, "quelvar: cannot register the window class\n");
  return false;
}

bool openWindow(const char* title, int32_t outerWidth, int32_t outerHeight) {
  viewerWindow = CreateWindowExA(0, kWindowClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outerWidth, outerHeight, nullptr, nullptr,
                                 viewerInstance, nullptr);
  // Without a window every later call would fall on the desktop's device context.
  return viewerWindow != nullptr;
}

void showWindow() {
  ShowWindow(viewerWindow, viewerShowCommand);
  SetCursor(arrowCursor);
}

void readClientSize(int32_t* width, int32_t* height) {
  RECT client{};
  GetClientRect(viewerWindow, &client);
  *width = client.right;
  *height = client.bottom;
}

void closeWindow() {
  DestroyWindow(viewerWindow);
  viewerWindow = nullptr;
}

bool handleWaitingEvents(int32_t* exitCode) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      *exitCode = static_cast<int32_t>(message.wParam);
      return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return false;
}

void requestQuit(int32_t exitCode) { PostQuitMessage(exitCode); }
