// What has moved the records since they were loaded (zoom steps and far-part slides), kept
// as runs, so that a view can be written down and made again exactly: each move rounds to
// float32 on its own, so only the same moves in the same order give the same places.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "view_state.h"

// Called by the zoom step and, once a frame, by the far-part slide.
void noteZoomStep();
void noteFarSlide(const ViewState& view);

// Whether any slide was noted (zoom steps alone are told by the view's zoomSteps).
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

// Every record's x and y as the load left them, and the history forgotten.
void restoreLoadedPlaces();
