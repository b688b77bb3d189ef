// fuzz_image_png.cpp — libFuzzer target: arbitrary bytes through the four
// PNG readers, read from memory as the viewer reads its files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "imagery/image_readers.h"

namespace {

// The readers accept up to 32768 x 32768 pixels; a few bytes can claim that
// much, and decoding it would only measure the allocator and the clock.
// Larger claims are skipped.
constexpr uint64_t kMaxFuzzPixels = 1 << 20;

// Pixel count the IHDR claims (it must follow the signature at once), or 0.
uint64_t claimed_pixels(const uint8_t* data, size_t size)
{
    if (size < 24)
        return 0;
    auto word = [data](size_t at) {
        return uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
               uint32_t(data[at + 2]) << 8 | data[at + 3];
    };
    return uint64_t(word(16)) * word(20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || claimed_pixels(data, size) > kMaxFuzzPixels)
        return 0;
    for (auto reader :
         {load_image_png, load_image_png_toumei, load_image_png_alpha, load_image_png_pushed}) {
        FILE* fp = fmemopen(const_cast<uint8_t*>(data), size, "rb");
        if (!fp)
            return 0;
        int width = 0, height = 0;
        PixelBuffer decoded = reader(fp, &width, &height);
        std::fclose(fp);
        if (decoded != nullptr && (width < 1 || height < 1))
            __builtin_trap(); // a buffer without a size
    }
    return 0;
}
