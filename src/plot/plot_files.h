// plot_files.h — the plot data files: base files at start-up, step files at
// every frame change.
#pragma once

// Reads the base lines, points and arrows files of the enabled data sets and
// records the base counts. Called once by start-up.
void read_base_plot_files();

// Replaces the step data with the files of frame `frame`. Called by window 1's
// frame when the frame changed.
void read_step_plot_files(int frame);
