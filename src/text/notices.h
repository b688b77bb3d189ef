// notices.h — the one-line notices at the bottom of window 1: what a key or
// a save did (or why it did not), shown for a few seconds, then faded out;
// and, for as long as the series has no maps, the notice that says so. No GL
// here; window_text_gl.cpp draws them.
//
// Every notice also stays on the console where its caller prints one: these
// lines are for a presenter who started the viewer from a launcher.
#pragma once

#include <string>

constexpr double kNoticeSeconds = 3.0;     // shown at full strength
constexpr double kNoticeFadeSeconds = 0.5; // then faded out over this time

// Shows `text` in place of any notice shown now. Any thread may post; the
// notice's time starts when window 1 first draws it.
void post_notice(const std::string& text);

// The notice window 1 shows at time `now` (seconds of elapsed_seconds()):
// true with its text in *text (its buffer reused) and its opacity, 1 down to
// 0 while it fades; false when there is none. A series without maps gives
// its notice for as long as it lasts. Nothing while "#Notices" is 0.
// Called by window 1's frame, on the GLUT thread.
bool notice_to_show(double now, std::string* text, float* opacity);

// True while the notice shown is fading, or a posted one is not yet shown:
// the window must then be drawn at its full rate.
bool notice_changing(double now);

// Forgets every notice. Called by reset_viewer_state().
void clear_notices();

// "No maps: map/sample1.ppm not found" for the configured series, or ""
// while it has frames.
std::string empty_series_notice();

// Posts the notice of a reload just carried out: of the settings alone, or
// of the settings and the maps (with their count).
void notice_reload_done(bool maps);

// Posts, once per file and load, that the map of frame `frame` of window 1
// could not be read (its file exists, its image is empty). Called by window
// 1's frame whenever it shows another frame.
void notice_frame_shown(int frame);

// The texts of the notices that commands post.
std::string play_speed_notice(int level, double base_interval);
std::string spin_speed_notice(int level, double step_per_level);
