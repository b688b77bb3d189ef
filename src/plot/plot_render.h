// plot_render.h — point symbols, arrows and plotted lines on the globe.
#pragma once

// Draws the shown plot overlays of the current window's globe: the symbols,
// then the arrows, then the plotted lines, each kind from the plot stores
// and then from the extra layers of the state block. Called by display_earth
// right after the sphere, inside the globe transform, so the overlays turn,
// spin and scale with the globe.
void draw_plot_overlays();

// Whether each drawing leaves out the overlay parts the globe hides or the
// view does not reach (on by default; the picture is the same either way).
// Tests switch it off to compare.
void leave_out_hidden_overlays(bool on);

// Whether symbols are drawn as the triangles of their shapes, each with its
// black copy, instead of one textured quad each (off by default). Tests
// compare the two.
void draw_symbols_as_triangles(bool on);
