#include "view_state_instance.h"

ViewState viewState;
