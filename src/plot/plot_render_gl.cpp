// plot_render_gl.cpp — draws the plot stores.
#include "plot/plot_render.h"

void draw_plot_overlays() {}
