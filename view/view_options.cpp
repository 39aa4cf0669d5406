#include "view_options.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "axis_ticks.h"
#include "bar_height.h"
#include "annotation_lanes.h"
#include "annotation_place.h"
#include "sequence_places.h"
#include "pair_facts.h"
#include "pair_shown.h"
#include "pair_traits.h"
#include "record_places.h"
#include "record_table.h"
#include "text_fields.h"
#include "whole_numbers.h"

const char kViewOptionsHelp[] =
    "      --camera X,Y,PITCH,YAW  camera position and angles in degrees: pitch 0 looks\n"
    "                            straight down, 90 level; yaw turns about the vertical axis;\n"
    "                            the height stays 2 (start camera -1,-1,70,-60)\n"
    "      --goto PLACE          the start camera's height and tilt facing PLACE from the\n"
    "                            front, the tallest bar there whole in the middle of the\n"
    "                            picture. PLACE: an axis position, a sequence NAME, NAME:POS\n"
    "                            or NAME:START-END (1-based, as genome browsers write them),\n"
    "                            or the name of an --annotation feature\n"
    "      --threshold T         bars are drawn when their scaled length (0 to 7) is above T\n"
    "                            (default 0.03)\n"
    "      --min-length BP       the threshold in bases: pairs of BP and longer are drawn\n"
    "      --min-identity PCT    pairs below PCT percent identity are hidden (pairs without\n"
    "                            identity stay)\n"
    "      --window-start N      window mode, showing the pairs that touch N..N+100000\n"
    "      --zoom-steps N        compress the axis as N presses of N would (0 to 10000)\n"
    "      --moves LIST          zoom steps and far-part slides in the order made, as the\n"
    "                            viewer's P writes them: z2,x+120,y-40; with --zoom-steps,\n"
    "                            at most 1,000,000,000 steps x bars loaded in all\n"
    "      --points              points instead of lines\n"
    "      --no-floor            no floor\n"
    "      --hud                 the heads-up display: what is loaded, the threshold in\n"
    "                            bases, the camera's position, the axis ruler\n"
    "      --links               an arc joining the two bars of every shown pair\n"
    "      --colour MODE         bar colours: bars (as drawn by default), strand or identity\n"
    "      --pick SLOT           the bar in this record slot is the picked one (HUD)\n"
    "      --cursor STATE        free or captured: the viewer starts so, and the HUD says so\n"
    "      --region [NAME:]START-END  only the pairs with an end in that stretch (1-based;\n"
    "                            without NAME, along the whole axis)\n"
    "      --annotation FILE     a lane of features on the ground in front of the rows, coloured\n"
    "                            by type or repeat class: BED, GFF3, GTF, RepeatMasker .out or\n"
    "                            TRF .dat (gzip too), on the pairs' sequences; repeatable;\n"
    "                            at most 10,000,000 features a file, identical ones merged\n"
    "      --height linear|log   bar height by length (default) or by log10 of the length,\n"
    "                            so short repeats stay visible beside long ones\n";

namespace {

const char* const kColourNames[] = {"bars", "strand", "identity"};

// The one set of lanes a program draws, and the files it was read from.
AnnotationLanes lanes;
std::vector<std::string> lanesRead;
// The reason, formatted, into error; false to return.
bool refuse(std::string& error, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool refuse(std::string& error, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  error = text;
  return false;
}

bool readFloat(const char*& text, char stop, float& value) {
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || !std::isfinite(v) || std::fabs(v) > 3.4e38 || *end != stop) return false;
  value = static_cast<float>(v);
  text = *end == '\0' ? end : end + 1;
  return true;
}

bool readCamera(const char* text, ViewOptions& options) {
  return readFloat(text, ',', options.camX) && readFloat(text, ',', options.camY) &&
         readFloat(text, ',', options.pitch) && readFloat(text, '\0', options.yaw);
}

// The shortest decimal that the parsers above read back as the same float32, without an
// exponent where a few decimals do.
std::string exactFloat(float value) {
  char text[64];
  for (int decimals = 0; decimals <= 9; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    if (static_cast<float>(std::strtod(text, nullptr)) == value) return text;
  }
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (static_cast<float>(std::strtod(text, nullptr)) == value) break;
  }
  return text;
}

}  // namespace

bool isViewOption(int option) { return option >= kCameraOption && option <= kHeightOption; }

