// hit_rects.h — icon and palette rectangles in window pixels.
#pragma once

// Recomputes icons.icon_posi_{x,y}_window and drawing.palette_posi_{x,y}_window
// of window `which` (0 = window 1, 1 = window 2) for its size in pixels.
// Called by the reshape handler; each window keeps its own, so that window 1's
// icons answer where they are drawn whatever size window 2 has.
void compute_hit_rectangles(int which, int width, int height);
