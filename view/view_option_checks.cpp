#include "view_option_checks.h"

#include "annotation_place.h"
#include "axis_ticks.h"
#include "record_places.h"
#include "sequence_axis.h"
#include "text_fields.h"
#include "view_options.h"
#include "view_region.h"

bool checkViewOptions(const ViewOptions& options, std::string& error) {
  if (options.cameraGiven && (options.gotoPosition >= 0 || !options.gotoText.empty())) {
    error = "--camera and --goto exclude each other";
    return false;
  }
  return true;
}

bool checkViewWork(const ViewOptions& options, int64_t bars, std::string& error) {
  AxisRange place;
  std::string why, note;
  if (!options.gotoText.empty() &&
      findPlace(loadedSequences(), *viewLanes(), options.gotoText, place, why, note) != PlaceAnswer::Found) {
    error = "--goto: " + why;  // why quotes the place, cut
    return false;
  }
  int64_t start = 0, end = 0;
  if (!options.region.empty() && !readRegion(options.region, start, end, error)) return false;
  int64_t steps = options.zoomSteps + recordMoveSteps(options.moves.c_str());
  if (bars <= 0 || steps <= kMostStepBars / bars) return true;
  char stepText[32], barText[32], mostText[32];
  formatBases(steps, stepText, sizeof stepText);
  formatBases(bars, barText, sizeof barText);
  formatBases(kMostStepBars, mostText, sizeof mostText);
  error = std::string("--zoom-steps and --moves make ") + stepText + " steps over " + barText + " bars, more than the " +
          mostText + " steps x bars that take a few seconds";
  return false;
}
