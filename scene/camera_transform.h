// Applies the camera to the current GL matrix.
#pragma once

// Rotates by -pitch about x, by -yaw about z, then translates by -(camX, camY, camZ).
void applyCameraTransform();
