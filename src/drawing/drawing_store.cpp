// drawing_store.cpp — the stroke store and its files.
#include "drawing/drawing_store.h"

void read_drawing_files() {}

void draw_strokes() {}
