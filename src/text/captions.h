// captions.h — the caption of each map, from the text file "#CaptionFile"
// names (line k for the k-th map), and the time bar's reading. No GL here;
// window_text_gl.cpp draws them.
#pragma once

#include <string>

constexpr size_t kMaxCaptionBytes = 4096;        // of one line kept; longer lines are cut
constexpr size_t kMaxCaptionFileBytes = 1 << 26; // read at most; the rest is left

// Reads txt.caption_file into txt.captions (nothing when it names no file).
// Only a regular file is read; a missing or unreadable one is told on
// standard error and gives no captions. A byte-order mark, line ends (LF or
// CR LF) and lines beyond the image tables are left out. Called after every
// reading of the configuration.
void load_caption_file();

// The caption of frame `frame`, or an empty one (no file, no such line, or
// an empty line).
const std::string& frame_caption(int frame);

// What the time bar shows beside it for frame `frame` of `frames`: the
// frame's caption, or else "12 / 96" (frame 11 of 96). `out` keeps its
// buffer, so a steady frame allocates nothing. Empty without frames.
void timebar_reading(int frame, int frames, std::string* out);
