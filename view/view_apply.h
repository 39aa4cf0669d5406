// A view made from its options once the records are loaded: for the viewer's start, R and
// every picture alike.
#pragma once

#include <cstdint>

#include "camera.h"
#include "camera_fit.h"
#include "view_state.h"

struct ViewOptions;

// A camera placed side-on to show every shown pair whole (quelvar-snapshot's --fit): where
// in the picture they go and the picture's width / height.
struct ViewFit {
  FitFrame frame;
  double aspect;
};

// After the records are loaded and normalised, with the camera at its start: the threshold
// from --min-length and the --region placed on the loaded sequences, then the zoom steps and
// moves on the records, then the camera (from
// --camera; else fitted, when fit is given: to the shown pairs, or with none shown to the
// axis they would stand on; then moved by --goto). With a fit the zoom steps are the fit's
// choice unless --zoom-steps asks for some. view starts as options.view.
void applyView(const ViewOptions& options, ViewState& view, const ViewFit* fit = nullptr);

// R: the records back where the load left them, the camera at its start, then the start
// options made again. The look and the input (cursor, pointer, picked bar, an open go-to
// prompt) stay whole, but for the arrows' slides, which stop; so does the file name.
void resetView(const ViewOptions& start, ViewState& view);

// The threshold that shows pairs of minLength bases and longer: just below the scaled
// length of such a pair, so the strict test keeps a pair of exactly minLength.
float thresholdOfMinLength(int64_t minLength);
