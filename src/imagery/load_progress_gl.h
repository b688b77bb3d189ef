// load_progress_gl.h — the loading bar in the windows, shown by fileyomitori
// while a series decodes.
#pragma once

// Draws `done` out of `total` frames as a bar over every open window and
// swaps them, the current window first and current again afterwards; also
// rewrites the count on the terminal, ending its line once done reaches the
// total. Called on the GLUT thread from inside a display callback.
void show_load_progress(int done, int total);
