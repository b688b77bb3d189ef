// startup.h — the program's start-up sequence and its command-line rules.
#pragma once

#include <string>

// Language file from the command line as seen before GLUT removes its own
// options: one argument selects "data/conf/lang-<first 12 chars>.txt".
std::string language_file_name(int argc, const char* const* argv);

// Scans the options left after glutInit for "-n N". Returns the frame number
// to start at, or -1 when there is no usable "-n" (no value, not a decimal
// number, negative, or out of int range).
int start_frame_option(int argc, const char* const* argv);

// Start-up steps 2 to 9, which need no window: the configuration files (from
// the working directory, or the installed data tree and its demo, see
// data_folders.h),
// then the hand-off to a running copy when "#SingleInstance" is 1, the saved
// drawings, the base plot files, the click lock, series discovery, and the
// working icon flags from the configured ones. Returns false when a running
// copy took over: the program then ends. `allow_hand_off` false skips the
// hand-off (a series export always runs). Called by tyx_main once the
// language file is chosen.
bool read_startup_files(bool allow_hand_off);

// ---------------------------------------------------------------------------
// GLUT side (startup_glut.cpp).

// main() of the program: runs start-up in order and enters the GLUT loop.
int tyx_main(int argc, char** argv);
