// GLFW backend: window, context and events. The X11 class hint, the outer size with the
// frame included, a double-buffered compatibility context (never a core profile: the
// viewer draws fixed-function), and GLFW's callbacks turned into the viewer's messages.
// The context comes with the window here, so createGlContext only makes it current.
#include "glfw_window.h"

#include <chrono>
#include <cstdio>
#include <thread>

GLFWwindow* viewerWindow = nullptr;

namespace {

void onKey(GLFWwindow*, int key, int, int action, int) {
  // Presses and auto-repeats are key-down messages, as on Windows; releases are not.
  if (action == GLFW_RELEASE) return;
  WindowMessage message{};
  message.kind = MessageKind::KeyDown;
  message.key = viewerKeyOf(key);
  queueMessage(message);
}

void onPointer() {
  WindowMessage message{};
  message.kind = MessageKind::SetCursor;
  queueMessage(message);
}

void onCursorMove(GLFWwindow*, double, double) { onPointer(); }
void onCursorEnter(GLFWwindow*, int entered) {
  if (entered) onPointer();
}

void onFramebufferSize(GLFWwindow*, int width, int height) {
  WindowMessage message{};
  message.kind = MessageKind::Resize;
  message.width = width;
  message.height = height;
  queueMessage(message);
}

void onClose(GLFWwindow* window) {
  // The viewer decides: the close becomes a message, and the quit it posts ends the loop.
  glfwSetWindowShouldClose(window, GLFW_FALSE);
  WindowMessage message{};
  message.kind = MessageKind::Close;
  queueMessage(message);
}

// Says why the window could not be had (no display, no GLX); heard only during start-up.
void onStartError(int, const char* description) { std::fprintf(stderr, "quelvar: %s\n", description); }

}  // namespace

bool registerWindowClass(void*) {
  glfwSetErrorCallback(onStartError);
  if (glfwInit() != GLFW_TRUE) return false;
  glfwDefaultWindowHints();
  glfwWindowHintString(GLFW_X11_CLASS_NAME, "GLSample");
  glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "quelvar");
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);  // shown by showViewerWindow, as on Windows
  glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_ANY_PROFILE);
  glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
  glfwWindowHint(GLFW_RED_BITS, 8);
  glfwWindowHint(GLFW_GREEN_BITS, 8);
  glfwWindowHint(GLFW_BLUE_BITS, 8);
  glfwWindowHint(GLFW_DEPTH_BITS, 16);
  return true;
}

bool createViewerWindow(const char* title, int32_t outerWidth, int32_t outerHeight) {
  viewerWindow = glfwCreateWindow(outerWidth, outerHeight, title, nullptr, nullptr);
  if (viewerWindow == nullptr) return false;
  glfwSetKeyCallback(viewerWindow, onKey);
  glfwSetCursorPosCallback(viewerWindow, onCursorMove);
  glfwSetCursorEnterCallback(viewerWindow, onCursorEnter);
  glfwSetFramebufferSizeCallback(viewerWindow, onFramebufferSize);
  glfwSetWindowCloseCallback(viewerWindow, onClose);
  return true;
}

void showViewerWindow(int32_t) {
  glfwSetErrorCallback(nullptr);  // from here on, as on Windows, nothing is reported
  glfwShowWindow(viewerWindow);
  // GLFW sizes the client area; where a window manager draws a frame, take it off so the
  // outer size is the one asked for.
  int left = 0, top = 0, right = 0, bottom = 0;
  glfwGetWindowFrameSize(viewerWindow, &left, &top, &right, &bottom);
  if (left + right + top + bottom > 0) {
    int width = 0, height = 0;
    glfwGetWindowSize(viewerWindow, &width, &height);
    glfwSetWindowSize(viewerWindow, width - left - right, height - top - bottom);
  }
  glfwSetCursor(viewerWindow, nullptr);  // the arrow
}

void createGlContext() { glfwMakeContextCurrent(viewerWindow); }

void readClientSize(int32_t* width, int32_t* height) {
  int w = 0, h = 0;
  glfwGetFramebufferSize(viewerWindow, &w, &h);
  *width = w;
  *height = h;
}

void destroyGlContext() { glfwMakeContextCurrent(nullptr); }

void destroyViewerWindow() {
  glfwDestroyWindow(viewerWindow);
  viewerWindow = nullptr;
  glfwTerminate();
}

void swapFrameBuffers() { glfwSwapBuffers(viewerWindow); }

void pauseThread(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
