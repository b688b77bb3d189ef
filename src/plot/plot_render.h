// plot_render.h — point symbols, arrows and plotted lines on the globe.
#pragma once

// Draws the enabled plot overlays inside the globe transform.
void draw_plot_overlays();
