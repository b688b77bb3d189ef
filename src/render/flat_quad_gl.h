// flat_quad_gl.h — rectangles in the plane z = 0 of the flat overlays (screen
// layer, time bar, icons, drawing palette), wound counter-clockwise as the
// camera sees them, so back-face culling keeps them.
#pragma once

// The four corners of the rectangle from (left, top) to (right, bottom), in the
// order top-left, bottom-left, bottom-right, top-right, inside a glBegin(GL_QUADS)
// batch the caller opened.
void flat_quad_corners(double left, double top, double right, double bottom);

// One filled rectangle in the current colour, a batch of its own.
void fill_flat_rectangle(double left, double top, double right, double bottom);

// The bound texture on the rectangle with its top-left corner at (x, y), width
// w and height h, the picture's first row at the top. Enables 2D texturing
// while drawing and disables it again.
void draw_flat_picture(double x, double y, double w, double h);
