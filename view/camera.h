// The one free-flying camera: position, tilt and turn, and the rules that change them.
// Pure arithmetic; applying it to the GL matrix lives in camera_transform.h.
#pragma once

// Angles in degrees. pitch 0 looks straight down, 90 horizontally, 180 straight up.
struct Camera {
  float camX = -1;
  float camY = -1;
  float camZ = 2;  // the camera flies at a fixed height
  float pitch = 70;
  float yaw = -60;
};

extern Camera camera;

// Turns by the deltas: yaw corrected by at most one 360 each way, pitch clamped to 0..180.
void rotateCamera(float dPitch, float dYaw);

// The horizontal direction of view in radians; the view on the ground is (sin h, cos h).
float cameraHeading();

// Moves the camera in the horizontal plane along the heading; camZ stays.
void moveCamera(float heading, float speed);

// eye moved along x so that its gaze meets the ground at x (world units), its height and
// angles kept: --goto moves the camera so, stepping and the go-to prompt the start camera.
Camera cameraLookingAt(double x, Camera eye = Camera{});
