// The dot plot as a figure: seen flat from straight above, the plot a square in the frame,
// both axes ticked in bases and their sequences named, the first copy across and the second
// up. Pure arithmetic and layout; the scene's dot-plot pass draws the segments.
#pragma once

#include <string>

#include "figure_marks.h"
#include "flat_camera.h"
#include "view_state.h"

// The camera over the plot (the --region's stretch on both axes, else the whole plot) and
// the figure's eye-space bounds, frame and scissor box; annotate leaves room for the ticks
// and names, titled for a title. Call once the view's zoom steps are made.
void placeDotPlotView(const ViewState& view, int width, int height, bool annotate, bool titled, FigureView& figure);

// The marks: the frame's edges, ticks and labels along both axes, the sequences' names
// (under the x axis and right of the plot; one sequence is named once on each), the title.
FigureMarks dotPlotMarks(const FigureView& figure, const float matrix[16], int width, int height, bool annotate,
                         const std::string& title);
