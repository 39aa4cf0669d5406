// How the viewer's window presents itself: the class name the system and scripts know it
// by, its title and its outer size, frame included.
#pragma once

#include <cstdint>

#include "quelvar_version.h"

constexpr const char* kWindowClassName = "GLSample";
// The version is the project's, from CMake.
constexpr const char* kWindowTitle = "Quelvar v" QUELVAR_VERSION_TEXT " https://quelvar.org";
constexpr int32_t kWindowOuterWidth = 1000;
constexpr int32_t kWindowOuterHeight = 600;
