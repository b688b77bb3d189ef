// readinitfile.h — the configuration reader.
#pragma once

// Reads the three configuration files of series.init_file in order into the
// viewer state, then the settings of the lesson step shown (lesson_steps.h),
// then derives window 2's geometry and globe 2's tilt. Called by start-up,
// by window 1's frame when a re-read is requested and by a lesson step.
void func_readinit_file();
