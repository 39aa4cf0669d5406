#include "offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;
int openWidth = 0;
int openHeight = 0;

bool fail(char* error, int errorSize, const char* what) {
  std::snprintf(error, static_cast<size_t>(errorSize), "%s (EGL error 0x%04x)", what,
                static_cast<unsigned>(eglGetError()));
  closeOffscreenContext();
  return false;
}

}  // namespace

bool openOffscreenContext(int width, int height, char* error, int errorSize) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr)
    return fail(error, errorSize, "no EGL display: eglGetPlatformDisplayEXT is missing");
  display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) return fail(error, errorSize, "no EGL display on the surfaceless platform");
  if (!eglInitialize(display, nullptr, nullptr)) return fail(error, errorSize, "cannot initialise the EGL display");
  if (!eglBindAPI(EGL_OPENGL_API)) return fail(error, errorSize, "EGL cannot bind desktop OpenGL");

  // 24 colour bits as the viewer's window asks for; 24 depth bits, what drivers commonly
  // give for its request of 16. The depth precision decides which of two far bars wins a
  // pixel.
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                     EGL_DEPTH_SIZE, 24, EGL_NONE};
  // EGL lists deeper colour first; the window's 8 bits a channel round colours as the
  // picture must, so take a config with exactly those.
  EGLConfig configs[64];
  EGLint found = 0;
  if (!eglChooseConfig(display, configAttributes, configs, 64, &found) || found == 0)
    return fail(error, errorSize, "no EGL config with an RGB pbuffer and a depth buffer");
  EGLConfig config = configs[0];
  for (EGLint i = found - 1; i >= 0; --i) {
    EGLint red = 0, green = 0, blue = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &blue);
    if (red == 8 && green == 8 && blue == 8) config = configs[i];
  }

  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) return fail(error, errorSize, "cannot create the EGL pbuffer surface");

  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) return fail(error, errorSize, "cannot create an OpenGL compatibility context");
  if (!eglMakeCurrent(display, surface, surface, context))
    return fail(error, errorSize, "cannot make the OpenGL context current");
  openWidth = width;
  openHeight = height;
  return true;
}

void closeOffscreenContext() {
  if (display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
  eglTerminate(display);
  display = EGL_NO_DISPLAY;
  surface = EGL_NO_SURFACE;
  context = EGL_NO_CONTEXT;
}

void finishOffscreenDrawing() { glFinish(); }

void readOffscreenPixels(uint8_t* rgb) {
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  size_t rowBytes = static_cast<size_t>(openWidth) * 3;
  std::vector<uint8_t> row(rowBytes);
  glReadPixels(0, 0, openWidth, openHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  // GL reads bottom row first; swap rows in place for a picture read top down.
  for (int top = 0, bottom = openHeight - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = rgb + static_cast<size_t>(top) * rowBytes;
    uint8_t* b = rgb + static_cast<size_t>(bottom) * rowBytes;
    std::memcpy(row.data(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.data(), rowBytes);
  }
}

const char* offscreenRenderer() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? reinterpret_cast<const char*>(name) : "unknown";
}
