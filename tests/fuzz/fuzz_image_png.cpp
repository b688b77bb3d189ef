// fuzz_image_png.cpp — libFuzzer target: arbitrary bytes through the four
// PNG readers, read from memory as the viewer reads its files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include <zlib.h>

#include "imagery/image_readers.h"

namespace {

// The readers accept up to 32768 x 32768 pixels; a few bytes can claim that
// much, and decoding it would only measure the allocator and the clock.
// Larger claims are skipped.
constexpr uint64_t kMaxFuzzPixels = 1 << 20;

uint32_t big_endian(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Pixel count the IHDR claims (it must follow the signature at once), or 0.
uint64_t claimed_pixels(const uint8_t* data, size_t size)
{
    if (size < 24)
        return 0;
    return uint64_t(big_endian(data + 16)) * big_endian(data + 20);
}

// Mutated chunks almost never keep a matching checksum, and libpng stops at
// the first that does not: the checksums are set right here, so that the
// mutations reach the decoding behind them.
void mend_checksums(std::vector<uint8_t>& bytes)
{
    size_t at = 8; // after the signature
    while (at + 12 <= bytes.size()) {
        const uint32_t length = big_endian(&bytes[at]);
        if (length > bytes.size() - at - 12)
            break;
        const uint32_t crc = uint32_t(crc32(0, &bytes[at + 4], length + 4));
        uint8_t* out = &bytes[at + 8 + length];
        out[0] = uint8_t(crc >> 24);
        out[1] = uint8_t(crc >> 16);
        out[2] = uint8_t(crc >> 8);
        out[3] = uint8_t(crc);
        at += 12 + size_t(length);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || claimed_pixels(data, size) > kMaxFuzzPixels)
        return 0;
    std::vector<uint8_t> bytes(data, data + size);
    mend_checksums(bytes);
    for (auto reader :
         {load_image_png, load_image_png_toumei, load_image_png_alpha, load_image_png_pushed}) {
        FILE* fp = fmemopen(bytes.data(), bytes.size(), "rb");
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
