// fuzz_image_ppm.cpp — libFuzzer target: arbitrary bytes through the three
// PPM readers, read from memory as the viewer reads its files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "imagery/image_readers.h"
#include "imagery/ppm_header.h"

namespace {

// Headers may claim up to 32768 x 32768 pixels, a legal but 4 GiB buffer
// that would only measure the allocator. Claims above 16 read chunks are
// parsed, not read: larger images take no other path.
constexpr long kMaxFuzzPixels = 1 << 16;

FILE* open_input(const uint8_t* data, size_t size)
{
    return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FILE* fp = open_input(data, size);
    if (!fp)
        return 0;
    PpmHeader header;
    const bool parsed = parse_ppm_header(fp, &header);
    std::fclose(fp);
    if (parsed && long(header.width) * header.height > kMaxFuzzPixels)
        return 0;

    for (auto reader : {load_image, load_image_toumei, load_image_pushed}) {
        fp = open_input(data, size);
        if (!fp)
            return 0;
        int width = 0, height = 0;
        PixelBuffer pixels = reader(fp, &width, &height);
        std::fclose(fp);
        if (pixels != nullptr && (width != header.width || height != header.height))
            __builtin_trap(); // a reader and the parser disagree on the size
    }
    return 0;
}
