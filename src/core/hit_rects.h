// hit_rects.h — icon and palette rectangles in window pixels.
#pragma once

// Recomputes icons.icon_posi_{x,y}_window and drawing.palette_posi_{x,y}_window
// for a window of the given size. Called by the reshape handler.
void compute_hit_rectangles(int width, int height);
