// plot_files.h — the plot data files: base files at start-up, step files at
// every frame change, and the plot stores as the readers see them.
#pragma once

#include "plot/plot_readers.h"

// The base files, read once at start-up.
constexpr const char* kBaseLinesFile = "data/plot/lines/lines.csv";
constexpr const char* kBasePointsFile = "data/plot/points/points.csv";
constexpr const char* kBaseArrowsFile = "data/plot/arrows/arrows.csv";

// Reads the base lines, points and arrows files of the enabled data sets and
// records the base counts. Called once by start-up, after the drawing files.
void read_base_plot_files();

// Replaces the step data with the files of step `frame` (stem, the decimal
// frame, ".", suffix), after the base data, and gives the stores a new
// generation unless they hold the base data alone before and after. Called by
// window 1's frame when the frame changed. Allocates nothing.
void read_step_plot_files(int frame);

// Gives the plot stores a new generation, so that the overlay drawing
// rebuilds its arrays. Called after every read into the stores, and by
// anything else that writes them.
void plot_data_changed();

// The plot stores of the viewer state, with their capacities.
LineStore senga_line_store();
PointStore plot_point_store();
ArrowStore plot_arrow_store();
