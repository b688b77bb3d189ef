// display.h — frame routines of the two windows.
#pragma once

// Window 1's display callback: deferred work, animation step, frame change,
// globe and screen layer, redisplay and swap.
void display();

// Window 2's display callback.
void display2();

// Draws the globe of the given window with everything attached to it and the
// flat overlays. Called by display and display2 with that window current.
void display_earth(int window);
