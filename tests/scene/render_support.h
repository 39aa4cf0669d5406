// Rendering for the scene tests: one offscreen context, pictures read back, records and
// camera set up by hand, and points projected with plain double arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "view_state.h"

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // top row first
  const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3]; }
};

// Opens (or reopens at a new size) the offscreen context, with the viewer's start-up render
// state and projection. Fails the calling test when no context can be had.
void useRenderSize(int width, int height);

// One frame as the viewer draws it, through the production or the literal passes.
Picture renderScene(ViewState& view, bool literal);

void resetCameraToStart();
void clearRecords();

// The common start of a bar test: the context at this size, no records, the start camera,
// and the start view with the floor off, so that bars are judged against the sky.
ViewState startBarScene(int width, int height);

// Appends one record as the loader and normalisation would leave it.
void addRecord(int32_t pos, int32_t partner, float len, float r, float g, float b, float y = 0.0f);

// Where the world point lands in the picture: column and row from the top, and whether it
// lies in front of the camera.
struct ScreenPoint {
  double column;
  double row;
  bool inFront;
};
ScreenPoint projectToScreen(double x, double y, double z, int width, int height);

bool isColour(const uint8_t* pixel, int r, int g, int b, int tolerance = 1);
bool isSky(const uint8_t* pixel);

// Pixels whose colours differ between the two pictures.
int differingPixels(const Picture& a, const Picture& b);

// True when every differing pixel's colour in each picture is found within one pixel in the
// other: what a line drawn one pixel over would give.
bool differencesAreShifts(const Picture& a, const Picture& b);
