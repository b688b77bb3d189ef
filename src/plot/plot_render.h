// plot_render.h — point symbols, arrows and plotted lines on the globe.
#pragma once

// Draws the enabled plot overlays inside the globe transform. Not built yet:
// draws nothing.
void draw_plot_overlays();
