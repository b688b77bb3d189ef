// load_progress.h — what a series load shows while its workers decode: the
// bar's place in a window and the count on the terminal. No GL here; the
// drawing is load_progress_gl.cpp.
#pragma once

#include <functional>
#include <string>

// Called on the loading thread while the workers decode, with the frame
// slots finished so far out of the load's total; see load_window_images.
using LoadProgressHook = std::function<void(int done, int total)>;

// Seconds between two progress calls; a load that ends sooner shows nothing.
constexpr double kLoadProgressInterval = 0.2;

// done / total within 0 .. 1; 0 for an empty load.
double progress_fraction(int done, int total);

// A rectangle in window pixels, x from the left, y from the bottom.
struct PixelRect {
    int x = 0, y = 0;
    int width = 0, height = 0;
};

// The bar in a window of width x height pixels: a frame centred in the
// window, half its width, and inside it the filled part growing from the
// left. Both are empty when the window is too small to hold a bar.
struct ProgressBar {
    PixelRect frame;
    PixelRect fill;
};
ProgressBar progress_bar_layout(int width, int height, int done, int total);

// "tyx: loading 12/96 maps".
std::string progress_line(int done, int total);

// Rewrites the count in place on standard error when that is a terminal (a
// log file would fill with carriage returns); `last` ends the line, so that
// later messages start on their own.
void tell_progress_on_terminal(int done, int total, bool last);