namespace {

// [NAME:]START-END as a stretch of the loaded axis.
bool readRegion(const std::string& text, int64_t& start, int64_t& end, std::string& error) {
  AxisRange range;
  // START-END alone: 1-based positions along the axis.
  size_t dash = text.find('-');
  int64_t first = 0, last = 0;
  if (text.find(':') == std::string::npos && dash != std::string::npos) {
    std::string a = text.substr(0, dash), b = text.substr(dash + 1);
    a.erase(std::remove(a.begin(), a.end(), ','), a.end());
    b.erase(std::remove(b.begin(), b.end(), ','), b.end());
    if (!readWholeInteger(a.c_str(), 1, INT32_MAX, first) || !readWholeInteger(b.c_str(), first, INT32_MAX, last))
      return refuse(error, "--region wants [NAME:]START-END (1-based, START <= END), not '%s'",
                    quotedForMessage(text).c_str());
    start = first - 1;
    end = last;
    return true;
  }
  std::string why;
  if (parsePlace(loadedSequences(), text, range, why) != PlaceAnswer::Found)
    return refuse(error, "--region: %s", why.c_str());  // why quotes the place, cut
  start = range.start;
  end = range.end;
  return true;
}

}  // namespace

bool takeViewOption(int option, const char* value, ViewOptions& options, std::string& error) {
  ViewState& view = options.view;
  int64_t number = 0;
  double real = 0;
  switch (option) {
    case kCameraOption:
      if (!readCamera(value, options))
        return refuse(error, "--camera wants X,Y,PITCH,YAW, four finite numbers, not '%s'", value);
      options.cameraGiven = true;
      break;
    case kThresholdOption:
      if (!readWholeNumber(value, -3.4e38, 3.4e38, real))
        return refuse(error, "--threshold wants a finite number, not '%s'", value);
      view.threshold = static_cast<float>(real);
      options.minLength = -1;
      break;
    case kMinLengthOption:
      if (!readWholeInteger(value, 0, INT32_MAX, number))
        return refuse(error, "--min-length wants a length in bases from 0 to 2147483647, not '%s'", value);
      options.minLength = number;
      break;
    case kMinIdentityOption: {
      uint16_t identity = parseIdentity(value);
      if (identity == kIdentityUnknown)
        return refuse(error, "--min-identity wants a percent from 0 to 100, not '%s'", value);
      view.minIdentity = identity;
      break;
    }
    case kWindowStartOption:
      if (!readWholeInteger(value, INT32_MIN, INT32_MAX, number))
        return refuse(error, "--window-start wants a 32-bit integer, not '%s'", value);
      view.windowMode = true;
      view.windowStart = static_cast<int32_t>(number);
      break;
    case kZoomStepsOption:
      if (!readWholeInteger(value, 0, 10000, number))
        return refuse(error, "--zoom-steps wants a count from 0 to 10000, not '%s'", value);
      options.zoomSteps = static_cast<int32_t>(number);
      break;
    case kMovesOption:
      if (!recordMovesValid(value))
        return refuse(error, "--moves wants runs like z2,x+120,y-40 (zoom steps, slides along x or y), not '%s'",
                             value);
      options.moves = value;
      break;
    case kPointsOption: view.pointStyle = true; break;
    case kNoFloorOption: view.showFloor = false; break;
    case kHudOption: view.hud = true; break;
    case kLinksOption: view.showLinks = true; break;
    case kColourOption: {
      int mode = -1;
      for (int i = 0; i < 3; ++i)
        if (std::strcmp(value, kColourNames[i]) == 0) mode = i;
      if (mode < 0) return refuse(error, "--colour wants bars, strand or identity, not '%s'", value);
      view.colourMode = mode;
      break;
    }
    case kPickOption:
      if (!readWholeInteger(value, 0, kTableSlots - 1, number))
        return refuse(error, "--pick wants a record slot from 0 to %d, not '%s'", kTableSlots - 1, value);
      view.pickedSlot = static_cast<int32_t>(number);
      options.pickGiven = true;
      break;
    case kGotoOption:
      options.gotoText.clear();
      options.gotoPosition = -1;
      // Only a bare number is a position: "23S_rRNA_3" is a feature's name.
      if (value[0] != '\0' && std::strspn(value, "0123456789") == std::strlen(value)) {
        if (!readWholeInteger(value, 0, INT32_MAX, number))
          return refuse(error, "--goto wants a position from 0 to 2147483647, not '%s'", value);
        options.gotoPosition = number;
      } else if (value[0] == '\0') {
        return refuse(error, "--goto wants a position or a sequence name, not ''");
      } else {
        options.gotoText = value;  // a name: placed once the sequences are loaded
      }
      break;
    case kCursorOption:
      if (std::strcmp(value, "free") != 0 && std::strcmp(value, "captured") != 0)
        return refuse(error, "--cursor wants free or captured, not '%s'", value);
      view.cursorFree = value[0] == 'f' ? 1 : 0;
      view.hasCursor = true;
      options.cursorGiven = true;
      break;
    case kRegionOption:
      if (value[0] == '\0') return refuse(error, "--region wants [NAME:]START-END, not ''");
      options.region = value;
      break;
    case kHeightOption:
      if (std::strcmp(value, "linear") != 0 && std::strcmp(value, "log") != 0)
        return refuse(error, "--height wants linear or log, not '%s'", value);
      view.logHeights = value[1] == 'o';
      break;
    case kAnnotationOption:
      options.annotations.push_back(value);
      view.annotations = &lanes;
      break;
    default: break;
  }
  return true;
}

