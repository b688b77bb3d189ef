// texture_scaling.cpp — box-filter shrinking of oversized images.
#include "imagery/texture_scaling.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "imagery/image_readers.h"

bool fit_texture_size(int width, int height, int limit, int* fitted_width, int* fitted_height)
{
    if (limit <= 0 || width <= 0 || height <= 0 || (width <= limit && height <= limit))
        return false;
    // Scale the longer side to the limit exactly and the shorter one in
    // proportion, rounded down so that it never passes the limit either.
    if (width >= height) {
        *fitted_width = limit;
        *fitted_height = static_cast<int>(static_cast<long long>(height) * limit / width);
    } else {
        *fitted_height = limit;
        *fitted_width = static_cast<int>(static_cast<long long>(width) * limit / height);
    }
    *fitted_width = std::max(*fitted_width, 1);
    *fitted_height = std::max(*fitted_height, 1);
    return true;
}

namespace {

// Source indices [begin, end) whose centres lie in target cell i of `count`
// cells spread over `size` source pixels; never empty.
void footprint(int i, int count, int size, int* begin, int* end)
{
    *begin = static_cast<int>(static_cast<long long>(i) * size / count);
    *end = static_cast<int>(static_cast<long long>(i + 1) * size / count);
    if (*end <= *begin)
        *end = *begin + 1;
}

} // namespace

TexImage box_downscale(const TexImage& source, int width, int height)
{
    TexImage result;
    int n = source.channels;
    result.width = width;
    result.height = height;
    result.channels = n;
    result.bgra = source.bgra;
    result.pixels.reset(allocate_pixels(static_cast<size_t>(width) * height * n));
    if (!result.pixels) {
        result.release();
        return result;
    }

    std::vector<int> column_begin(width), column_end(width);
    for (int x = 0; x < width; x++)
        footprint(x, width, source.width, &column_begin[x], &column_end[x]);
    std::vector<unsigned long long> sum(static_cast<size_t>(n));
    for (int y = 0; y < height; y++) {
        int row_begin, row_end;
        footprint(y, height, source.height, &row_begin, &row_end);
        for (int x = 0; x < width; x++) {
            std::fill(sum.begin(), sum.end(), 0);
            for (int r = row_begin; r < row_end; r++) {
                const unsigned char* p =
                    source.pixels.get() +
                    (static_cast<size_t>(r) * source.width + column_begin[x]) * n;
                for (int c = column_begin[x]; c < column_end[x]; c++)
                    for (int k = 0; k < n; k++)
                        sum[k] += *p++;
            }
            unsigned long long count = static_cast<unsigned long long>(row_end - row_begin) *
                                       (column_end[x] - column_begin[x]);
            unsigned char* out = result.pixels.get() + (static_cast<size_t>(y) * width + x) * n;
            for (int k = 0; k < n; k++)
                out[k] = static_cast<unsigned char>((sum[k] + count / 2) / count);
        }
    }
    return result;
}

bool shrink_to_limit(TexImage& image, int limit)
{
    int width = 0, height = 0;
    if (image.empty() || !fit_texture_size(image.width, image.height, limit, &width, &height))
        return false;
    image = box_downscale(image, width, height);
    return true;
}

void note_image_scaled(int limit)
{
    static std::atomic<bool> said{false};
    if (said.exchange(true))
        return;
    std::fprintf(stderr,
                 "Images larger than %d pixels, the graphics card's texture limit, are scaled "
                 "down to fit\n",
                 limit);
}
