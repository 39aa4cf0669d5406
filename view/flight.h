// Flight over a whole genome: the altitude, the speed that follows it, and the origin that
// keeps drawing exact far along the axis. Only a viewer started with a FILE or an option
// flies; otherwise the camera keeps its fixed height, its speed and an origin of 0.
#pragma once

#include "camera.h"

void letCameraFly(bool on);
bool cameraFlies();

// From a few hundred bases across the picture to a 16 Gb axis whole.
constexpr float kLowestAltitude = 0.001f;
constexpr float kHighestAltitude = 200000.0f;

// One press of the rise and descend keys doubles or halves the altitude; a wheel notch
// goes half as far.
constexpr double kAltitudeStep = 2.0;

// The camera after the altitude is scaled by factor, kept within the bounds. Looking down,
// it moves along its gaze, so what the picture's centre shows stays there; looking level or
// up, straight up or down.
Camera cameraAtAltitude(const Camera& eye, double factor);

// The same, moving towards or away from the ground point (x, y) instead, which so stays
// where it is in the picture: the wheel aims at what the pointer is over.
Camera cameraAtAltitudeOver(const Camera& eye, double factor, double x, double y);

// The movement keys' step a frame: the original 0.1 at the start height, in proportion to
// the altitude, so a chromosome is crossed in seconds from high up and a repeat approached
// slowly near the ground.
float flightSpeed(const Camera& eye);

// camX may stray this far from the origin before whole units move into originX: a float
// of this size still resolves a hundredth of a base.
constexpr float kOriginReach = 64.0f;

// Moves whole units from camX into originX once camX strays past kOriginReach. Only when
// flying: otherwise the origin stays 0.
void rebaseCamera(Camera& eye);

// The origin for a camera placed at world x: whole units at x when flying and x lies
// beyond kOriginReach of the current one, else the current one.
double originNear(double x, double current);

// Places the camera at world x, through originNear.
void placeCameraX(Camera& eye, double x);
