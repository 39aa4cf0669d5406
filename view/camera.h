// The one free-flying camera: position, tilt and turn, and the rules that change them.
// Pure arithmetic; applying it to the GL matrix lives in camera_transform.h.
#pragma once

// Angles in degrees. pitch 0 looks straight down, 90 horizontally, 180 straight up.
// x is originX + camX: far along a genome's axis a float cannot tell bases apart, so the
// passes draw relative to originX (flight.h moves whole units into it); 0 unless flying.
struct Camera {
  float camX = -1;
  float camY = -1;
  float camZ = 2;  // fixed, unless flying (flight.h)
  float pitch = 70;
  float yaw = -60;
  double originX = 0;
};

extern Camera camera;

// Turns by the deltas: yaw corrected by at most one 360 each way, pitch clamped to 0..180.
void rotateCamera(float dPitch, float dYaw);

// The horizontal direction of view in radians; the view on the ground is (sin h, cos h).
float cameraHeading();

// Moves the camera in the horizontal plane along the heading; camZ stays.
void moveCamera(float heading, float speed);

// Where --goto, stepping and the go-to prompt put the camera: the column standing at
// (x, y) from the ground up to height (world units) in the middle of the picture and whole
// in it, seen along eye's heading from eye's height. eye's pitch gives the distance (where
// its gaze met the ground); the camera backs off from there until the column fits, and
// tilts to aim at the column's middle.
Camera cameraLookingAt(double x, double y, double height, Camera eye);

// The start camera turned to face the rows straight on (yaw 0): it then stands over the
// very position it looks at, as the HUD's "camera over" says.
Camera frontCamera();

// The camera's x along the axis, origin included.
inline double cameraWorldX(const Camera& eye) { return eye.originX + eye.camX; }

// Whether the camera rose or sank from the start height, or stands from an origin: then
// the HUD speaks as in flight. Never for the viewer started without arguments.
inline bool cameraInFlight(const Camera& eye) { return eye.camZ != Camera{}.camZ || eye.originX != 0; }

// The frustum grows with the altitude, 1 at the start height of 2: near and the picture's
// edges by it, so a picture looks alike from any height, the far plane by at least 1 so
// nothing the start camera saw is cut.
inline float altitudeScale(const Camera& eye) { return eye.camZ / 2.0f; }

// Where a world point lands in a picture of this aspect (width / height) drawn through the
// camera and resizeView's frustum: normalised device coordinates, -1 to 1 across, y up.
// False when the point lies behind the near plane.
bool pointOnPicture(const Camera& eye, double aspect, double x, double y, double z, double& ndcX, double& ndcY);
