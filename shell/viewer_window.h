// How the viewer's window presents itself: the class name the system and scripts know it
// by, its title and its outer size, frame included.
#pragma once

#include <cstdint>

constexpr const char* kWindowClassName = "GLSample";
constexpr const char* kWindowTitle = "Quelvar v0.92 https://quelvar.org";
constexpr int32_t kWindowOuterWidth = 1000;
constexpr int32_t kWindowOuterHeight = 600;
