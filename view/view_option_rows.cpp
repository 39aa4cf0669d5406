// The view options as rows: each option's parser, its writer and its help lines side by
// side, so what one reads the other writes.
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "axis_scale.h"
#include "option_words.h"
#include "pair_traits.h"
#include "record_places.h"
#include "record_table.h"
#include "view_options.h"

#include "file_kinds.h"
#include "flight.h"
#include "whole_numbers.h"

namespace {

const char* const kColourNames[] = {"bars", "strand", "identity"};

bool readFloat(const char*& text, char stop, float& value) {
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || !std::isfinite(v) || std::fabs(v) > 3.4e38 || *end != stop) return false;
  value = static_cast<float>(v);
  text = *end == '\0' ? end : end + 1;
  return true;
}

// The shortest decimal that the parsers here read back as the same float32, without an
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

// The shortest decimal that reads back as the same double.
std::string exactDouble(double value) {
  char text[64];
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

// X,Y,PITCH,YAW, then optionally the height and the origin X counts from.
bool takeCamera(ViewOptions& options, const char* value, std::string& error) {
  const char* text = value;
  options.altitude = Camera{}.camZ;
  options.originX = 0;
  bool read = readFloat(text, ',', options.camX) && readFloat(text, ',', options.camY) &&
              readFloat(text, ',', options.pitch);
  if (read && std::strchr(text, ',') == nullptr) {
    read = readFloat(text, '\0', options.yaw);
  } else if (read) {
    read = readFloat(text, ',', options.yaw);
    if (read && std::strchr(text, ',') == nullptr) {
      read = readFloat(text, '\0', options.altitude);
    } else if (read) {
      char* end = nullptr;
      read = readFloat(text, ',', options.altitude);
      if (read) options.originX = std::strtod(text, &end);
      read = read && end != text && *end == '\0' && std::isfinite(options.originX) && std::fabs(options.originX) < 1e12;
    }
  }
  if (!read)
    return refuseOption(error, "--camera wants X,Y,PITCH,YAW[,HEIGHT[,ORIGIN]], finite numbers, not '%s'", value);
  if (!(options.altitude >= kLowestAltitude && options.altitude <= kHighestAltitude))
    return refuseOption(error, "--camera wants a HEIGHT from %g to %g, not '%s'", static_cast<double>(kLowestAltitude),
                        static_cast<double>(kHighestAltitude), value);
  options.cameraGiven = true;
  return true;
}
void writeCamera(const ViewOptions& options, std::string& line) {
  if (!options.cameraGiven) return;
  std::string text = exactFloat(options.camX) + "," + exactFloat(options.camY) + "," + exactFloat(options.pitch) + "," +
                     exactFloat(options.yaw);
  // The height and the origin only where the camera left the start's height or its origin.
  if (options.altitude != Camera{}.camZ || options.originX != 0) text += "," + exactFloat(options.altitude);
  if (options.originX != 0) text += "," + exactDouble(options.originX);
  writeValue(line, "camera", text);
}

bool takeGoto(ViewOptions& options, const char* value, std::string& error) {
  options.gotoText.clear();
  options.gotoPosition = -1;
  int64_t number = 0;
  // Only a bare number is a position (1-based): "23S_rRNA_3" is a feature's name.
  if (value[0] != '\0' && std::strspn(value, "0123456789") == std::strlen(value)) {
    if (!readWholeInteger(value, 1, typedOfAxis(INT32_MAX), number))
      return refuseOption(error, "--goto wants a position from 1 to 2147483648, not '%s'", value);
    options.gotoPosition = axisOfTyped(number);
  } else if (value[0] == '\0') {
    return refuseOption(error, "--goto wants a position or a sequence name, not ''");
  } else {
    options.gotoText = value;  // a name: placed once the sequences are loaded
  }
  return true;
}
void writeGoto(const ViewOptions& options, std::string& line) {
  if (options.gotoPosition >= 0) writeValue(line, "goto", std::to_string(typedOfAxis(options.gotoPosition)));
  if (!options.gotoText.empty()) writeValue(line, "goto", options.gotoText);
}

bool takeThreshold(ViewOptions& options, const char* value, std::string& error) {
  double real = 0;
  if (!readWholeNumber(value, -3.4e38, 3.4e38, real))
    return refuseOption(error, "--threshold wants a finite number, not '%s'", value);
  options.view.filter.threshold = static_cast<float>(real);
  options.minLength = -1;
  return true;
}
void writeThreshold(const ViewOptions& options, std::string& line) {
  if (options.view.filter.threshold != ViewFilter{}.threshold)
    writeValue(line, "threshold", exactFloat(options.view.filter.threshold));
}

bool takeMinLength(ViewOptions& options, const char* value, std::string& error) {
  if (!readWholeInteger(value, 0, INT32_MAX, options.minLength)) {
    options.minLength = -1;
    return refuseOption(error, "--min-length wants a length in bases from 0 to 2147483647, not '%s'", value);
  }
  return true;
}
void writeMinLength(const ViewOptions& options, std::string& line) {
  if (options.minLength >= 0) writeValue(line, "min-length", std::to_string(options.minLength));
}

bool takeMinIdentity(ViewOptions& options, const char* value, std::string& error) {
  uint16_t identity = parseIdentity(value);
  if (identity == kIdentityUnknown)
    return refuseOption(error, "--min-identity wants a percent from 0 to 100, not '%s'", value);
  options.view.filter.minIdentity = identity;
  return true;
}
void writeMinIdentity(const ViewOptions& options, std::string& line) {
  uint16_t identity = options.view.filter.minIdentity;
  if (identity == 0) return;
  char percent[16];
  std::snprintf(percent, sizeof percent, "%u.%02u", identity / 100u, identity % 100u);
  writeValue(line, "min-identity", percent);
}

bool takeWindowStart(ViewOptions& options, const char* value, std::string& error) {
  int64_t number = 0;
  // 1-based like every position typed; the window itself may start anywhere in 32 bits.
  if (!readWholeInteger(value, typedOfAxis(INT32_MIN), typedOfAxis(INT32_MAX), number))
    return refuseOption(error, "--window-start wants a position from -2147483647 to 2147483648, not '%s'", value);
  options.view.filter.windowMode = true;
  options.view.filter.windowStart = static_cast<int32_t>(axisOfTyped(number));
  return true;
}
void writeWindowStart(const ViewOptions& options, std::string& line) {
  if (options.view.filter.windowMode)
    writeValue(line, "window-start", std::to_string(typedOfAxis(options.view.filter.windowStart)));
}

bool takeZoomSteps(ViewOptions& options, const char* value, std::string& error) {
  int64_t number = 0;
  if (!readWholeInteger(value, 0, 10000, number))
    return refuseOption(error, "--zoom-steps wants a count from 0 to 10000, not '%s'", value);
  options.zoomSteps = static_cast<int32_t>(number);
  return true;
}
void writeZoomSteps(const ViewOptions& options, std::string& line) {
  if (options.zoomSteps != 0) writeValue(line, "zoom-steps", std::to_string(options.zoomSteps));
}

bool takeMoves(ViewOptions& options, const char* value, std::string& error) {
  if (!recordMovesValid(value))
    return refuseOption(error, "--moves wants runs like z2,x+120,y-40 (zoom steps, slides along x or y), not '%s'", value);
  options.moves = value;
  return true;
}
void writeMoves(const ViewOptions& options, std::string& line) {
  if (!options.moves.empty()) writeValue(line, "moves", options.moves);
}

bool takePoints(ViewOptions& options, const char*, std::string&) {
  options.view.look.pointStyle = true;
  return true;
}
void writePoints(const ViewOptions& options, std::string& line) {
  if (options.view.look.pointStyle) writeFlag(line, "points");
}

bool takeNoFloor(ViewOptions& options, const char*, std::string&) {
  options.view.look.showFloor = false;
  return true;
}
void writeNoFloor(const ViewOptions& options, std::string& line) {
  if (!options.view.look.showFloor) writeFlag(line, "no-floor");
}

bool takeHud(ViewOptions& options, const char*, std::string&) {
  options.view.look.hud = true;
  return true;
}
void writeHud(const ViewOptions& options, std::string& line) {
  if (options.view.look.hud) writeFlag(line, "hud");
}

bool takeLinks(ViewOptions& options, const char*, std::string&) {
  options.view.look.showLinks = true;
  return true;
}
void writeLinks(const ViewOptions& options, std::string& line) {
  if (options.view.look.showLinks) writeFlag(line, "links");
}

bool takeColour(ViewOptions& options, const char* value, std::string& error) {
  for (int mode = 0; mode < 3; ++mode)
    if (std::strcmp(value, kColourNames[mode]) == 0) {
      options.view.look.colourMode = mode;
      return true;
    }
  return refuseOption(error, "--colour wants bars, strand or identity, not '%s'", value);
}
void writeColour(const ViewOptions& options, std::string& line) {
  int32_t mode = options.view.look.colourMode;
  if (mode > 0 && mode < 3) writeValue(line, "colour", kColourNames[mode]);
}

bool takePick(ViewOptions& options, const char* value, std::string& error) {
  int64_t number = 0;
  // A named file's store numbers its slots past the table's.
  if (!readWholeInteger(value, 0, INT32_MAX - 1, number))
    return refuseOption(error, "--pick wants a record slot from 0 to %d, not '%s'", INT32_MAX - 1, value);
  options.view.input.pickedSlot = static_cast<int32_t>(number);
  options.pickGiven = true;
  return true;
}
void writePick(const ViewOptions& options, std::string& line) {
  if (options.pickGiven) writeValue(line, "pick", std::to_string(options.view.input.pickedSlot));
}

bool takeCursor(ViewOptions& options, const char* value, std::string& error) {
  if (std::strcmp(value, "free") != 0 && std::strcmp(value, "captured") != 0)
    return refuseOption(error, "--cursor wants free or captured, not '%s'", value);
  options.view.input.cursorFree = value[0] == 'f' ? 1 : 0;
  options.view.input.hasCursor = true;
  options.cursorGiven = true;
  return true;
}
void writeCursor(const ViewOptions& options, std::string& line) {
  if (options.cursorGiven) writeValue(line, "cursor", options.view.input.cursorFree != 0 ? "free" : "captured");
}

bool takeRegion(ViewOptions& options, const char* value, std::string& error) {
  if (value[0] == '\0') return refuseOption(error, "--region wants [NAME:]START-END, not ''");
  options.region = value;
  return true;
}
void writeRegion(const ViewOptions& options, std::string& line) {
  if (!options.region.empty()) writeValue(line, "region", options.region);
}

bool takeAnnotation(ViewOptions& options, const char* value, std::string&) {
  options.annotations.push_back(value);
  options.view.annotations = viewLanes();
  return true;
}
void writeAnnotation(const ViewOptions& options, std::string& line) {
  for (const std::string& path : options.annotations) writeValue(line, "annotation", path);
}

bool takeHeight(ViewOptions& options, const char* value, std::string& error) {
  if (std::strcmp(value, "linear") != 0 && std::strcmp(value, "log") != 0)
    return refuseOption(error, "--height wants linear or log, not '%s'", value);
  options.view.look.logHeights = value[1] == 'o';
  return true;
}
void writeHeight(const ViewOptions& options, std::string& line) {
  if (options.view.look.logHeights) writeValue(line, "height", "log");
}

bool takeLayout(ViewOptions& options, const char* value, std::string& error) {
  if (std::strcmp(value, "bars") != 0 && std::strcmp(value, "dotplot") != 0)
    return refuseOption(error, "--layout wants bars or dotplot, not '%s'", value);
  options.view.look.dotPlot = value[0] == 'd';
  return true;
}
void writeLayout(const ViewOptions& options, std::string& line) {
  if (options.view.look.dotPlot) writeValue(line, "layout", "dotplot");
}

// Made on first use from the file-kind table, so a new annotation format is listed here too.
const char* annotationHelp() {
  static const std::string help =
      "      --annotation FILE     a lane of features on the ground in front of the rows, coloured\n"
      "                            by type or repeat class, on the pairs' sequences; repeatable;\n"
      "                            at most 10,000,000 features a file, identical ones merged;\n"
      "                            read as " +
      kindList(FileFamily::Annotation, &FileKind::help, " or ") + " (gzip too)\n";
  return help.c_str();
}

const OptionRow<ViewOptions> kRows[] = {
    {"camera", true, kCameraOption, takeCamera, writeCamera,
     "      --camera X,Y,PITCH,YAW[,HEIGHT[,ORIGIN]]\n"
     "                            camera position and angles in degrees: pitch 0 looks\n"
     "                            straight down, 90 level; yaw turns about the vertical axis;\n"
     "                            HEIGHT 0.001 to 200000, else 2; the camera stands at\n"
     "                            ORIGIN + X (start camera -1,-1,70,-60)\n"},
    {"goto", true, kGotoOption, takeGoto, writeGoto,
     "      --goto PLACE          the start camera's height and tilt facing PLACE from the\n"
     "                            front, the tallest bar there whole in the middle of the\n"
     "                            picture. PLACE: an axis position, a sequence NAME, NAME:POS\n"
     "                            or NAME:START-END (positions 1-based, as genome browsers\n"
     "                            write them), or the name of an --annotation feature\n"},
    {"threshold", true, kThresholdOption, takeThreshold, writeThreshold,
     "      --threshold T         bars are drawn when their scaled length (0 to 7) is above T\n"
     "                            (default 0.03)\n"},
    {"min-length", true, kMinLengthOption, takeMinLength, writeMinLength,
     "      --min-length BP       the threshold in bases: pairs of BP and longer are drawn\n"},
    {"min-identity", true, kMinIdentityOption, takeMinIdentity, writeMinIdentity,
     "      --min-identity PCT    pairs below PCT percent identity are hidden (pairs without\n"
     "                            identity stay)\n"},
    {"window-start", true, kWindowStartOption, takeWindowStart, writeWindowStart,
     "      --window-start N      window mode, showing the pairs that touch N..N+100000\n"
     "                            (1-based)\n"},
    {"zoom-steps", true, kZoomStepsOption, takeZoomSteps, writeZoomSteps,
     "      --zoom-steps N        compress the axis as N presses of N would (0 to 10000)\n"},
    {"moves", true, kMovesOption, takeMoves, writeMoves,
     "      --moves LIST          zoom steps and far-part slides in the order made, as the\n"
     "                            viewer's P writes them: z2,x+120,y-40; with --zoom-steps,\n"
     "                            at most 1,000,000,000 steps x bars loaded in all (date.txt;\n"
     "                            a named FILE's steps move no bar)\n"},
    {"points", false, kPointsOption, takePoints, writePoints,
     "      --points              points instead of lines\n"},
    {"no-floor", false, kNoFloorOption, takeNoFloor, writeNoFloor,
     "      --no-floor            no floor\n"},
    {"hud", false, kHudOption, takeHud, writeHud,
     "      --hud                 the heads-up display: what is loaded, the threshold in\n"
     "                            bases, the camera's position, the axis ruler\n"},
    {"links", false, kLinksOption, takeLinks, writeLinks,
     "      --links               an arc joining the two bars of every shown pair\n"},
    {"colour", true, kColourOption, takeColour, writeColour,
     "      --colour MODE         bar colours: bars (as drawn by default), strand or identity\n"},
    {"pick", true, kPickOption, takePick, writePick,
     "      --pick SLOT           the bar in this record slot is the picked one (HUD)\n"},
    {"cursor", true, kCursorOption, takeCursor, writeCursor,
     "      --cursor STATE        free or captured: the viewer starts so, and the HUD says so\n"},
    {"region", true, kRegionOption, takeRegion, writeRegion,
     "      --region [NAME:]START-END  only the pairs with an end in that stretch (1-based;\n"
     "                            without NAME, along the whole axis)\n"},
    {"annotation", true, kAnnotationOption, takeAnnotation, writeAnnotation, annotationHelp()},
    {"height", true, kHeightOption, takeHeight, writeHeight,
     "      --height linear|log   bar height by length (default) or by log10 of the length,\n"
     "                            so short repeats stay visible beside long ones\n"},
    {"layout", true, kLayoutOption, takeLayout, writeLayout,
     "      --layout bars|dotplot  two bars a pair on the axis (default), or the dot plot: the\n"
     "                            ground is one copy's position against the other's, each pair\n"
     "                            a ribbon on its alignment's segment, as high as a bar (key V)\n"},
};

}  // namespace

const OptionRows<ViewOptions> kViewOptionRows = optionRows(kRows);

std::string viewOptionsHelp() { return optionsHelp(kViewOptionRows); }

bool isViewOption(int option) { return kViewOptionRows.find(option) != nullptr; }

bool takeViewOption(int option, const char* value, ViewOptions& options, std::string& error) {
  const OptionRow<ViewOptions>* row = kViewOptionRows.find(option);
  return row == nullptr || row->take(options, value, error);
}
