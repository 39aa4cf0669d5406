#include "work_screen.h"

#include <algorithm>
#include <string>

#include "draw_list.h"
#include "gl.h"
#include "text_drawing.h"
#include "text_raster.h"

namespace {

constexpr float kInk[3] = {0.08f, 0.1f, 0.16f};
constexpr float kFailureInk[3] = {0.85f, 0.05f, 0.05f};
constexpr float kReasonHeight = 14.0f;
constexpr int kReasonLeading = 20;
constexpr float kTrough[4] = {1.0f, 1.0f, 1.0f, 0.7f};
constexpr float kFill[4] = {0.15f, 0.35f, 0.75f, 1.0f};
constexpr int kBarHeight = 18;

// The sky cleared and the overlay begun; the column the text takes (at most 760 pixels, in
// the middle), the middle's height, and the heading drawn above it.
struct Column {
  int left, width, middle;
};

Column startScreen(const char* heading) {
  glClearColor(kSkyColour[0], kSkyColour[1], kSkyColour[2], 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  beginOverlay();
  int width = 0, height = 0;
  overlaySize(width, height);
  int columnWidth = std::max(0, std::min(width - 40, 760));
  Column column{(width - columnWidth) / 2, columnWidth, height / 2};
  drawText(heading, column.left, column.middle - 58, 20.0f, kInk);
  return column;
}

}  // namespace

void drawWorkScreen(const char* heading, const char* status, double fraction) {
  Column column = startScreen(heading);
  int barWidth = column.width, left = column.left, barTop = column.middle;
  drawText(status, left, barTop - 28, 14.0f, kInk);
  drawPanel(left, barTop, barWidth, kBarHeight, kTrough);
  double done = std::clamp(fraction, 0.0, 1.0);
  drawPanel(left, barTop, static_cast<int>(barWidth * done + 0.5), kBarHeight, kFill);
  drawText("Closing the window stops the work.", left, barTop + kBarHeight + 12, 14.0f, kInk);
  endOverlay();
}

void drawFailureScreen(const char* heading, const char* reason) {
  Column column = startScreen(heading);
  int textWidth = column.width, left = column.left, top = column.middle - 28;
  // The reason, a message written for a terminal, is broken at spaces to fit the window.
  std::string text = reason, line;
  size_t at = 0;
  while (at < text.size()) {
    size_t space = text.find(' ', at);
    std::string word = text.substr(at, space == std::string::npos ? std::string::npos : space - at);
    std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && measureText(longer.c_str(), kReasonHeight) > textWidth) {
      drawText(line.c_str(), left, top, kReasonHeight, kFailureInk);
      top += kReasonLeading;
      line = word;
    } else {
      line = longer;
    }
    at = space == std::string::npos ? text.size() : space + 1;
  }
  drawText(line.c_str(), left, top, kReasonHeight, kFailureInk);
  drawText("Close the window to quit.", left, top + 2 * kReasonLeading, 14.0f, kInk);
  endOverlay();
}
