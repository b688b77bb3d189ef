// fuzz_plot_points.cpp — libFuzzer target: arbitrary bytes through the points
// reader into a small store.
#include <vector>

#include "fuzz_plot.h"
#include "plot/plot_labels.h"
#include "plot/plot_readers.h"

namespace {

double polar[kFuzzEntries][3];
float colors[kFuzzEntries][4];
double sizes[kFuzzEntries];
int types[kFuzzEntries];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int count = 0;
    std::vector<PointLabel> labels;
    const PointStore store{polar, colors, sizes, types, &count, kFuzzEntries, &labels};
    PlotText text;
    open_fuzz_text(text, data, size);
    read_point_text(text, "fuzz", store, 1.001);
    check(count >= 0 && count <= kFuzzEntries);
    check_finite(&polar[0][0], 3 * count);
    check_finite(&colors[0][0], 4 * count);
    check_finite(sizes, count);
    for (int i = 0; i < count; i++)
        check(polar[i][0] > 0 && polar[i][0] <= 1.001 * kMaxPlotHeight);
    // Names belong to points read, in order, and are kept short.
    for (size_t k = 0; k < labels.size(); k++) {
        check(labels[k].point >= 0 && labels[k].point < count);
        check(k == 0 || labels[k].point > labels[k - 1].point);
        check(!labels[k].text.empty() && labels[k].text.size() <= kMaxLabelBytes);
    }
    return 0;
}
