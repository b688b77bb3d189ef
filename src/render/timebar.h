// timebar.h — the flat slider showing the frame position: its shape, where its
// knob stands, and (when "#TimeBarScrub" is on) the press and drag that set
// the frame from it.
//
// Conventions: positions in screen units as everywhere for flat elements (the
// bar's top-left corner is (time_x, time_y), y up); hit rectangles in window
// pixels with rows from the top, as the icons' (see hit_rects.h). Window index
// 0 is window 1 (or a lone window), 1 is window 2.
#pragma once

// Sizes of the bar at size factor s, in screen units.
struct TimebarShape {
    double height;      // h: the end caps' height
    double cap;         // a: the end caps' width
    double length;      // L: left edge of the left cap to left edge of the right cap
    double knob_width;  // k
    double knob_height; // m
    double groove;      // g: the groove's thickness
};
TimebarShape timebar_shape(double s);

// False for a size factor that is zero, negative or not a number: such a bar
// is neither drawn nor clickable.
bool timebar_has_size(double s);

// Offset p of the knob's left edge from the bar's left edge: ntime / (frames
// - 1) of the knob's travel (L - k + a), so that the last frame puts the knob
// flush with the right cap's right edge. A one-frame series puts it at the
// left end; an index outside the series is held at the nearer end.
double timebar_knob_offset(int ntime, int frames, double s);

// The frame whose knob centre lies nearest to screen column x (the inverse of
// the knob offset), clamped to 0 .. frames - 1; -1 when there are no frames
// or the bar has no size.
int timebar_frame_at(double x, int frames, double time_x, double s);

// Recomputes the bar's hit rectangle of window `which` for its new size:
// caps and groove wide, knob high. Called by the reshape handler.
void compute_timebar_rectangle(int which, int width, int height);

// ---------------------------------------------------------------------------
// Scrubbing, called by the mouse callbacks before the gesture handlers.

// Left press at pixel (x, y) of window `which`. When scrubbing is on, the bar
// shown and the press inside its rectangle, moves to the frame under the
// pointer, stops the animation and returns true: the press belongs to the bar
// and must not reach the globe or the icons.
bool press_time_bar(int which, int x, int y);

// Pointer moved to column x with the button held. While a press on the bar is
// being dragged, moves to the frame under the pointer and returns true.
bool drag_time_bar(int x);

// Button released: ends a drag on the bar.
void release_time_bar();

// ---------------------------------------------------------------------------
// GL side (timebar_gl.cpp).

// Draws the time bar of the current window at z = 0 under the camera, with
// texturing off. Called by display_earth for both windows.
void functimebar();
