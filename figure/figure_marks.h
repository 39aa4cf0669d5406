// The annotations of a figure laid out in picture pixels (origin top left, y down): position
// ticks on the axis, the height legend, the title. Placed by projecting world points with the
// matrix the bars were drawn with, so a tick stands where a bar at that position stands.
// No GL (text widths come from the shared rasteriser's metrics); the PNG and SVG writers
// both draw from this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "annotation_lanes.h"
#include "camera_fit.h"
#include "draw_list.h"
#include "sequence_axis.h"

struct MarkLine {
  float x0, y0, x1, y1;
};

struct MarkText {
  float x, y;  // y is the baseline
  float size;  // line height in pixels, ascent to descent
  TextAnchor anchor;
  std::string text;
};

// A filled box: an annotation feature, a legend swatch, a step of a gradient.
struct MarkRect {
  float x, y, w, h;  // top left corner and size
  uint8_t rgb[3];
};

struct FigureMarks {
  float lineWidth = 1;
  std::vector<MarkRect> rects;  // drawn first
  std::vector<MarkLine> lines;
  std::vector<MarkText> texts;
};

struct MarkInput {
  int width, height;
  float matrix[16];  // projection and camera, column-major, as the bars were drawn
  int zoomSteps;
  int64_t firstPos, lastPos;  // the range of the axis
  float axisY;                // the axis runs along the first row of bars, where they stand
  double lengthScale;         // bases that stand kFullHeight high
  float tallest;              // height of the tallest bar drawn: the legend goes no higher
  bool clipped;               // some pairs are longer than lengthScale and stand at 7
  bool annotate;
  bool nothingShown = false;  // said in the middle of the frame, over the axis still drawn
  std::string title;
  // The flat side view: the axis, ticks and height scale go round the frame, the lanes
  // under the axis and the colour legends above the frame.
  bool flat = false;
  FitFrame frame{};                 // where the bars stand, in normalised device coordinates
  bool logHeights = false;          // the height scale ticked 10 bp, 20 bp, 50 bp, 100 bp, ...
  int64_t heightFloorBases = 0;     // on the log scale, the length at the frame's floor
  int64_t labelOrigin = 0;          // a tick's label is its axis position less this
  std::string axisName;             // the sequence the labels count along; empty: the axis
  const SequenceAxis* sequences = nullptr;  // several laid end to end: their starts marked and named
  const AnnotationLanes* lanes = nullptr;
  bool strandLegend = false;        // bars or links coloured by strand, of these strands
  bool sameStrandShown = true, invertedShown = true;
  bool identityLegend = false;      // bars coloured by identity, over this range (hundredths)
  int identityLow = 0, identityHigh = 0;
  uint32_t densest = 0;             // a drawn bar stood for up to this many: the shade's legend
  int hudRows = 0;                  // lines of HUD text over the top left
};

// Text line height for a picture: grows with the picture so text stays legible at any size.
float figureTextSize(int width, int height);

// The part of the picture --fit leaves to the bars, in normalised device coordinates, so
// that the annotations have room around them.
FitFrame figureFitFrame(int width, int height, bool annotate, bool titled);

// The flat view's frame: room for the height scale on the left, the legend rows and the
// HUD's lines above, the ticks, the sequence's name and lanes lanes below.
FitFrame flatFitFrame(int width, int height, bool annotate, bool titled, bool legendRow, bool named, int lanes,
                      int hudRows);

FigureMarks layoutFigureMarks(const MarkInput& in);

// The marks as the draw list's picture items: boxes, then lines, then text, as they overlap.
void addFigureMarks(DrawList& list, const FigureMarks& marks);
