// mouse_drag.h — what a left-button gesture does to the viewer state: the press
// and release bookkeeping of icons and swatches, and the zoom, shift and turn
// of a drag. No GL or GLUT here; mouse.cpp feeds these from the callbacks.
//
// Conventions: pointer positions are window pixels with y downwards; a turn
// step is measured in window heights (x to the right, y downwards), a shift
// step in fractions of the window's width and height. "second_window" means
// the event came from any window other than window 1.
#pragma once

// Modifier bits as glutGetModifiers reports them (mouse.cpp checks they match).
constexpr int kModifierShift = 1;
constexpr int kModifierAlt = 4;

// Smallest zoom a downward drag can leave (in magnitude). A single event that
// moves down by the window's height or more would otherwise multiply the zoom
// by zero or a negative number: the globe would vanish or turn inside out and
// every later turn would divide by zero. 0.01 shrinks the globe to a dot (1 %
// of its start size) so any deliberate zoom-out still gets there, while the
// zoom stays a plain positive number that a drag upwards can grow again.
constexpr float kMinDragZoom = 0.01f;

// ---------------------------------------------------------------------------
// Arithmetic of one drag event.

// Zoom after a vertical drag step from row cy to row y in a window of height
// 1/sy: zoom * (1 + (cy - y) * sy) in float. The magnitude is capped at
// |ez| - nearlimit (the globe's front stays short of the near clipping plane)
// and kept at or above kMinDragZoom, or at the old magnitude if that was
// already smaller; the sign never changes (a negative eye position stores the
// zoom negated).
float zoom_after_drag(float zoom, int cy, int y, double sy, double ez, double nearlimit);

// Zoom after one notch of the mouse wheel: zoom * factor, formed in double
// and stored as float, within the same bounds as a zoom drag.
float zoom_after_wheel(float zoom, double factor, double ez, double nearlimit);

// Jump correction of a turn step (dx, dy) given the previous step (pdx, pdy),
// all in window heights, and the window's width w in window heights: a step
// that differs from the previous one by more than 0.7 of the window is taken
// as the pointer having jumped across it and is moved back by one window
// width (x) or height (y).
void correct_drag_jump(double pdx, double pdy, double w, double* dx, double* dy);

// Half-angle of the turn for a drag of length a window heights at the given
// zoom: at zoom 1 a drag over half the window height (the globe's diameter)
// turns the globe by half a turn.
double drag_half_angle(double a, double zoom);

// True when (x, y) lies strictly inside the rectangle with columns xs[0] ..
// xs[1] and rows ys[0] .. ys[1]; a position on the border is outside.
bool strictly_inside(const double xs[2], const double ys[2], int x, int y);

// ---------------------------------------------------------------------------
// Handlers over the state block, called by the GLUT callbacks in mouse.cpp.

// Every button event: Shift and Alt as held now decide whether the drag that
// follows zooms (scaling) or shifts (parallel).
void take_modifier_flags(int modifiers);

// Left button down at (x, y) in the GLUT window `window`: stores the pointer,
// stops coasting of the globe(s) being dragged, marks a pressed icon and, in
// drawing mode, a pressed swatch (each window has its own icon and swatch
// rectangles, from its last reshape).
void press_left_button(int x, int y, bool second_window, int window);

// Left button up at (x, y): ends a stroke, runs the icon pressed and released
// inside the same rectangle through `run_icon` (effect_icon in the program),
// releases the swatches, and commits the working orientation unless the
// north-up icon has just set it.
void release_left_button(int x, int y, bool second_window, void (*run_icon)(int));

// One motion event at (x, y) with a button held: the stroke sample in drawing
// mode, then a zoom, a shift or a turn step. Returns true when the caller must
// request a redisplay: after any of these, a stroke sample included.
bool drag_pointer(int x, int y, bool second_window);
