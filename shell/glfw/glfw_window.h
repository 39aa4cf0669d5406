// State the GLFW backend's files share: the one window, and the viewer's names for keys.
#pragma once

#ifdef _WIN32
#error "The GLFW backend is for the builds without Win32; Windows builds use shell/win32."
#endif

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform.h"

extern GLFWwindow* viewerWindow;

// The viewer's name for a GLFW key code (Other for a key it has no use for).
ViewerKey viewerKeyOf(int glfwKey);
