// The viewer's interactive switches and values. The shell owns the one instance and the
// controls change it; the drawing passes are handed it, so the scene never reaches up into
// the shell.
#pragma once

#include <cstdint>

struct AnnotationLanes;

struct ViewState {
  float threshold = 0.03f;   // a bar is drawn only if its normalised length is greater
  bool windowMode = false;   // the 100,000-position window instead of all bars
  bool pointStyle = false;   // all-bars pass draws points instead of lines
  bool showFloor = true;
  int32_t cursorFree = 0;    // 0: captured, the mouse turns the camera; 1: free and visible
  int32_t zoomSteps = 0;     // each scaled every record's x by 0.9
  int32_t windowStart = 0;   // first position of the window
  bool moveRight = false;
  bool moveLeft = false;
  bool jumpForward = false;
  bool jumpBack = false;
  bool auxRight = false;     // a third toggle pair that nothing reads
  bool auxLeft = false;
  // Aids for finding one's way, all opt-in: at these values the picture is the one above.
  bool hud = false;            // text, axis ruler and the picked pair's highlight
  bool showLinks = false;      // a ground arc joining the two bars of every shown pair
  int32_t colourMode = 0;      // pair_colours.h: the pass's own, by strand, by identity
  int32_t pickedSlot = 0;      // the picked bar's slot; 0 for none
  uint16_t minIdentity = 0;    // hundredths of a percent: pairs known to be less alike are hidden
  const char* fileName = "";   // the pair file, named in the HUD
  const char* promptLine = nullptr;  // the go-to prompt's line while it is open
  int32_t promptTypedFrom = 0;       // its typed text's bytes, which scroll when the
  int32_t promptTypedTo = 0;         // line is too long for the picture
  bool hasCursor = false;      // the HUD tells the cursor's state: the viewer, or --cursor
  const AnnotationLanes* annotations = nullptr;  // --annotation files, drawn as lanes
  bool showLanes = true;       // F
  int32_t pointerX = -1;       // the free cursor in client pixels, for what lies under it;
  int32_t pointerY = -1;       // -1 when captured or not the viewer's
  // --region: only pairs with an end in [regionStart, regionEnd) of the axis; -1: all.
  int64_t regionStart = -1;
  int64_t regionEnd = -1;
  // --height log: bars stand by log10 of their length (bar_height.h).
  bool logHeights = false;
  double heightBases = 0;  // bases that stand 7 high; 0: the list's longest
  // A side view sees the ground edge-on: links then stand upright over the axis, the
  // widest reaching this high; 0 keeps them on the ground.
  float linkRise = 0;
  float linkFloor = 0;  // and stand on this height, a log scale's floor
  // A figure that draws its own ticks and legends: the HUD keeps to its text and the pick.
  bool figureHud = false;
};
