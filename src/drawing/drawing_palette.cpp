// drawing_palette.cpp — pen colour selection from the palette.
#include "drawing/drawing_palette.h"

void press_palette(int /*x*/, int /*y*/) {}

void release_palette(int /*x*/, int /*y*/) {}
