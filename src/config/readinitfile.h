// readinitfile.h — the configuration reader.
#pragma once

// Reads the configuration files of series.init_file in order into the viewer
// state, from slot `first_file` (a ConfigFile) on, then the settings of the
// lesson step shown (lesson_steps.h), then derives window 2's geometry and
// globe 2's tilt and places the file names in the content folder. Called by
// start-up, by window 1's frame when a re-read is requested and by a lesson
// step.
void func_readinit_file(int first_file = 0);
