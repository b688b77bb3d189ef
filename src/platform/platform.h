// platform.h — the hand-off to a running copy at start-up, and the window
// work of the click lock and of "#NoTitleBar_Windows" on X11.
#pragma once

#include <string>
#include <vector>

// File name of the companion program that looks for a running copy; it is
// installed beside tyx.
constexpr const char* kFocusProgram = "tyx-focus";

// The companion's command line for the program file `program_path`: the
// companion in the same directory, then the program path and the two
// compiled-in window titles (not the configured ones, which a running copy
// may not share).
std::vector<std::string> focus_command_line(const std::string& program_path);

// Runs argv[0] with the given arguments (no shell), waits for it and returns
// its exit status; 0 when it cannot be started or does not exit normally.
int run_and_wait(const std::vector<std::string>& argv);

// The hand-off for the program file `program_path`: runs the companion and
// returns its exit status, 1 meaning another copy is running and was brought
// to the front. A missing or failing companion gives 0.
int run_or_focus_from(const std::string& program_path);

// run_or_focus_from for the running program (executable_path). Called by
// start-up when "#SingleInstance" is 1.
int run_or_focus();

// Full path of the running program file (/proc/self/exe); "" when it cannot
// be told.
std::string executable_path();

// ---------------------------------------------------------------------------
// GLUT side (platform_glut.cpp).

// Mouse, motion and passive-motion callbacks of both windows: the click
// lock's rewriting (click_lock.h) in front of mouse() and motion().
void locked_mouse(int button, int state, int x, int y);
void locked_motion(int x, int y);
void locked_passive_motion(int x, int y);

// Asks the window manager to draw the current window without decorations
// (title bar, borders). Called by window creation right after init when
// no_title_bar is 1, before a full-screen switch.
void remove_title_bar();
