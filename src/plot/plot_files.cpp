// plot_files.cpp — readers of the three plot formats.
#include "plot/plot_files.h"

void read_base_plot_files() {}

void read_step_plot_files(int /*frame*/) {}