bool loadViewAnnotations(const ViewOptions& options, std::string& error) {
  if (options.annotations == lanesRead) return true;
  lanes = AnnotationLanes{};
  lanesRead.clear();
  for (const std::string& path : options.annotations) {
    std::string summary;
    if (!loadAnnotation(lanes, path.c_str(), loadedSequences(), summary, error)) return false;
    std::fprintf(stderr, "%s\n", summary.c_str());
  }
  lanesRead = options.annotations;
  return true;
}

bool checkViewOptions(const ViewOptions& options, std::string& error) {
  if (options.cameraGiven && (options.gotoPosition >= 0 || !options.gotoText.empty()))
    return refuse(error, "--camera and --goto exclude each other");
  return true;
}

bool checkViewWork(const ViewOptions& options, int64_t bars, std::string& error) {
  AxisRange place;
  std::string why, note;
  if (!options.gotoText.empty() &&
      findPlace(loadedSequences(), lanes, options.gotoText, place, why, note) != PlaceAnswer::Found)
    return refuse(error, "--goto: %s", why.c_str());  // why quotes the place, cut
  int64_t start = 0, end = 0;
  if (!options.region.empty() && !readRegion(options.region, start, end, error)) return false;
  int64_t steps = options.zoomSteps + recordMoveSteps(options.moves.c_str());
  if (bars <= 0 || steps <= kMostStepBars / bars) return true;
  char stepText[32], barText[32], mostText[32];
  formatBases(steps, stepText, sizeof stepText);
  formatBases(bars, barText, sizeof barText);
  formatBases(kMostStepBars, mostText, sizeof mostText);
  return refuse(error, "--zoom-steps and --moves make %s steps over %s bars, more than the %s steps x bars "
                       "that take a few seconds",
                       stepText, barText, mostText);
}

float thresholdOfMinLength(int64_t minLength) {
  if (recordTable.maxLen <= 0) return ViewState{}.threshold;
  // The loader's own scaling of a length, then the float just below it.
  float scaled = static_cast<float>(static_cast<double>(static_cast<float>(minLength)) / (recordTable.maxLen / 7.0));
  return std::nextafter(scaled, -HUGE_VALF);
}

