// frame_counter.h — a count of drawn frames that outside programs can watch.
//
// When the environment variable TYX_FRAME_COUNTER names a file, the program
// keeps two unsigned 64-bit counters in it (native byte order): the frames
// drawn by window 1 and by window 2. The end-to-end tests wait on them
// instead of sleeping. Without the variable nothing happens.
#pragma once

// Counts one drawn frame of window 1 (second_window false) or window 2.
// Called by the display callbacks after their buffer swap; cheap enough for
// every frame (one store into a mapped page).
void count_drawn_frame(bool second_window);
