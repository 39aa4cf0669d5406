// State the GLFW backend's files share: the one window, and the queue its callbacks fill.
#pragma once

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform.h"

extern GLFWwindow* viewerWindow;

// Adds a message for takeMessage to hand out in arrival order.
void queueMessage(const WindowMessage& message);
