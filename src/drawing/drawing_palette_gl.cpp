// drawing_palette_gl.cpp — draws the pen palette.
#include "drawing/drawing_palette.h"

void show_drawing_palette() {}
