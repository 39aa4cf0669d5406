// An offscreen OpenGL context for the headless tools and tests: EGL on Mesa's surfaceless
// platform (llvmpipe without a GPU), a pbuffer of the requested size, a compatibility
// context so fixed-function drawing works. No window system is touched.
#pragma once

#include <cstdint>

// Opens the context and makes it current. On failure returns false and puts a one-line
// reason into error.
bool openOffscreenContext(int width, int height, char* error, int errorSize);

// Releases the context, surface and display; harmless when none is open.
void closeOffscreenContext();

// Waits until everything drawn so far is in the colour buffer.
void finishOffscreenDrawing();

// Waits for drawing to finish, then reads the colour buffer as 8-bit RGB, top row first.
// rgb holds width * height * 3 bytes.
void readOffscreenPixels(uint8_t* rgb);

// The renderer's name, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)".
const char* offscreenRenderer();
