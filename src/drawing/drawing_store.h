// drawing_store.h — freehand strokes: store, files and drawing.
#pragma once

// Reads the protected and the user drawing files. Called once by start-up.
void read_drawing_files();

// Draws the strokes inside the globe transform.
void draw_strokes();
