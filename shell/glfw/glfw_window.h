// State the GLFW backend's files share: the one window, and the queue its callbacks fill.
#pragma once

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform.h"

extern GLFWwindow* viewerWindow;

// The viewer's name for a GLFW key code (Other for a key it has no use for).
ViewerKey viewerKeyOf(int glfwKey);

// Adds a message for takeMessage to hand out in arrival order.
void queueMessage(const WindowMessage& message);
