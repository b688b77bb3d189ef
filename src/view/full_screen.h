// full_screen.h — the window side of full screen on and off, shared by the
// keys (f, Esc) and the pop-up menu. The flag itself is changed by the caller.
#pragma once

// The current window covers the screen.
void enter_full_screen();

// The current window goes back to its configured size (window 1's for
// window 1, window 2's own for window 2), leaving full screen if it was in it.
void leave_full_screen();
