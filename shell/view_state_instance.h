// The one ViewState of the process: created with its start values, changed by the controls
// and handed to the drawing passes every frame.
#pragma once

#include "view_state.h"

extern ViewState viewState;
