// The keyboard and mouse controls, run once per frame.
#pragma once

#include "platform.h"

// Polls the keys and the mouse and changes the view state, the camera and, for the zoom
// key, the records. Does nothing while another window is in the foreground.
void handleInput();

// Switches between mouse-look (cursor captured and hidden) and a free, visible cursor.
void toggleCursorCapture();

// Enter closed the go-to prompt: while it stays down it does not toggle window mode.
void holdEnterUntilReleased();

// Started with a FILE or any option, every key acts once per press, however long it is
// held, and without the polled keys' 100 ms pause; started without arguments the original
// keys are polled as they always were.
void actOncePerPress(bool on);
bool actingOncePerPress();

// A key went down (not an auto-repeat): it acts in the next frame, even if it is up again
// by then.
void countKeyPress(ViewerKey key);

// The wheel turned (window_events.h): it acts in the next frame.
void countWheelNotches(double notches);
