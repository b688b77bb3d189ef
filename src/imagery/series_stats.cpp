// series_stats.cpp — the playback counters and their lines.
#include "imagery/series_stats.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "core/tyxparam.h"
#include "imagery/series_budget.h"
#include "imagery/series_stream.h"

namespace {

// Counters of the whole run (listed in tyxparam.h as kept): counted on the
// GLUT thread, read there and at exit.
struct Counters {
    std::atomic<unsigned long long> shown{0}, late{0};
    size_t tables_held = 0, tables_peak = 0;
    unsigned long long tables_decoded = 0;
    // The rates: counts at the start of the current second.
    double mark = -1;
    unsigned long long frames = 0, frames_at_mark = 0, shown_at_mark = 0;
    double frames_per_second = 0, maps_per_second = 0;
};
Counters counters;

constexpr double kMiB = 1024.0 * 1024.0;

void print_at_exit()
{
    if (play.print_stats != 0) {
        std::fprintf(stderr, "%s\n", exit_statistics_line(series_stats()).c_str());
        std::fflush(stderr);
    }
}

} // namespace

void note_map_shown()
{
    counters.shown++;
}

void note_late_map()
{
    counters.late++;
}

void note_tables_held(size_t bytes, int maps)
{
    counters.tables_held = bytes;
    counters.tables_peak = std::max(counters.tables_peak, bytes);
    counters.tables_decoded += static_cast<unsigned long long>(std::max(maps, 0));
}

void note_frame_drawn(double now)
{
    Counters& c = counters;
    c.frames++;
    if (c.mark < 0 || now < c.mark) {
        c.mark = now;
        c.frames_at_mark = c.frames;
        c.shown_at_mark = c.shown;
        return;
    }
    const double seconds = now - c.mark;
    if (seconds < 1.0)
        return;
    c.frames_per_second = double(c.frames - c.frames_at_mark) / seconds;
    c.maps_per_second = double(c.shown - c.shown_at_mark) / seconds;
    c.mark = now;
    c.frames_at_mark = c.frames;
    c.shown_at_mark = c.shown;
}

SeriesStats series_stats()
{
    const CacheFigures cache = stream_figures();
    SeriesStats s;
    s.maps_shown = counters.shown;
    s.late_maps = counters.late;
    s.maps_decoded = counters.tables_decoded + cache.decoded;
    s.frames_per_second = counters.frames_per_second;
    s.maps_per_second = counters.maps_per_second;
    s.streamed = slot_is_streamed(0);
    s.held = s.streamed ? cache.held : counters.tables_held;
    s.peak = std::max(counters.tables_peak, cache.peak);
    s.budget = s.streamed ? cache.budget : series_memory_budget();
    s.cached = s.streamed ? cache.frames : 0;
    return s;
}

std::string statistics_line(const SeriesStats& s)
{
    char line[256];
    std::snprintf(line, sizeof line,
                  "%.0f frames/s, %.1f maps/s, %llu maps decoded, %s%.0f / %.0f MiB, %llu late",
                  s.frames_per_second, s.maps_per_second, s.maps_decoded,
                  s.streamed ? (std::to_string(s.cached) + " cached, ").c_str() : "all held, ",
                  s.held / kMiB, s.budget / kMiB, s.late_maps);
    return line;
}

std::string exit_statistics_line(const SeriesStats& s)
{
    char line[160];
    std::snprintf(line, sizeof line, "tyx: %llu maps shown, %llu late, decoded cache peak %.0f MiB",
                  s.maps_shown, s.late_maps, s.peak / kMiB);
    return line;
}

void print_statistics_at_exit()
{
    std::atexit(print_at_exit);
}
