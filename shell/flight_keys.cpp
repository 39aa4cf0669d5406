#include "flight_keys.h"

#include <cmath>

#include "axis_ruler.h"
#include "camera_fit.h"
#include "flight.h"
#include "pair_shown.h"
#include "platform.h"
#include "scene_frame.h"
#include "view_state_instance.h"

namespace {

// The wheel aims at a ground point this many heights off at most; past it, towards the
// horizon, it aims where the picture's centre does.
constexpr double kFarthestAim = 20.0;

// The ground point under the free cursor in the last frame, in world x and y.
bool groundUnderPointer(double& x, double& y) {
  const ViewInput& input = viewState.input;
  const DrawList& list = lastSceneList();
  if (input.cursorFree == 0 || input.pointerX < 0 || input.pointerY < 0 || input.pointerX >= list.width ||
      input.pointerY >= list.height)
    return false;
  if (!groundUnder(list.matrix, input.pointerX + 0.5, input.pointerY + 0.5, list.width, list.height, x, y))
    return false;
  x += camera.originX;  // the frame's matrix takes x from the origin, which only a later rebase moves
  return std::hypot(x - cameraWorldX(camera), y - camera.camY) <= kFarthestAim * camera.camZ;
}

}  // namespace

void changeAltitude(int presses, double notches) {
  if (presses != 0) camera = cameraAtAltitude(camera, std::pow(kAltitudeStep, presses));
  if (notches == 0) return;
  double factor = std::pow(kAltitudeStep, -notches / 2), x = 0, y = 0;
  camera = groundUnderPointer(x, y) ? cameraAtAltitudeOver(camera, factor, x, y) : cameraAtAltitude(camera, factor);
}

void flyToOverview() {
  FitBox box{};
  int64_t firstPos = 0, lastPos = 0;
  if (!framedExtent(viewState, box, firstPos, lastPos) && !emptyFrameExtent(viewState, box, firstPos, lastPos)) return;
  int32_t width = 0, height = 0;
  readClientSize(&width, &height);
  if (width <= 0 || height <= 0) return;
  camera = overviewCamera(box, static_cast<double>(width) / height);
}
