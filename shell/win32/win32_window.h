// State the Win32 backend's files share: the module, the one window and how to show it.
#pragma once

#ifndef _WIN32
#error "The Win32 backend builds for Windows only; other systems use shell/glfw."
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

extern HINSTANCE viewerInstance;
extern int viewerShowCommand;  // WinMain's, for the first ShowWindow
extern HWND viewerWindow;

#include "platform.h"

// The viewer's name for a virtual key, for the presses the window procedure reports.
ViewerKey viewerKeyOf(WPARAM virtualKey);
