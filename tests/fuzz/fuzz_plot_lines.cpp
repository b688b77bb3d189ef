// fuzz_plot_lines.cpp — libFuzzer target: arbitrary bytes through the lines
// reader into a small store; the store must stay within its arrays and hold
// only consistent, finite data.
#include "fuzz_plot.h"
#include "plot/plot_readers.h"

namespace {

// Separate arrays, so that the address sanitizer sees a write past any one.
double points[kFuzzEntries][3];
int ranges[kFuzzBlocks][2];
float widths[kFuzzBlocks];
float colors[kFuzzBlocks][4];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int point_count = 0, line_count = 0;
    const LineStore store{points,       ranges,      widths,       colors,
                          &point_count, &line_count, kFuzzEntries, kFuzzBlocks};
    PlotText text;
    open_fuzz_text(text, data, size);
    read_lines_text(text, "fuzz", store, 1.012);
    check(point_count >= 0 && point_count <= kFuzzEntries);
    check(line_count >= 0 && line_count <= kFuzzBlocks);
    check_ranges(ranges, line_count, point_count);
    check_finite(&points[0][0], 3 * point_count);
    check_finite(widths, line_count);
    check_finite(&colors[0][0], 4 * line_count);
    return 0;
}
