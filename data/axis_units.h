// The world's units along the axis, named once: where a position stands as loaded, how much
// a zoom step compresses, which part of the data slides, and the window's span. The loader,
// the view and the tools all place bars with these.
#pragma once

#include <cstdint>

constexpr double kAxisScale = 0.00001;       // x per position as loaded: a unit is 100,000 positions
constexpr double kZoomFactor = 0.9;          // a zoom step scales every record's x by this
constexpr double kFarSlideStep = 0.1;        // the far part's slide, a frame per flag
constexpr int32_t kFarPartStart = 2000000;   // positions above this slide; this one does not
constexpr int32_t kWindowSpan = 100000;      // windowStart .. windowStart + kWindowSpan, both included
