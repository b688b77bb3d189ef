// strokes_gl.cpp — draws the freehand strokes.
#include "drawing/drawing_store.h"

void draw_strokes() {}
