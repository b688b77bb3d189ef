// bench_frames.h — what the frame benchmarks share: a fixed pseudo-random
// sequence for their data, and the timing of a frame drawn over and over.
#pragma once

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>

// A fixed pseudo-random sequence in [0, 1), so every run draws the same data.
inline double next_random()
{
    static unsigned long long state = 88172645463325252ull;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return double(state >> 11) / double(1ull << 53);
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
