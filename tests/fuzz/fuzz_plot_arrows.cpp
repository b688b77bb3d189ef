// fuzz_plot_arrows.cpp — libFuzzer target: arbitrary bytes through the arrows
// reader into a small store.
#include <initializer_list>

#include "fuzz_plot.h"
#include "plot/plot_readers.h"

namespace {

double polar[kFuzzEntries][3];
float colors[kFuzzEntries][4];
double lengths[kFuzzEntries];
double angles[kFuzzEntries];
int blocks[kFuzzBlocks][2];
double sincho[kFuzzBlocks], sencho[kFuzzBlocks], sinfuku[kFuzzBlocks], senfuku[kFuzzBlocks];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int count = 0, block_count = 0;
    double std_length = 1;
    const ArrowStore store{polar,       colors,       lengths,      angles,     blocks,
                           &std_length, sincho,       sencho,       sinfuku,    senfuku,
                           &count,      &block_count, kFuzzEntries, kFuzzBlocks};
    PlotText text;
    open_fuzz_text(text, data, size);
    read_arrow_text(text, "fuzz", store, 1.001);
    check(count >= 0 && count <= kFuzzEntries);
    check(block_count >= 0 && block_count <= kFuzzBlocks);
    check_ranges(blocks, block_count, count);
    check_finite(&polar[0][0], 3 * count);
    check_finite(&colors[0][0], 4 * count);
    check_finite(lengths, count);
    check_finite(angles, count);
    for (const double* shape : {sincho, sencho, sinfuku, senfuku})
        check_finite(shape, block_count);
    check(std::isfinite(std_length));
    return 0;
}
