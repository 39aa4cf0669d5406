#include "render_support.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "camera.h"
#include "literal_passes.h"
#include "offscreen_context.h"
#include "projection.h"
#include "record_table.h"
#include "scene_frame.h"

namespace {

int openWidth = 0;
int openHeight = 0;

// Column-major 4x4 products, as GL multiplies.
void multiply(const double a[16], const double b[16], double out[16]) {
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
      out[c * 4 + r] = sum;
    }
}

void rotation(double degrees, double ax, double ay, double az, double m[16]) {
  double t = degrees * 3.14159265358979323846 / 180.0, c = std::cos(t), s = std::sin(t), k = 1 - c;
  double r[16] = {ax * ax * k + c,      ay * ax * k + az * s, az * ax * k - ay * s, 0,
                  ax * ay * k - az * s, ay * ay * k + c,      az * ay * k + ax * s, 0,
                  ax * az * k + ay * s, ay * az * k - ax * s, az * az * k + c,      0,
                  0,                    0,                    0,                    1};
  for (int i = 0; i < 16; ++i) m[i] = r[i];
}

}  // namespace

void useRenderSize(int width, int height) {
  if (width != openWidth || height != openHeight) {
    closeOffscreenContext();
    char error[256];
    bool opened = openOffscreenContext(width, height, error, sizeof error);
    ASSERT_TRUE(opened) << error;
    openWidth = width;
    openHeight = height;
    startScene();
  }
  resizeView(width, height);
}

Picture renderScene(ViewState& view, bool literal) {
  renderFrame(view, nullptr, literal ? literalDrawScene : drawScene);
  Picture picture;
  picture.width = openWidth;
  picture.height = openHeight;
  picture.rgb.resize(static_cast<size_t>(openWidth) * openHeight * 3);
  readOffscreenPixels(picture.rgb.data());
  return picture;
}

void resetCameraToStart() { camera = Camera{}; }

void clearRecords() { resetTandemData(); }

ViewState startBarScene(int width, int height) {
  useRenderSize(width, height);
  clearRecords();
  resetCameraToStart();
  ViewState view;
  view.look.showFloor = false;
  return view;
}

void addRecord(int32_t pos, int32_t partner, float len, float r, float g, float b, float y) {
  TandemRecord& record = recordTable.slots[recordTable.count++];
  record = TandemRecord{};
  record.x = static_cast<float>(static_cast<float>(pos) * 0.00001);
  record.y = y;
  record.len = len;
  record.pos = pos;
  record.partner = partner;
  record.tag = 1;
  record.r = r;
  record.g = g;
  record.b = b;
  ++recordTable.revision;
}

ScreenPoint projectToScreen(double x, double y, double z, int width, int height) {
  double a = static_cast<double>(static_cast<float>(width) / static_cast<float>(height)) * 0.1;
  double n = 0.2, f = 1000.0, t = 0.1;
  double frustum[16] = {n / a, 0, 0, 0, 0, n / t, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0};
  double pitch[16], yaw[16], m1[16], m2[16];
  rotation(-camera.pitch, 1, 0, 0, pitch);
  rotation(-camera.yaw, 0, 0, 1, yaw);
  multiply(frustum, pitch, m1);
  multiply(m1, yaw, m2);
  double p[3] = {x - camera.camX, y - camera.camY, z - camera.camZ};
  double clip[4];
  for (int r = 0; r < 4; ++r) clip[r] = m2[r] * p[0] + m2[4 + r] * p[1] + m2[8 + r] * p[2] + m2[12 + r];
  ScreenPoint point;
  point.inFront = clip[3] > 0;
  point.column = (clip[0] / clip[3] + 1) / 2 * width;
  point.row = (1 - clip[1] / clip[3]) / 2 * height;
  return point;
}

bool isColour(const uint8_t* pixel, int r, int g, int b, int tolerance) {
  return std::abs(pixel[0] - r) <= tolerance && std::abs(pixel[1] - g) <= tolerance &&
         std::abs(pixel[2] - b) <= tolerance;
}

bool isSky(const uint8_t* pixel) { return isColour(pixel, kSkyRed, kSkyGreen, kSkyBlue); }

int differingPixels(const Picture& a, const Picture& b) {
  int differing = 0;
  for (size_t i = 0; i < a.rgb.size(); i += 3)
    if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ++differing;
  return differing;
}

namespace {

bool foundNearby(const Picture& in, int x, int y, const uint8_t* colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= in.width || ny >= in.height) continue;
      if (isColour(in.at(nx, ny), colour[0], colour[1], colour[2], 0)) return true;
    }
  return false;
}

}  // namespace

bool differencesAreShifts(const Picture& a, const Picture& b) {
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      const uint8_t* pa = a.at(x, y);
      const uint8_t* pb = b.at(x, y);
      if (isColour(pa, pb[0], pb[1], pb[2], 0)) continue;
      if (!foundNearby(b, x, y, pa) || !foundNearby(a, x, y, pb)) return false;
    }
  return true;
}
