// orientation.h — how each globe is turned: initial view, north-up,
// view-space turns, inertia, spin and the view reset.
//
// Conventions: view space has x to the right, y up and z towards the eye
// (for a positive eye position). A turn made in view space is multiplied on the
// left of a globe's orientation (d·cq). With rotsynch 1 every change keeps
// cq2 = qzure·cq, whichever globe it was made on; with rotsynch 0 or 2 a turn
// touches only its own globe. "second_window" picks globe 2 (cq2, tq2, rt2).
//
// Everything above the GLUT section is plain arithmetic on the state block and
// runs without a display; the GLUT section (orientation_glut.cpp) only finds
// the current window.
#pragma once

// Initial orientation of globe 1 and, depending on rotsynch, globe 2. Called
// by init for each window and by every view reset.
void init_rotate();

// North-up: turns globe 1 (or globe 2) about the line of sight until its north
// pole points up on the screen. A pole facing the eye or facing away is left
// as it is. The spin angle is not touched.
void north_up(bool second_window);

// One view-space turn of the globe shown in the given window: by 2h about the
// view axis (dy, dx, 0)/a, where (dx, dy) is the pointer or key step (x to the
// right, y downwards) and a its length (> 0; a zero length turns nothing).
// With rotsynch 1 both globes turn and the result is always committed; with
// rotsynch 0 or 2 only that globe turns, and `commit` says whether the working
// orientation also becomes the committed one (a drag commits, an arrow key
// does not). Called by the mouse and keyboard handlers.
void view_turn(bool second_window, double dx, double dy, double a, double h, bool commit);

// Per-frame inertia step of globe 1 / globe 2. Called by display_earth for
// every drawn globe, globe 1 first.
void step_inertia_globe1();
void step_inertia_globe2();

// Per-frame spin step at time `now` (seconds from elapsed_seconds()). At most
// one step per call. Called by display_earth.
void step_spin(double now);

// Makes `q` globe 1's committed and working orientation, and globe 2's
// through the tilt while rotsynch is 1. Called by the flight between views.
void set_globe1_orientation(const double q[4]);

// The view reset (key i, menu, reset icon): initial orientation, no spin
// angle, initial zoom and shift, first frame with a fresh animation clock.
void reset_view();

// The same without touching the frame and the animation clock (key j).
void reset_view_keep_frame();

// ---------------------------------------------------------------------------
// GLUT side (orientation_glut.cpp).

// True unless the current GLUT window is window 1.
bool current_window_is_second();
