#include "snapshot_options.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool readInt(const char* text, long low, long high, long& value) {
  if (*text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  value = v;
  return true;
}

// Reads one finite float that ends at stop (or the end of the text); moves text past it.
bool readFloat(const char*& text, char stop, float& value) {
  char* end = nullptr;
  errno = 0;
  float v = std::strtof(text, &end);
  if (end == text || errno != 0 || !std::isfinite(v)) return false;
  if (*end != stop) return false;
  value = v;
  text = *end == '\0' ? end : end + 1;
  return true;
}

bool readSize(const char* text, int& width, int& height) {
  const char* cross = std::strchr(text, 'x');
  if (cross == nullptr || cross == text) return false;
  char widthText[16];
  size_t n = static_cast<size_t>(cross - text);
  if (n >= sizeof widthText) return false;
  std::memcpy(widthText, text, n);
  widthText[n] = '\0';
  long w = 0, h = 0;
  if (!readInt(widthText, 1, 8192, w) || !readInt(cross + 1, 1, 8192, h)) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool readCamera(const char* text, SnapshotOptions& options) {
  return readFloat(text, ',', options.camX) && readFloat(text, ',', options.camY) &&
         readFloat(text, ',', options.pitch) && readFloat(text, '\0', options.yaw);
}

}  // namespace

bool parseSnapshotOptions(int argc, char** argv, SnapshotOptions& options, char* error, int errorSize) {
  for (int i = 1; i < argc; ++i) {
    const char* name = argv[i];
    auto bad = [&](const char* why) {
      std::snprintf(error, static_cast<size_t>(errorSize), "quelvar-snapshot: %s %s", name, why);
      return false;
    };
    if (std::strcmp(name, "--points") == 0) {
      options.view.pointStyle = true;
      continue;
    }
    if (std::strcmp(name, "--no-floor") == 0) {
      options.view.showFloor = false;
      continue;
    }
    bool takesValue = std::strcmp(name, "--list") == 0 || std::strcmp(name, "--out") == 0 ||
                      std::strcmp(name, "--size") == 0 || std::strcmp(name, "--threshold") == 0 ||
                      std::strcmp(name, "--window-start") == 0 || std::strcmp(name, "--zoom-steps") == 0 ||
                      std::strcmp(name, "--camera") == 0 || std::strcmp(name, "--frames") == 0;
    if (!takesValue) return bad(
          "is not an option; usage: quelvar-snapshot [--list FILE] [--out FILE.png] [--size WxH] [--threshold T] "
          "[--points] [--no-floor] [--window-start N] [--zoom-steps N] [--camera X,Y,PITCH,YAW] [--frames N]");
    if (i + 1 >= argc) return bad("needs a value");
    const char* value = argv[++i];
    long number = 0;
    if (std::strcmp(name, "--list") == 0) {
      options.listPath = value;
    } else if (std::strcmp(name, "--out") == 0) {
      if (*value == '\0') return bad("needs a file name");
      options.outPath = value;
    } else if (std::strcmp(name, "--size") == 0) {
      if (!readSize(value, options.width, options.height)) return bad("wants WxH, each 1 to 8192");
    } else if (std::strcmp(name, "--threshold") == 0) {
      const char* text = value;
      if (!readFloat(text, '\0', options.view.threshold)) return bad("wants a finite number");
    } else if (std::strcmp(name, "--window-start") == 0) {
      if (!readInt(value, INT32_MIN, INT32_MAX, number)) return bad("wants a 32-bit integer");
      options.view.windowMode = true;
      options.view.windowStart = static_cast<int32_t>(number);
    } else if (std::strcmp(name, "--zoom-steps") == 0) {
      if (!readInt(value, 0, 10000, number)) return bad("wants a count from 0 to 10000");
      options.zoomSteps = static_cast<int32_t>(number);
    } else if (std::strcmp(name, "--camera") == 0) {
      if (!readCamera(value, options)) return bad("wants X,Y,PITCH,YAW, four finite numbers");
      options.cameraGiven = true;
    } else {
      if (!readInt(value, 1, 1000000, number)) return bad("wants a count from 1 to 1000000");
      options.frames = static_cast<int>(number);
      options.timed = true;
    }
  }
  return true;
}
