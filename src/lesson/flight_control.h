// flight_control.h — globe 1's flight between views as the viewer runs it:
// set out, stepped before each drawn globe, ended by input. No GL here.
#pragma once

#include "core/tyxparam.h"

// Globe 1's view now: its orientation with the spin folded in, zoom, shift.
FlightEnd current_globe_pose();

// Puts globe 1 at `pose` at once (globe 2 follows through the tilt while
// the rotations are synchronised); the spin angle starts again from 0, as it
// is part of the pose.
void set_globe_pose(const FlightEnd& pose);

// Sets out from `from` to `to`: globe 1 is put at `from`, its coasting
// stopped, and the flight takes "#FlightSeconds" from the next drawn globe.
// Nothing flies when the two are the same view.
void fly_between(const FlightEnd& from, const FlightEnd& to);

// Moves globe 1 to where the flight is at `now` (seconds); the flight ends
// at its target. Called before each drawn globe (advance_globe_state).
void step_flight(double now);

// Ends a flight where it is. Called by every key and mouse button press.
void end_flight();

// True while a flight is set out or under way.
bool flight_under_way();
