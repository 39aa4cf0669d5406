// Win32 backend: the WGL rendering context on the window's own device context, and the
// buffer swap.
// Implements: opening and closing the context, the swap.
// Emulates: nothing.
// Leaves out: checking the context calls, as at start-up elsewhere: without a context the
//   graphics calls do nothing and the window stays black.
#include "win32_window.h"

#include "platform.h"

namespace {

HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;

}  // namespace

void openGlContext() {
  deviceContext = GetDC(viewerWindow);
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
  int chosen = ChoosePixelFormat(deviceContext, &format);
  SetPixelFormat(deviceContext, chosen, &format);
  renderingContext = wglCreateContext(deviceContext);
  wglMakeCurrent(deviceContext, renderingContext);
}

void closeGlContext() {
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(renderingContext);
  ReleaseDC(viewerWindow, deviceContext);
  renderingContext = nullptr;
  deviceContext = nullptr;
}

void swapFrameBuffers() { SwapBuffers(deviceContext); }
