// drawing_palette.h — the sixteen-colour pen palette.
#pragma once

// Left-button press / release at window pixel (x, y) while drawing mode is
// on: a press and a release on the same swatch select its colour. Called by
// the mouse handler. Not built yet: select nothing.
void press_palette(int x, int y);
void release_palette(int x, int y);

// ---------------------------------------------------------------------------
// GL side (drawing_palette_gl.cpp).

// Draws the palette strip into window 1 while drawing mode is on. Not built
// yet: draws nothing.
void show_drawing_palette();
