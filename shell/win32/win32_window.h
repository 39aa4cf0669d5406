// State the Win32 backend's files share: the module, the one window and its device context.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

extern HINSTANCE viewerInstance;
extern HWND viewerWindow;
