// window.h — per-window set-up: creation, init, the reshape handler and the
// redisplay timer. All GLUT callback registration happens in window_glut.cpp.
#pragma once

#include <string>

// Title that window 2 gets: derived from window 1's title when only that one
// was configured.
std::string window2_title();

// fovy and farlimit from size_ortho and ez. Called by init.
void compute_projection_constants();

// ---------------------------------------------------------------------------
// GLUT side (window_glut.cpp).

// Creates window 1 or 2 with its configured size, position and callbacks, then
// runs init and, if configured, full screen. Called by start-up.
void create_globe_window(int which, const char* initial_title);

// Per-window GL state, title, menus, initial orientation and projection
// constants; the window is current.
void init(int window);

// Reshape callback of both windows; also called directly when the projection
// is switched.
void resize(int width, int height);

// Timer callback: posts a redisplay of the current window.
void idle(int value);
