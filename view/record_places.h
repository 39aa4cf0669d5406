// Every change to where the records stand, in one place: the zoom step, the far part's
// slide, and the way back to the load's places. What has moved them since the load is kept
// as runs, so that a view can be written down and made again exactly: each move rounds to
// float32 on its own, so only the same moves in the same order give the same places.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "view_state.h"

// The axis compressed by kZoomFactor: every record's x scaled, the step counted in the view
// (so that the scale bar shrinks with it) and in the moves, with no records too.
void zoomStep(ViewState& view);

// Records with pos above kFarPartStart move by kFarSlideStep along each set arrow flag;
// once a frame outside window mode, drawn or not.
void slideFarPart(const ViewState& view);

// Whether any slide was made (zoom steps alone are told by the view's zoomSteps).
bool farPartSlid();

// The moves as "z2,x+120,z1,y-40": zN zoom steps, x+N / x-N slides of the far part along x,
// y+N / y-N along y; those along x in the order made, then those along y, which no zoom
// step touches. Empty when nothing moved.
std::string describeRecordMoves();

// Makes the moves of such a text (checked by recordMovesValid) on the records and the view.
void makeRecordMoves(const std::string& moves, ViewState& view);
bool recordMovesValid(const char* text);
// The steps such a text makes (zoom steps and slides), each of which touches every bar.
int64_t recordMoveSteps(const char* text);

// Every record's x and y as the load left them, and the moves forgotten.
void restoreLoadedPlaces();
