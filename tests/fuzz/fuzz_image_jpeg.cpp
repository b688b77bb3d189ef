// fuzz_image_jpeg.cpp — libFuzzer target: arbitrary bytes through the two
// JPEG readers, read from memory as the viewer reads its files.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "core/tyxparam.h"
#include "imagery/image_readers.h"

namespace {

// The readers accept up to 32768 x 32768 pixels; a few bytes can claim that
// much, and decoding it would only measure the allocator and the clock.
// Larger claims are skipped, as libjpeg-turbo's own fuzzers do.
constexpr unsigned long kMaxFuzzPixels = 1 << 20;

FILE* open_input(const uint8_t* data, size_t size)
{
    return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

struct QuietErrors {
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void quiet_exit(j_common_ptr cinfo)
{
    longjmp(reinterpret_cast<QuietErrors*>(cinfo->err)->jump, 1);
}

void no_message(j_common_ptr) {}

// Pixel count the header claims, or 0 when the header does not read.
unsigned long claimed_pixels(FILE* fp)
{
    jpeg_decompress_struct cinfo;
    QuietErrors jerr;
    cinfo.err = jpeg_std_error(&jerr.pub);
    jerr.pub.error_exit = quiet_exit;
    jerr.pub.output_message = no_message;
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    const unsigned long pixels = (unsigned long)cinfo.image_width * cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FILE* fp = open_input(data, size);
    if (!fp)
        return 0;
    const unsigned long pixels = claimed_pixels(fp);
    std::fclose(fp);
    if (pixels > kMaxFuzzPixels)
        return 0;

    series.screen_transparency = 100;
    for (auto reader : {load_image_jpeg, load_image_jpeg_toumei}) {
        fp = open_input(data, size);
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
