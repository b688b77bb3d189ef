// statistics_line.h — the line of playback figures that key F9 shows at the
// top of a window (the text comes from imagery/series_stats).
#pragma once

// ---------------------------------------------------------------------------
// GL side (statistics_line_gl.cpp).

// Draws the line over a finished frame of window 1 (second_window false) or
// window 2 while its F9 flag is on. Called by the frame routines right
// before the key reference and the swap.
void draw_statistics_line(bool second_window);
