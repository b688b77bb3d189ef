// drawing_palette.h — the sixteen-colour pen palette.
#pragma once

// Draws the palette strip into window 1 while drawing mode is on.
void show_drawing_palette();

// Left-button press / release at window pixel (x, y) while drawing mode is
// on: a press and a release on the same swatch select its colour. Called by
// the mouse handler.
void press_palette(int x, int y);
void release_palette(int x, int y);
