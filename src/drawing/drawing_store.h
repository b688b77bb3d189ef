// drawing_store.h — freehand strokes: the store with its undo and redo bounds,
// capture on globe 1, the pen, fading, the drawing files, and what the frame
// draws of each stroke.
//
// Conventions: stroke points are Cartesian, in globe 1's own frame (z towards
// the north pole), at radius d_radius for height 1. Capture works in the
// globe's projected disc: the unit disc of the orthographic view, centred on
// the globe, in globe radii (x to the right, y up). Strokes 0 ..
// min_linenum_undo - 1 are the protected layer; strokes below saved_num_line
// keep their own width and colour, the others follow the pen.
//
// Capacity: at most kMaxDrawPoints points and kMaxStrokes strokes. Capture
// never overwrites what is stored: at capacity it takes no more points and
// says so once on standard error.
//
// Everything above the GL section is plain arithmetic on the state block and
// runs without a display.
#pragma once

#include <cstdio>

#include "plot/plot_readers.h"

// The drawing files: the protected layer (read only) and the user's strokes.
constexpr const char* kProtectedDrawingFile = "data/draw/no_erase/lines.txt";
constexpr const char* kUserDrawingFile = "data/draw/lines.txt";

// Largest gap between two stored points of a stroke, in the projected disc.
constexpr double kStrokeStep = 0.1;

// ---------------------------------------------------------------------------
// Store (stroke_store.cpp).

// Ends the stroke in progress, if any. Called by the mouse handler on a
// left-button release, and by capture when the pointer leaves the globe.
void end_stroke();

// Drawing mode on or off (key p, drawing icon). Turning it on is refused in
// the perspective projection. While on, drags draw instead of turning the
// globe, and the erase and save icons (slots 24, 25) show as configured.
void toggle_drawing_mode();

// The drag setting "#NoMouseDragRotation" writes: view.nomousedrag, or while
// drawing mode holds drags off the globe, the value drawing mode gives back
// when it ends. Called by the configuration reader, also on a reload.
int& configured_nomousedrag();

// The pen "#LineThicknessColor" sets, at start-up or on a reload. The strokes
// drawn so far, the one in progress included, keep the width and colour they
// were drawn with; the new pen applies from the next stroke on.
void set_configured_pen(float width, const float color[4]);

// Removes / restores the last stroke; true when a stroke was removed /
// restored (keys e and E, erase icon; the callers check drawing mode). The
// protected layer is never removed; redo is refused once a new stroke began.
bool undo_stroke();
bool redo_stroke();

// One fade level more / less for all strokes (keys x and y).
void fade_strokes_more();
void fade_strokes_less();

// Factor on every stroke's alpha at fade `level`: exponent^(level - 1), and
// 0 at the highest level.
float fade_factor(int level);

// Makes `color` the pen colour; the finished strokes keep the colour they
// show now. Called by the palette on a swatch click.
void select_pen_color(const float color[4]);

// How the frame draws stroke k: points first .. last of d_zahyo, width in
// pixels at the current zoom, colour with the fade applied.
struct StrokeLook {
    int first = 0, last = -1; // inclusive point range
    float width = 0;          // pixels
    float color[4] = {};      // red, green, blue, alpha
};

// Strokes the frame draws now: the finished ones and the one in progress; 0
// while the strokes are hidden or the store holds fewer than two points.
int visible_stroke_count();

// Width and colour of stroke k as stored, or the pen's for a stroke that
// follows it; at zoom 1 and without the fade (what a save writes).
void stroke_pen(int k, float* width, float color[4]);

// What the frame draws for stroke k (0 <= k < visible_stroke_count()).
StrokeLook stroke_look(int k);

// ---------------------------------------------------------------------------
// Capture (stroke_capture.cpp).

// One drag sample at window pixel (x, y) of window 1 or window 2 (measured
// with that window's size) while drawing mode is on. Called by the motion
// handler. Starts a stroke on the globe, fills in the way from the previous
// sample in steps of at most kStrokeStep, and ends the stroke when the pointer
// leaves the globe.
void capture_stroke_sample(int x, int y, bool second_window);

// ---------------------------------------------------------------------------
// Files (drawing_files.cpp).

// The drawing store as the lines reader sees it.
LineStore drawing_line_store();

// Reads the protected and the user drawing files. Called once by start-up.
// When the user file could not be loaded whole (the store full, lines that
// do not read, a file past the readers' size bound), says so and sets
// user_file_partial, so that saves leave that file as it is.
void read_drawing_files();

// Writes the user's strokes (from min_linenum_undo on, the stroke in progress
// included) in the lines format; false on a write error.
bool write_drawings(FILE* out);

// Replaces `path` with the user's strokes. The file is written beside it
// under a temporary name (locked while written), synced and renamed over it,
// so the file on disk is always either the old or the new content; the
// folder is created when missing, and temporary files that killed saves left
// there are removed. A file without write permission is refused, even for
// root. On failure the old file stays, one line on standard error names the
// file and the reason, and the result is false.
bool save_drawings_as(const char* path);

// The save of key v and the save icon: to kUserDrawingFile, or, when that was
// not loaded whole, to a new file beside it (lines-1.txt, the first free
// number, chosen at the first save of the run), saying so each time.
bool save_drawings();

// ---------------------------------------------------------------------------
// GL side (strokes_gl.cpp).

// Draws the strokes inside the globe transform. Called by display_earth.
void draw_strokes();
