// flight.h — the flight of globe 1 from one view to another: where it is at
// each moment. No GL here.
//
// The view centre travels along the great circle between the two centres
// while the heading turns evenly from its first to its last value, so a
// flight between two views with north up keeps north up all the way. Where
// that path would come near a pole, on which the heading turns too fast to
// follow, the orientation is slerped instead (the shortest turn). Zoom goes
// by equal factors, the shift in a straight line. Time is eased in and out.
#pragma once

#include "core/tyxparam.h"

// How far from a pole (radians) the view centre must stay for the flight to
// follow it with its heading.
constexpr double kFlightPoleMargin = 15 * 3.141592653589793 / 180;

// The eased share of the flight done at `t` (0 .. 1, clamped): slow at both
// ends, half way at the middle.
double ease_in_out(double t);

// Share of a flight of `seconds` that started at `start` and is done at
// `now` (all seconds); 1 for a flight of no length.
double flight_fraction(double start, double seconds, double now);

// The shortest turn from unit quaternion `a` to `b`, share `t` of the way.
void slerp_quaternion(const double a[4], const double b[4], double t, double out[4]);

// True when the flight from orientation `from` to `to` can follow the view
// centre (see above); false when it is slerped.
bool flight_follows_centre(const double from[4], const double to[4], double ez);

// Globe 1's orientation, zoom and shift at eased share `e` of the flight.
FlightEnd flight_pose(const FlightEnd& from, const FlightEnd& to, bool follows_centre, double ez,
                      double e);
