// series_discovery.h — counts the frames of the numbered map series.
#pragma once

#include <string>

#include "imagery/series_film.h"

// Sets play.ntimemax to the length of the unbroken run of numbers from
// tex_start for which a map or a screen image exists, capped by tex_end, and
// tells on standard error what it found (or why it found nothing). A series
// without frames cannot play, so play stops. Called at start-up after the
// configuration is read and by window 1's frame after a configuration re-read.
void fileornot();

// What one scan found, for the messages that follow it.
struct SeriesScan {
    int frames = 0;     // the frame count, as count_series_frames returns it
    int run = 0;        // numbers from tex_start with a map or a screen, before any cap
    int maps = 0;       // frames (of `frames`) with a map file
    int screens = 0;    // frames with a screen file
    int first_map = -1; // frame index of the first and last map, -1 without one
    int last_map = -1;
    int first_screen = -1; // the same for the screens
    int last_screen = -1;
    bool stopped_at_gap = false; // the series ended at a number without map or screen
    FilmScan film;               // globe 1's map film, when the maps are one
};

// The scan behind fileornot over `table_slots` numbers (the size of the image
// tables; tests pass a small size). Never a negative count; prints the
// empty-series notice on standard output, and on standard error when globe
// 2's own series has to be cut to half the tables. Also records in
// img.mask_earth which frames have a map file.
SeriesScan scan_series(int table_slots);

// The frame count of scan_series.
int count_series_frames(int table_slots);

// The lines fileornot prints on standard error after `scan`, each ending in a
// line end: how many maps were found and under which names; with none, the
// names looked for, the working directory and what else lies there; a missing
// number that ends the series before later files.
std::string describe_series_scan(const SeriesScan& scan);
