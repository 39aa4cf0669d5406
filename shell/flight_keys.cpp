#include "flight_keys.h"

#include <cmath>

#include "camera_fit.h"
#include "flight.h"
#include "pair_shown.h"
#include "platform.h"
#include "view_state_instance.h"

void changeAltitude(int presses, double notches) {
  if (presses == 0 && notches == 0) return;
  double factor = std::pow(kAltitudeStep, presses - notches / 2);
  camera = cameraAtAltitude(camera, factor);
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
