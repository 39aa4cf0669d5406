// GLFW backend: the window, its context and its events.
// Implements: start-up and shut-down, client size, event handling (GLFW's callbacks call
//   the viewer's entry points), the quit, the buffer swap, the pause and the clock.
// Emulates: the outer size with the frame included; the quit, a flag that counts only
//   once no event is left.
// Leaves out: the show command (always shown normally), window icons and file drops (the
//   viewer has no use for them).
#include "glfw_window.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "viewer_window.h"
#include "window_events.h"

GLFWwindow* viewerWindow = nullptr;

namespace {

bool quitRequested = false;
int32_t quitCode = 0;
uint32_t eventsReported = 0;  // so handling knows whether a poll brought anything

void onKey(GLFWwindow*, int key, int, int action, int) {
  ++eventsReported;
  if (action != GLFW_RELEASE) keyPressed(viewerKeyOf(key), action == GLFW_REPEAT);
}

void onCursorMove(GLFWwindow*, double, double) {
  ++eventsReported;
  pointerOverWindow();
}

void onCursorEnter(GLFWwindow*, int entered) {
  ++eventsReported;
  if (entered) pointerOverWindow();
}

void onFramebufferSize(GLFWwindow*, int width, int height) {
  ++eventsReported;
  windowResized(width, height);
}

void onClose(GLFWwindow* window) {
  // The viewer decides: it asks for the quit, which ends the loop.
  ++eventsReported;
  glfwSetWindowShouldClose(window, GLFW_FALSE);
  windowCloseRequested();
}

void onMouseButton(GLFWwindow* window, int button, int action, int) {
  ++eventsReported;
  if (action != GLFW_PRESS || button > GLFW_MOUSE_BUTTON_MIDDLE) return;
  double x = 0, y = 0;
  glfwGetCursorPos(window, &x, &y);
  constexpr MouseButton kButtons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle};
  mouseButtonPressed(kButtons[button], static_cast<int32_t>(x), static_cast<int32_t>(y));
}

void onScroll(GLFWwindow*, double, double notches) {
  ++eventsReported;
  wheelTurned(notches);
}

void onCharacter(GLFWwindow*, unsigned int codePoint) {
  ++eventsReported;
  characterTyped(codePoint);
}

// Says why the window could not be had (no display, no GLX); heard only during start-up.
void onStartError(int, const char* description) { std::fprintf(stderr, "quelvar: %s\n", description); }

}  // namespace

bool prepareWindowSystem() {
  glfwSetErrorCallback(onStartError);
  if (glfwInit() != GLFW_TRUE) {
    // GLFW's own description came through the error callback first.
    std::fprintf(stderr, "quelvar: no window system to open the viewer in\n");
    return false;
  }
  glfwDefaultWindowHints();
  glfwWindowHintString(GLFW_X11_CLASS_NAME, kWindowClassName);
  glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "quelvar");
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);  // shown by showWindow
  // A compatibility context, never a core profile: the viewer draws fixed-function.
  glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_ANY_PROFILE);
  glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
  glfwWindowHint(GLFW_RED_BITS, 8);
  glfwWindowHint(GLFW_GREEN_BITS, 8);
  glfwWindowHint(GLFW_BLUE_BITS, 8);
  glfwWindowHint(GLFW_DEPTH_BITS, 16);
  return true;
}

bool openWindow(const char* title, int32_t outerWidth, int32_t outerHeight) {
  viewerWindow = glfwCreateWindow(outerWidth, outerHeight, title, nullptr, nullptr);
  if (viewerWindow == nullptr) return false;
  glfwSetKeyCallback(viewerWindow, onKey);
  glfwSetCursorPosCallback(viewerWindow, onCursorMove);
  glfwSetCursorEnterCallback(viewerWindow, onCursorEnter);
  glfwSetFramebufferSizeCallback(viewerWindow, onFramebufferSize);
  glfwSetWindowCloseCallback(viewerWindow, onClose);
  glfwSetMouseButtonCallback(viewerWindow, onMouseButton);
  glfwSetScrollCallback(viewerWindow, onScroll);
  glfwSetCharCallback(viewerWindow, onCharacter);
  return true;
}

void showWindow() {
  glfwSetErrorCallback(nullptr);  // once the window is up, nothing is reported
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

// The context comes with the window, so opening it only makes it current.
void openGlContext() { glfwMakeContextCurrent(viewerWindow); }

void readClientSize(int32_t* width, int32_t* height) {
  int w = 0, h = 0;
  glfwGetFramebufferSize(viewerWindow, &w, &h);
  *width = w;
  *height = h;
}

void closeGlContext() { glfwMakeContextCurrent(nullptr); }

void closeWindow() {
  glfwDestroyWindow(viewerWindow);
  viewerWindow = nullptr;
  glfwTerminate();
}

bool handleWaitingEvents(int32_t* exitCode) {
  // A poll handles what has arrived; poll again until one brings nothing, since events
  // come in while others are handled (during Escape's pause, for one).
  uint32_t before = 0;
  do {
    before = eventsReported;
    glfwPollEvents();
  } while (eventsReported != before);
  if (!quitRequested) return false;
  quitRequested = false;
  *exitCode = quitCode;
  return true;
}

void requestQuit(int32_t exitCode) {
  quitRequested = true;
  quitCode = exitCode;
}

void swapFrameBuffers() { glfwSwapBuffers(viewerWindow); }

void pauseThread(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint64_t clockMilliseconds() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
