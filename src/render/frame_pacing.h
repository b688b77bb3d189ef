// frame_pacing.h — the frame-rate limit: when each window draws its next
// frame, and how long the GLUT loop sleeps until then.
//
// With a limit ("#FrameRateLimit", wnd.frame_rate_limit frames per second)
// a window never draws faster than that, and between two frames the GLUT
// loop sleeps on a timer while input is still handled the moment it arrives.
// Spin, coasting and the animation clock advance once per drawn frame at
// most, so a fixed rate gives them the same speed on every machine.
//
// A view in which nothing moves by itself is drawn only a few times a second
// (kStillFrameSeconds): whatever changes it (a key, the mouse, an expose of
// the window) asks for a frame, which wakes both windows at the full rate for
// a while (kLivelySeconds). Without a limit (0) every frame asks for the next
// at once, in both windows, as fast as GLUT dispatches them.
//
// Times are seconds from elapsed_seconds().
#pragma once

// GLUT's timers count whole milliseconds, so a timer may wake a frame this
// much before its time; such a frame is drawn rather than put off again.
constexpr double kFrameSlack = 0.002;
// Time between two frames of a view in which nothing moves.
constexpr double kStillFrameSeconds = 0.25;
// How long a request from outside keeps both windows at the full rate.
constexpr double kLivelySeconds = 0.5;

// Seconds between two frames of a window at `limit` frames per second; 0
// without a limit (0 or below).
double frame_period(int limit);

// True when a window whose next frame is due at `due` may draw at `now`.
bool frame_is_due(double due, double now);

// When the next frame may be drawn, after a frame due at `due` was drawn at
// `now`: one period after `due`, so the rate holds on average although timers
// wake late; but a window more than a period behind starts afresh from `now`
// rather than rushing frames to catch up. Without a limit: `now`.
double next_frame_due(double due, double now, int limit);

// When to ask a window for its next frame: as soon as it is due while the
// view is lively, else kStillFrameSeconds from `now` (never before it is due).
double next_frame_request(double due, double now, bool lively);

// The timer delay from `now` to `at` in whole milliseconds, rounded up; 0
// when `at` has passed.
unsigned int frame_wait_ms(double at, double now);

// True while something in the state changes by itself from frame to frame or
// waits for the next frame: the animation plays, the globe spins or coasts, a
// stroke is being drawn, the globe flies to a lesson step's view, a reload, a
// lesson step, a projection switch or a window's images for the current
// frame are pending, or a notice fades or waits to be shown.
bool view_is_moving();

// When the series playing is all that moves (nothing spins or coasts, no
// load, switch or late map waits): the time of the next map, shortly after
// its interval ends, since no frame drawn before it would differ from the
// last one. -1 otherwise. Decoding a streamed series needs the time saved.
double next_map_time();
constexpr double kMapTimeMargin = 0.0001; // seconds

// True when `name` is one of the blank-separated words of `list` (a GL or GLX
// extension string); false for a null list.
bool has_extension_name(const char* list, const char* name);

// ---------------------------------------------------------------------------
// GLUT side (frame_pacing_glut.cpp).

// Display callbacks of window 1 and window 2: display() or display2() when the
// window's frame is due (then the window's menu if the frame changed what it
// shows), then the request for the next frame.
void paced_display();
void paced_display2();

// Asks the driver to swap the current window's buffers in step with the
// screen's refresh (swap interval 1), where GLX offers one of the swap-control
// extensions; interval 0 when no frame-rate limit is set. Called by window
// creation with the new window current.
void request_swap_interval();
