// Win32 backend: the window class and window, the window procedure and the message pump.
// The window procedure only turns Win32 messages into the viewer's and back; what to do
// with them is the portable windowProcedure's.
#include "win32_window.h"

#include "window_procedure.h"

HINSTANCE viewerInstance = nullptr;
HWND viewerWindow = nullptr;

namespace {

const char kClassName[] = "GLSample";
HCURSOR arrowCursor = nullptr;
MSG takenMessage;  // the message takeMessage removed, for dispatchMessage to send on

WindowMessage viewerMessageOf(UINT message, WPARAM wParam, LPARAM lParam) {
  WindowMessage out{};
  switch (message) {
    case WM_SIZE:
      out.kind = MessageKind::Resize;
      out.width = LOWORD(lParam);
      out.height = HIWORD(lParam);
      break;
    case WM_CLOSE: out.kind = MessageKind::Close; break;
    case WM_DESTROY: out.kind = MessageKind::Destroy; break;
    case WM_SETCURSOR: out.kind = MessageKind::SetCursor; break;
    case WM_KEYDOWN:
      out.kind = MessageKind::KeyDown;
      out.key = wParam == VK_ESCAPE ? ViewerKey::Escape : ViewerKey::Other;
      break;
    default: out.kind = MessageKind::Other; break;
  }
  return out;
}

LRESULT CALLBACK viewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (windowProcedure(viewerMessageOf(message, wParam, lParam))) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool registerWindowClass(void* instance) {
  viewerInstance = static_cast<HINSTANCE>(instance);
  arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC;  // OpenGL needs a device context of the window's own
  windowClass.lpfnWndProc = viewerWindowProc;
  windowClass.hInstance = viewerInstance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = arrowCursor;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0;
}

bool createViewerWindow(const char* title, int32_t outerWidth, int32_t outerHeight) {
  viewerWindow = CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outerWidth, outerHeight, nullptr, nullptr,
                                 viewerInstance, nullptr);
  // Without a window every later call would fall on the desktop's device context.
  return viewerWindow != nullptr;
}

void showViewerWindow(int32_t showCommand) {
  ShowWindow(viewerWindow, showCommand);
  SetCursor(arrowCursor);
}

void readClientSize(int32_t* width, int32_t* height) {
  RECT client{};
  GetClientRect(viewerWindow, &client);
  *width = client.right;
  *height = client.bottom;
}

void destroyViewerWindow() {
  DestroyWindow(viewerWindow);
  viewerWindow = nullptr;
}

bool takeMessage(WindowMessage* message) {
  if (!PeekMessageA(&takenMessage, nullptr, 0, 0, PM_REMOVE)) return false;
  *message = WindowMessage{};
  if (takenMessage.message == WM_QUIT) {
    message->kind = MessageKind::Quit;
    message->exitCode = static_cast<int32_t>(takenMessage.wParam);
  } else {
    message->kind = MessageKind::Other;  // the window procedure sees it when dispatched
  }
  return true;
}

void dispatchMessage(const WindowMessage&) {
  TranslateMessage(&takenMessage);
  DispatchMessageA(&takenMessage);
}

void postQuit(int32_t exitCode) { PostQuitMessage(exitCode); }
