// clock.h — the time source of the animation and spin steps.
//
// Seconds elapsed since the program started, from a monotonic clock. Process
// CPU time (what clock() counts) runs fast under a multi-threaded software
// renderer and slow while waiting for the screen, so it is not used.
#pragma once

double elapsed_seconds();

// Tests freeze the clock at a given value; a negative value returns to the
// real clock.
void set_test_clock(double seconds);
