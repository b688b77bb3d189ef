// bench_frames.h — what the frame benchmarks share: their window, a fixed
// pseudo-random sequence for their data, the timing of a frame drawn over
// and over, and the rates of several frames measured side by side.
#pragma once

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "core/tyxparam.h"
#include "core/window.h"

// Opens window 1 at width x height with the program's blending; false, with
// a line on standard error, without an X display. The caller sets its view
// next and then calls start_bench_window.
inline bool open_bench_window(int* argc, char** argv, const char* program, int width, int height)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "%s needs an X display; run it under xvfb-run\n", program);
        return false;
    }
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    wnd.window1 = glutCreateWindow(program);
    glutDisplayFunc([] {});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return true;
}

// Sets window 1 up as the program does, with the view now in the state
// block, once the window has been mapped.
inline void start_bench_window(int width, int height)
{
    init(wnd.window1);
    for (int i = 0; i < 20; i++)
        glutMainLoopEvent();
    resize(width, height);
}

// A fixed pseudo-random sequence in [0, 1), so every run draws the same data.
inline double next_random()
{
    static unsigned long long state = 88172645463325252ull;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return double(state >> 11) / double(1ull << 53);
}

// Point i of the plot store at a random place, evenly over the sphere, at
// the points' height, as a circle of size 0.03 (about 7 pixels across at the
// shipped zoom).
inline void place_point_at_random(int i)
{
    const double latitude = std::asin(2 * next_random() - 1) * 180 / M_PI;
    const double longitude = 360 * next_random() - 180;
    plot.d_polar_point[i][0] = plot.d_radius_point;
    plot.d_polar_point[i][1] = 90 - latitude;
    plot.d_polar_point[i][2] = longitude + 180;
    plot.mat_size_point[i] = 0.03;
    plot.prop_point[i] = 0;
}

// The best figures of a case over its rounds.
struct FrameTiming {
    double frames_per_second = 0;
    double cpu_ms = 0; // processor time of all threads (the rasteriser's too) a frame
};

// Draws `frame` for about `seconds` after a few frames to warm up, and keeps
// the better figures in `best`. GLUT's events are served now and then so
// that the window stays responsive.
inline void time_frames(const std::function<void()>& frame, double seconds, FrameTiming* best)
{
    for (int i = 0; i < 10; i++)
        frame();
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    int frames = 0;
    double elapsed = 0;
    while (elapsed < seconds) {
        frame();
        frames++;
        if (frames % 16 == 0)
            glutMainLoopEvent();
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    glFinish();
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = 1000.0 * double(std::clock() - cpu_start) / CLOCKS_PER_SEC / frames;
    best->frames_per_second = std::max(best->frames_per_second, frames / elapsed);
    best->cpu_ms = best->cpu_ms == 0 ? cpu : std::min(best->cpu_ms, cpu);
}

inline double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

using Frame = void (*)();

// Frames per second of each of `frames`, measured side by side: blocks of
// 16 frames of each in turn for about `seconds`, so that what else runs on
// the shared machine falls on all of them alike.
inline std::vector<double> rates_side_by_side(const std::vector<Frame>& frames, double seconds)
{
    constexpr int kBlockFrames = 16;
    std::vector<double> spent(frames.size()), counted(frames.size());
    for (Frame frame : frames)
        for (int i = 0; i < 4; i++)
            frame();
    glFinish();
    auto round_start = std::chrono::steady_clock::now();
    // Each turn starts with the next one, as what comes first after the
    // events are read, or after another kind of frame, may be slower.
    for (size_t turn = 0; seconds_since(round_start) < seconds; turn++) {
        for (size_t n = 0; n < frames.size(); n++) {
            const size_t f = (turn + n) % frames.size();
            auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kBlockFrames; i++)
                frames[f]();
            glFinish();
            spent[f] += seconds_since(start);
            counted[f] += kBlockFrames;
        }
        glutMainLoopEvent();
    }
    std::vector<double> rates;
    for (size_t f = 0; f < frames.size(); f++)
        rates.push_back(counted[f] / spent[f]);
    return rates;
}
