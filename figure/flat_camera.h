// The flat side view of figures and what a figure's marks need to know of its view: the
// orthographic frame round the shown pairs or the --region, the sequence the ticks count
// along, the legends the colours call for. The viewer could place the same camera.
#pragma once

#include <cstdint>
#include <string>

#include "camera_fit.h"
#include "figure_marks.h"
#include "scene_frame.h"
#include "view_state.h"

struct FigureView {
  int zoomSteps = 0;
  int64_t firstPos = 0, lastPos = -1;  // none drawn: an empty range
  float axisY = 0.1f;                  // the first row
  float tallest = 0;
  bool flat = false;                   // the orthographic side view, placed below
  double eye[4] = {0, 0, 0, 0};        // its eye-space left, right, bottom, top
  int scissor[4] = {0, 0, 0, 0};       // the frame in pixels, from the bottom left
  FitFrame frame{};
  int64_t labelOrigin = 0;             // ticks count along this sequence, 1-based
  std::string axisName;
  bool sequenceNames = false;          // several sequences on the axis: mark and name them
  int64_t heightFloorBases = 0;        // log heights: the length at the frame's floor
  double floorZ = 0;                   // and its height
  int hudRows = 0;
  bool strandLegend = false, identityLegend = false;
  bool sameStrandShown = true, invertedShown = true;
  int identityLow = 0, identityHigh = 0;
  bool nothingShown = false;
};

// The sequence a region lies in, when it lies in one: its ticks count from its start.
void nameRegion(const ViewState& view, FigureView& figure);

// That region's name, or, on an axis of several sequences, their names along it.
void nameSequences(const ViewState& view, FigureView& figure);

// On the log scale, the frame's floor: the shortest shown length rounded down to 1, 2 or 5
// times a power of ten, so no height is left empty under the shortest bar.
void chooseHeightFloor(const ViewState& view, FigureView& figure);

// What the colours of the drawn bars and links need explaining (the strands among them), and the identities shown.
void chooseLegends(const ViewState& view, FigureView& figure);

// The side view looks along +y, level, from in front of every row: x across, z up. Sets
// the camera and the figure's eye-space bounds and scissor box.
void placeFlatView(const FitBox& box, const FitFrame& frame, const ViewState& view, int width, int height,
                   FigureView& figure);

// Lines about a pixel wide at the viewer's 992 and four at 3840, so printed bars stay solid.
float figureLineWidth(int width);

// The scene's look for this figure: its frame, its lines, white for print if asked.
SceneLook figureLook(const FigureView& figure, bool white, int width);

// The marks' input for a figure drawn with this matrix (projection and camera).
MarkInput figureMarkInput(const FigureView& figure, const ViewState& view, const float matrix[16], int width,
                          int height, bool annotate, const std::string& title);
