// The keyboard and mouse controls, polled once per frame.
#pragma once

// Polls the keys and the mouse and changes the view state, the camera and, for the zoom
// key, the records. Does nothing while another window is in the foreground.
void handleInput();

// Switches between mouse-look (cursor captured and hidden) and a free, visible cursor.
void toggleCursorCapture();

// Enter closed the go-to prompt: while it stays down it does not toggle window mode.
void holdEnterUntilReleased();
