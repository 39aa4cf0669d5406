// The keyboard and mouse controls, polled once per frame.
#pragma once

// The debounce after a toggle: the whole viewer stalls, message handling included.
constexpr unsigned kTogglePauseMs = 100;

// The mouse-look centre, in screen coordinates wherever the window lies.
constexpr int kLookCentreX = 400;
constexpr int kLookCentreY = 300;

// Polls the keys and the mouse and changes the view state, the camera and, for the zoom
// key, the records. Does nothing while another window is in the foreground.
void handleInput();

// Switches between mouse-look (cursor captured and hidden) and a free, visible cursor.
void toggleCursorCapture();
