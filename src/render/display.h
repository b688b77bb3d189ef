// display.h — frame routines of the two windows.
#pragma once

// Window 1's frame: deferred work, animation step, frame change, globe and
// screen layer, the black screen or help over it, and the swap. Called by the
// paced display callback (frame_pacing.h), which asks for the next frame.
void display();

// Window 2's frame, called the same way.
void display2();

// Draws the globe of the given window with everything attached to it and the
// flat overlays. Called by display and display2 with that window current.
void display_earth(int window);
