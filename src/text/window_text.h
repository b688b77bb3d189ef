// window_text.h — where the flat texts of a window go: the caption of the
// map, the time bar's reading and the notice line; and the text passes that
// draw them (window_text_gl.cpp). No GL in the placement functions.
//
// Conventions: screen units as for every flat element (the view spans y from
// -2 at the bottom to 2 at the top, x from -2 * aspect to 2 * aspect);
// window pixels from the top-left corner, y downwards.
#pragma once

struct PixelSpot {
    float x = 0, y = 0;
};

// The pixel of screen-unit point (x, y) in a window of width x height.
PixelSpot screen_units_to_pixels(double x, double y, int width, int height);

// The caption's top-left corner: "#CaptionXY", or, not configured, half a
// line in from the window's top-left corner.
PixelSpot caption_corner(int width, int height, int line_height);

// The time bar's reading stands on the bar's top edge at its left end: its
// size in pixels (a fraction of the bar's height, so that the text grows with
// the bar), its left end and the row of the bar's top. Size 0 when the bar
// has no size.
struct TimebarTextSpot {
    int pixels = 0;
    float x = 0, bar_top = 0;
};
TimebarTextSpot timebar_text_spot(int width, int height);

// Size of the notice line in a window `height` pixels high.
int notice_pixels(int height);

// ---------------------------------------------------------------------------
// GL side (window_text_gl.cpp). Each is a pass of its own over the current
// window, with the GL state restored afterwards.

// The caption of the current map at "#CaptionXY", when the caption file
// gives it one. Called by the frames of both windows after the globe and the
// screen layer, so that pictures and exported frames show it.
void draw_caption();

// The time bar's reading beside the bar, when "#TimeBarText" is 1. Called
// right after the time bar is drawn.
void draw_timebar_text();

// The notice line at the bottom of window 1. Called by window 1's frame
// after the frame was read back for pictures, so that no picture shows it.
void draw_notices();
