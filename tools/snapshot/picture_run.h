// Renders the pictures of one command line from one load of the list.
#pragma once

#include <vector>

#include "figure_options.h"

// Returns the exit code: 0 when every picture was written, 1 when the GL context could not
// be had or a picture not written (the others are still tried).
int runPictures(const std::vector<PicturePlan>& pictures);
