// Flight's keys and the wheel: rise and descend (E and X, a wheel notch half a press) and
// the overview (O). They act only while the camera flies (flight.h).
#pragma once

// presses: rises minus descents, towards what the picture's centre shows; notches: the
// wheel turned away from the user, which descends towards what the free cursor is over.
void changeAltitude(int presses, double notches);

// Frames every shown pair from above, or the axis the records stand on when none is shown.
void flyToOverview();
