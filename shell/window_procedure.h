// The viewer's reactions to window messages.
#pragma once

#include "platform.h"

// Reacts to one message. Returns false for a message the viewer leaves to the system's
// default handling; every other one is consumed.
bool windowProcedure(const WindowMessage& message);
