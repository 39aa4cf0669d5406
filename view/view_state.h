// The viewer's interactive switches and values, in three parts: which pairs are shown (the
// filter), how the picture looks, and what the keys and the pointer are in the middle of.
// The shell owns the one instance and the controls change it; the drawing passes are handed
// it, so the scene never reaches up into the shell. R keeps the look and the input and
// makes the filter again from the start options.
#pragma once

#include <cstdint>

struct AnnotationLanes;

// Which pairs are shown: everything pair_shown's rule and its cache depend on.
struct ViewFilter {
  float threshold = 0.03f;   // a bar is drawn only if its normalised length is greater
  uint16_t minIdentity = 0;  // hundredths of a percent: pairs known to be less alike are hidden
  bool windowMode = false;   // the 100,000-position window instead of all bars
  int32_t windowStart = 0;   // first position of the window
  // --region: only pairs with an end in [regionStart, regionEnd) of the axis; -1: all.
  int64_t regionStart = -1;
  int64_t regionEnd = -1;
};

// How the shown pairs are drawn. Beyond pointStyle and showFloor these are aids for finding
// one's way, all opt-in: at their defaults the picture is the original one.
struct ViewLook {
  bool pointStyle = false;   // all-bars pass draws points instead of lines
  bool showFloor = true;
  bool hud = false;        // text, axis ruler and the picked pair's highlight
  bool showLinks = false;  // a ground arc joining the two bars of every shown pair
  int32_t colourMode = 0;  // pair_colours.h: the pass's own, by strand, by identity
  bool showLanes = true;   // F
  // --height log: bars stand by log10 of their length (bar_height.h).
  bool logHeights = false;
  double heightBases = 0;  // bases that stand 7 high; 0: the list's longest
  // A side view sees the ground edge-on: links then stand upright over the axis, the
  // widest reaching this high; 0 keeps them on the ground.
  float linkRise = 0;
  float linkFloor = 0;  // and stand on this height, a log scale's floor
  // A figure that draws its own ticks and legends: the HUD keeps to its text and the pick.
  bool figureHud = false;
  // --layout dotplot: the ground is the plane of the dot plot, each pair a ribbon standing
  // on its alignment's segment (scene/dot_plot.h).
  bool dotPlot = false;
};

// The arrow keys' toggles and the keypad's spare pair: while set, an arrow's slides the far
// part every frame; in window mode it moves the window (Up and Down once a press).
struct ArrowFlags {
  bool moveRight = false;
  bool moveLeft = false;
  bool jumpForward = false;
  bool jumpBack = false;
  bool auxRight = false;     // a third toggle pair that nothing reads
  bool auxLeft = false;
};

// What the keys and the pointer are in the middle of.
struct ViewInput {
  int32_t cursorFree = 0;            // 0: captured, the mouse turns the camera; 1: free and visible
  bool hasCursor = false;            // the HUD tells the cursor's state: the viewer, or --cursor
  int32_t pointerX = -1;             // the free cursor in client pixels, for what lies under it;
  int32_t pointerY = -1;             // -1 when captured or not the viewer's
  int32_t pickedSlot = 0;            // the picked bar's slot; 0 for none
  const char* promptLine = nullptr;  // the go-to prompt's line while it is open
  int32_t promptTypedFrom = 0;       // its typed text's bytes, which scroll when the
  int32_t promptTypedTo = 0;         // line is too long for the picture
  ArrowFlags arrows;
};

struct ViewState {
  ViewFilter filter;
  ViewLook look;
  ViewInput input;
  int32_t zoomSteps = 0;                         // each scaled every record's x by 0.9
  const char* fileName = "";                     // the pair file, named in the HUD
  const AnnotationLanes* annotations = nullptr;  // --annotation files, drawn as lanes
};
