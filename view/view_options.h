// The view options every program that draws the scene takes (the viewer, quelvar-snapshot;
// quelvar-summary its filters): camera, threshold, window, zoom, display aids. Each is one
// row of kViewOptionRows (option_row.h): its name, its parser into ViewOptions, its
// shell-quoted writer and its --help lines, so the getopt_long tables, the help texts and
// P's command all come from one list. Long names only, like the pair-file options. Errors
// come back as text for the program to report its own way.
//
// This header gathers the parts that act on ViewOptions once parsed: the checks
// (view_option_checks.h), the annotation lanes (view_annotations.h), applying a view
// (view_apply.h) and writing a drawn view back (view_capture.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "option_row.h"
#include "view_state.h"
// The parts that act on parsed options, for every program that takes them.
#include "file_label.h"
#include "view_annotations.h"
#include "view_apply.h"
#include "view_capture.h"
#include "view_option_checks.h"

enum ViewOption : int {
  kCameraOption = 0x1100,
  kGotoOption,
  kThresholdOption,
  kMinLengthOption,
  kMinIdentityOption,
  kWindowStartOption,
  kZoomStepsOption,
  kMovesOption,
  kPointsOption,
  kNoFloorOption,
  kHudOption,
  kLinksOption,
  kColourOption,
  kPickOption,
  kCursorOption,
  kRegionOption,
  kAnnotationOption,
  kHeightOption,
  kLayoutOption,
};

// What the options ask for: the view's switches directly, and what can only be made once
// the records are loaded (zoom steps, moves, camera, a threshold in bases).
struct ViewOptions {
  ViewState view;             // threshold, points, floor, window, hud, links, colour, pick, identity,
                              // height scale, cursor
  int32_t zoomSteps = 0;      // --zoom-steps
  std::string moves;          // --moves, made after the zoom steps
  bool cameraGiven = false;   // --camera
  float camX = 0, camY = 0, pitch = 0, yaw = 0;
  float altitude = 2;         // --camera's fifth value, the camera's height
  double originX = 0;         // its sixth: the camera stands at originX + camX
  int64_t minLength = -1;     // --min-length in bases; -1: not given
  int64_t gotoPosition = -1;  // --goto POS; -1: not given
  std::string gotoText;       // --goto NAME[:POS] or NAME:START-END, placed once loaded (at its start)
  bool pickGiven = false;     // --pick
  bool cursorGiven = false;   // --cursor
  std::vector<std::string> annotations;  // --annotation FILE, in order: one lane each
  std::string region;         // --region [NAME:]START-END, placed once the sequences are loaded
};

extern const OptionRows<ViewOptions> kViewOptionRows;

// Their lines for a --help text.
std::string viewOptionsHelp();

bool isViewOption(int option);

// Takes one of them with its value. False, with the reason in error, for a bad value.
bool takeViewOption(int option, const char* value, ViewOptions& options, std::string& error);

// The largest side of a picture quelvar-snapshot draws, and so of one P's command can draw again.
constexpr int kMostPictureSide = 8192;
