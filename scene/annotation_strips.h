// The annotation lanes: each file's features as coloured strips on the ground in front of
// the rows, one lane a file, overlapping features in up to four rows of a lane.
#pragma once

#include "draw_list.h"
#include "view_state.h"

struct AnnotationLanes;

// The lanes' ground: lane 0 nearest the rows, at y from laneFront(0) towards the camera.
float laneFront(int lane);
constexpr float kLaneDepth = 0.22f;

void addAnnotationLanes(DrawList& list, const ViewState& view, const AnnotationLanes& lanes);
