// fuzz_plot.h — what the plot reader targets share: small capacities, so that
// short inputs reach every limit, and the checks each store must pass.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "plot/plot_text.h"

constexpr int kFuzzEntries = 48; // points, lines or arrows
constexpr int kFuzzBlocks = 6;   // lines or arrow blocks

inline void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

inline void check_finite(const double* values, int n)
{
    for (int i = 0; i < n; i++)
        check(std::isfinite(values[i]));
}

inline void check_finite(const float* values, int n)
{
    for (int i = 0; i < n; i++)
        check(std::isfinite(values[i]));
}

// Every range lies within the first `count` entries, or is empty (last =
// first - 1), and ranges follow each other.
inline void check_ranges(const int (*ranges)[2], int blocks, int count)
{
    int next = 0;
    for (int b = 0; b < blocks; b++) {
        check(ranges[b][0] == next && ranges[b][1] >= next - 1 && ranges[b][1] < count);
        next = ranges[b][1] + 1;
    }
}

inline void open_fuzz_text(PlotText& text, const uint8_t* data, size_t size)
{
    open_plot_memory(text, reinterpret_cast<const char*>(data), size);
}
