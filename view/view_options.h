// The view options every program that draws the scene takes (the viewer, quelvar-snapshot):
// camera, threshold, window, zoom, display aids. Long names only, like the pair-file
// options: a parser lists QUELVAR_VIEW_LONG_OPTIONS in its getopt_long table and hands what
// they return to takeViewOption; after loading, applyView makes the view, for the viewer
// and every picture alike. What formatViewOptions writes, parsed again, makes the same
// frame. Errors come back as text for the program to report its own way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera.h"
#include "camera_fit.h"
#include "view_state.h"

enum ViewOption : int {
  kCameraOption = 0x1100,
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
  kGotoOption,
  kCursorOption,
  kAnnotationOption,
  kRegionOption,
  kHeightOption,
};

#define QUELVAR_VIEW_LONG_OPTIONS                                  \
  {"camera", required_argument, nullptr, kCameraOption},           \
  {"threshold", required_argument, nullptr, kThresholdOption},     \
  {"min-length", required_argument, nullptr, kMinLengthOption},    \
  {"min-identity", required_argument, nullptr, kMinIdentityOption}, \
  {"window-start", required_argument, nullptr, kWindowStartOption}, \
  {"zoom-steps", required_argument, nullptr, kZoomStepsOption},    \
  {"moves", required_argument, nullptr, kMovesOption},             \
  {"points", no_argument, nullptr, kPointsOption},                 \
  {"no-floor", no_argument, nullptr, kNoFloorOption},              \
  {"hud", no_argument, nullptr, kHudOption},                       \
  {"links", no_argument, nullptr, kLinksOption},                   \
  {"colour", required_argument, nullptr, kColourOption},           \
  {"pick", required_argument, nullptr, kPickOption},               \
  {"goto", required_argument, nullptr, kGotoOption},              \
  {"cursor", required_argument, nullptr, kCursorOption},          \
  {"annotation", required_argument, nullptr, kAnnotationOption},  \
  {"region", required_argument, nullptr, kRegionOption},           \
  {"height", required_argument, nullptr, kHeightOption}

// What the options ask for: the view's switches directly, and what can only be made once
// the records are loaded (zoom steps, moves, camera, a threshold in bases).
struct ViewOptions {
  ViewState view;             // threshold, points, floor, window, hud, links, colour, pick, identity
  int32_t zoomSteps = 0;      // --zoom-steps
  std::string moves;          // --moves, made after the zoom steps
  bool cameraGiven = false;   // --camera
  float camX = 0, camY = 0, pitch = 0, yaw = 0;
  int64_t minLength = -1;     // --min-length in bases; -1: not given
  int64_t gotoPosition = -1;  // --goto POS; -1: not given
  std::string gotoText;       // --goto NAME[:POS] or NAME:START-END, placed once loaded (at its start)
  bool pickGiven = false;     // --pick
  bool cursorGiven = false;   // --cursor
  std::vector<std::string> annotations;  // --annotation FILE, in order: one lane each
  std::string region;         // --region [NAME:]START-END, placed once the sequences are loaded
};

// Their lines for a --help text.
extern const char kViewOptionsHelp[];

bool isViewOption(int option);

// Takes one of them with its value. False, with the reason in error, for a bad value.
bool takeViewOption(int option, const char* value, ViewOptions& options, std::string& error);

// After the whole command line: options that exclude each other. False with the reason.
bool checkViewOptions(const ViewOptions& options, std::string& error);

// The largest side of a picture quelvar-snapshot draws.
constexpr int kMostPictureSide = 8192;

// Zoom steps and moves touch every bar once a step: more step-bars than this in all would
// take longer than a few seconds, and are refused.
constexpr int64_t kMostStepBars = 1000000000;

// After loading the pairs and the annotation, with the count of bars: false (with the
// reason) when --zoom-steps and --moves ask for more than kMostStepBars, or --goto names no
// place of the loaded sequences and no feature.
bool checkViewWork(const ViewOptions& options, int64_t bars, std::string& error);

// A camera placed side-on to show every shown pair whole (quelvar-snapshot's --fit): where
// in the picture they go and the picture's width / height.
struct ViewFit {
  FitFrame frame;
  double aspect;
};

// After the records are loaded and normalised, with the camera at its start: the threshold
// from --min-length, then the zoom steps and moves on the records, then the camera (from
// --camera; else fitted, when fit is given: to the shown pairs, or with none shown to the
// axis they would stand on; then moved by --goto). With
// a fit the zoom steps are the fit's choice unless --zoom-steps asks for some. view starts
// as options.view.
void applyView(const ViewOptions& options, ViewState& view, const ViewFit* fit = nullptr);

// R: the records back where the load left them, the camera at its start, then the start
// options made again. The display switches (HUD, links, colours, points, floor), the cursor,
// the picked bar and the file name stay as they are.
void resetView(const ViewOptions& start, ViewState& view);

// The threshold that shows pairs of minLength bases and longer: just below the scaled
// length of such a pair, so the strict test keeps a pair of exactly minLength.
float thresholdOfMinLength(int64_t minLength);

// After loading the pairs: reads the --annotation files onto their axis as the lanes
// view.annotations points to (again only when the files asked for differ from the last
// ones), each file's summary on standard error. False, with the reason, for a file that
// cannot be read or is no annotation.
bool loadViewAnnotations(const ViewOptions& options, std::string& error);

// The options that make this view and camera again on the same records, as command-line
// words joined by spaces (values needing no quotes).
std::string formatViewOptions(const ViewState& view, const Camera& eye);

// The last part of a path, as the HUD names the file.
const char* fileLabel(const char* path);
