// load_progress.cpp — the layout of the loading bar and the terminal count.
#include "imagery/load_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {
// Bar height in pixels, a fortieth of the window within these bounds.
constexpr int kMinBarHeight = 6;
constexpr int kMaxBarHeight = 20;
// Gap between the frame and the filled part.
constexpr int kBarInset = 2;
} // namespace

double progress_fraction(int done, int total)
{
    if (total <= 0)
        return 0;
    return std::clamp(static_cast<double>(done) / total, 0.0, 1.0);
}

ProgressBar progress_bar_layout(int width, int height, int done, int total)
{
    ProgressBar bar;
    const int bar_height = std::clamp(height / 40, kMinBarHeight, kMaxBarHeight);
    const int bar_width = width / 2;
    if (bar_width <= 2 * kBarInset || height < bar_height)
        return bar;
    bar.frame = {(width - bar_width) / 2, (height - bar_height) / 2, bar_width, bar_height};
    const int inner = bar_width - 2 * kBarInset;
    bar.fill = {bar.frame.x + kBarInset, bar.frame.y + kBarInset,
                static_cast<int>(inner * progress_fraction(done, total)),
                bar_height - 2 * kBarInset};
    return bar;
}

std::string progress_line(int done, int total)
{
    return "tyx: loading " + std::to_string(done) + "/" + std::to_string(total) + " maps";
}

void tell_progress_on_terminal(int done, int total, bool last)
{
    if (!isatty(STDERR_FILENO))
        return;
    std::fprintf(stderr, "\r%s%s", progress_line(done, total).c_str(), last ? "\n" : "");
    std::fflush(stderr);
}
