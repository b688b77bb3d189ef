// drawing_palette.h — the sixteen-colour pen palette: a strip of one pen cell
// and sixteen swatches at the side of window 1, shown while drawing mode is on.
//
// Layout in screen units (y up): the strip is pscale wide and 17 cells high,
// its top-left corner at (palette_posi_x, palette_posi_y); cell 0 shows the
// pen, swatch i fills cell i + 1. The swatches' window rectangles are computed
// by the reshape handler (core/hit_rects.cpp).
#pragma once

// Left-button press / release at window pixel (x, y) of window 1 or window 2
// while drawing mode is on, tested against that window's rectangles. Called
// by the mouse handler, which ends the stroke in progress before the release,
// so that stroke keeps the colour it was drawn in. A press and a release both
// strictly inside the same swatch make its colour the pen colour; a border
// selects nothing.
void press_palette(int x, int y, bool second_window);
void release_palette(int x, int y, bool second_window);

// ---------------------------------------------------------------------------
// GL side (drawing_palette_gl.cpp).

// Draws the strip into window 1. Called by display_earth while drawing mode is
// on, after the icons.
void show_drawing_palette();