void applyView(const ViewOptions& options, ViewState& view, const ViewFit* fit) {
  if (options.minLength >= 0) view.threshold = thresholdOfMinLength(options.minLength);
  std::string unread;
  if (!options.region.empty() && !readRegion(options.region, view.regionStart, view.regionEnd, unread))
    view.regionStart = view.regionEnd = -1;
  // Which pairs are shown does not depend on where the records stand, so a fit knows before
  // any move whether it has anything to frame.
  FitBox box{};
  int64_t firstPos = 0, lastPos = 0;
  bool nothingShown = shownSlots(view).count == 0;
  if (fit != nullptr && (!nothingShown || emptyFrameExtent(view, box, firstPos, lastPos))) {
    // In place of --camera: the records framed as the moves leave them, then zoomed by the
    // fit's steps (or --zoom-steps).
    if (!options.moves.empty()) makeRecordMoves(options.moves, view);
    // With none shown, the axis they would stand on.
    if (nothingShown)
      emptyFrameExtent(view, box, firstPos, lastPos);
    else
      framedExtent(view, box, firstPos, lastPos);
    CameraFit placed = fitCamera(box, fit->frame, fit->aspect, options.zoomSteps > 0 ? options.zoomSteps : -1);
    for (int32_t i = 0; i < placed.zoomSteps; ++i) zoomStep(view);
    camera.camX = placed.camX;
    camera.camY = placed.camY;
    camera.pitch = placed.pitch;
    camera.yaw = placed.yaw;
  } else {
    for (int32_t i = 0; i < options.zoomSteps; ++i) zoomStep(view);
    if (!options.moves.empty()) makeRecordMoves(options.moves, view);
    if (options.cameraGiven) {
      camera.camX = options.camX;
      camera.camY = options.camY;
      camera.pitch = options.pitch;
      camera.yaw = options.yaw;
    }
  }
  // --goto excludes --camera: it faces the place from the front, or from the fit's side.
  Camera eye = fit != nullptr ? camera : frontCamera();
  AxisRange place;
  std::string why, note;
  int64_t target = options.gotoPosition;
  if (!options.gotoText.empty() &&
      findPlace(loadedSequences(), lanes, options.gotoText, place, why, note) == PlaceAnswer::Found)
    target = place.start;
  if (target >= 0)
    camera = cameraLookingAt(static_cast<double>(target) / positionsPerUnit(view.zoomSteps), 0, tallestBar(view), eye);
}

void resetView(const ViewOptions& start, ViewState& view) {
  ViewState kept = view;
  restoreLoadedPlaces();
  camera = Camera{};
  view = start.view;
  view.hud = kept.hud;
  view.showLinks = kept.showLinks;
  view.showLanes = kept.showLanes;
  view.colourMode = kept.colourMode;
  view.pointStyle = kept.pointStyle;
  view.showFloor = kept.showFloor;
  view.cursorFree = kept.cursorFree;
  view.hasCursor = kept.hasCursor;
  view.pickedSlot = kept.pickedSlot;
  view.promptLine = kept.promptLine;
  view.promptTypedFrom = kept.promptTypedFrom;
  view.promptTypedTo = kept.promptTypedTo;
  view.pointerX = kept.pointerX;
  view.pointerY = kept.pointerY;
  view.fileName = kept.fileName;
  applyView(start, view);
}

std::string formatViewOptions(const ViewState& view, const Camera& eye) {
  std::string out = "--camera " + exactFloat(eye.camX) + "," + exactFloat(eye.camY) + "," + exactFloat(eye.pitch) +
                    "," + exactFloat(eye.yaw);
  if (view.threshold != ViewState{}.threshold) out += " --threshold " + exactFloat(view.threshold);
  if (view.minIdentity != 0) {
    char percent[16];
    std::snprintf(percent, sizeof percent, "%u.%02u", view.minIdentity / 100u, view.minIdentity % 100u);
    out += std::string(" --min-identity ") + percent;
  }
  if (view.windowMode) out += " --window-start " + std::to_string(view.windowStart);
  if (view.regionStart >= 0)
    out += " --region " + std::to_string(view.regionStart + 1) + "-" + std::to_string(view.regionEnd);
  if (farPartSlid())
    out += " --moves " + describeRecordMoves();
  else if (view.zoomSteps != 0)
    out += " --zoom-steps " + std::to_string(view.zoomSteps);
  if (view.logHeights) out += " --height log";
  if (view.pointStyle) out += " --points";
  if (!view.showFloor) out += " --no-floor";
  if (view.hud) out += " --hud";
  if (view.showLinks) out += " --links";
  if (view.colourMode > 0 && view.colourMode < 3) out += std::string(" --colour ") + kColourNames[view.colourMode];
  if (view.hud && view.pickedSlot != 0) out += " --pick " + std::to_string(view.pickedSlot);
  if (view.annotations != nullptr && view.showLanes)
    for (const std::string& path : lanesRead) out += " --annotation " + path;
  if (view.hud && view.hasCursor) out += view.cursorFree != 0 ? " --cursor free" : " --cursor captured";
  return out;
}

const char* fileLabel(const char* path) {
  const char* label = path;
  for (const char* p = path; *p != '\0'; ++p)
    if (*p == '/' || *p == '\\') label = p + 1;
  return label;
}
