// orientation.h — how each globe is turned: initial view, north-up,
// view-space turns, inertia, spin and the view reset.
#pragma once

// Initial orientation of globe 1 and, depending on rotsynch, globe 2. Called
// by init for each window and by every view reset.
void init_rotate();

// North-up for the globe of the current GLUT window.
void latitude_rotate();

// Per-frame inertia step of globe 1 / globe 2. Called by display_earth.
void step_inertia_globe1();
void step_inertia_globe2();

// Per-frame spin step at time `now` (seconds). Called by display_earth.
void step_spin(double now);
