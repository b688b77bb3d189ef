// frame_counter.h — a count of drawn frames that outside programs can watch.
//
// When the environment variable TYX_FRAME_COUNTER names a file, the program
// keeps two unsigned 64-bit counters in it (native byte order): the frames
// drawn by window 1 and by window 2, followed by three of the series: maps
// shown by window 1, maps late, and the frame window 1 shows plus one (0
// before the first). The end-to-end tests and the benchmarks wait on them
// instead of sleeping. Without the variable nothing happens.
#pragma once

// Counts one drawn frame of window 1 (second_window false) or window 2.
// Called by the display callbacks after their buffer swap; cheap enough for
// every frame (one store into a mapped page).
void count_drawn_frame(bool second_window);

// Publishes the series counters; called by window 1's frame when it showed
// a new map.
void count_series_progress(unsigned long long maps_shown, unsigned long long late_maps,
                           int frame_shown);
