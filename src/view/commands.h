// commands.h — the state changes behind the commands that keys, menu entries
// and icons share (play, spin, speeds, frame steps, zoom, projection, full
// screen). Plain arithmetic on the state block: no GL, no GLUT.
//
// Each function does only the state change; the caller decides about menu
// rebuilds and redisplays, and about the window calls of full screen.
#pragma once

// Bounds that the keys and icons keep the speed levels in.
constexpr int kPlaySpeedMin = -30, kPlaySpeedMax = 30;
constexpr int kSpinSpeedMin = -200, kSpinSpeedMax = 200;

// Play forward on/off: anim 1 becomes 0, anything else 1.
void toggle_play_forward();
// Play backward on/off: anim -1 becomes 0, anything else -1.
void toggle_play_backward();
// Spin on/off: jitenornot 0 becomes 1, anything else 0.
void toggle_spin();
// Projection: perspec 1 becomes 0, anything else 1 (1 = perspective).
void toggle_projection();

// Speed levels one step up or down (step +1 or -1), kept within the bounds.
void change_play_speed(int step);
void change_spin_speed(int step);

// Frame steps. All stop the animation. Forward steps stop at the last frame
// and backward steps at frame 0; none of them leaves ntime negative, also
// when the series has no frame at all.
void step_frames_forward(int count);
void step_frames_back(int count);
// One frame forward, from the last frame back to frame 0 (key w, icon).
void step_frame_wrapping();
// One frame back, from frame 0 to the last frame (icon). Frame 0 stays
// when the series has no frame.
void step_frame_back_wrapping();
// First / last frame; the frame interval starts again at `now` (seconds).
void go_to_first_frame(double now);
void go_to_last_frame(double now);

// Multiplies the zoom of the globe an input from the given window acts on:
// globe 1 from window 1 or while synch is 1, else globe 2. The product is
// formed in double and stored as float.
void zoom_current_globe(double factor, bool second_window);
// The same for one notch of the mouse wheel, with the result held within the
// bounds of a zoom drag (zoom_after_wheel).
void wheel_zoom_current_globe(double factor, bool second_window);

// Full screen flag: 0 becomes 1 (returns true: enter full screen), anything
// else 0 (returns false: go back to the configured size).
bool toggle_full_screen_flag();

// The size a window goes back to when it leaves full screen: window 1's
// configured size, and window 2's own for window 2.
struct WindowSize {
    int width = 0, height = 0; // pixels
};
WindowSize configured_window_size(bool second_window);

// The configured position of window 1 or window 2 (screen pixels), where
// leaving full screen puts it back when no window manager keeps its place.
struct WindowPosition {
    int x = 0, y = 0;
};
WindowPosition configured_window_position(bool second_window);
