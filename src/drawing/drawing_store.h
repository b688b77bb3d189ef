// drawing_store.h — freehand strokes: store, capture, undo and redo, fading,
// files and drawing. Not built yet: every operation below does nothing
// (undo and redo report no change) until freehand drawing is built.
#pragma once

// Reads the protected and the user drawing files. Called once by start-up.
void read_drawing_files();

// One drag sample at window pixel (x, y) while drawing mode is on. Called by
// the motion handler.
void capture_stroke_sample(int x, int y);

// Ends the stroke in progress. Called by the mouse handler on a left-button
// release while a stroke is being drawn.
void end_stroke();

// Drawing mode on or off (key p, drawing icon).
void toggle_drawing_mode();

// Removes / restores the last stroke while drawing mode is on; true when a
// stroke was removed / restored (keys e and E, erase icon).
bool undo_stroke();
bool redo_stroke();

// Writes the user's strokes to "data/draw/lines.txt" (key v, save icon).
void save_drawings();

// One fade level more / less for all strokes (keys x and y).
void fade_strokes_more();
void fade_strokes_less();

// ---------------------------------------------------------------------------
// GL side (strokes_gl.cpp).

// Draws the strokes inside the globe transform.
void draw_strokes();
