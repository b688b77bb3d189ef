// bench_png.h — libpng on its own, as the reference the decode benchmark
// holds the PNG reader to.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

// libpng's plain decode loop to 8-bit RGB, one row at a time into one new
// buffer (not zero-filled). Null when the file does not decode.
inline std::unique_ptr<unsigned char[]> libpng_decode(FILE* fp, int* width, int* height)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    unsigned char* volatile pixels = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete[] pixels;
        return nullptr;
    }
    png_init_io(png, fp);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_read_update_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const size_t stride = png_get_rowbytes(png, info);
    unsigned char* const out = new unsigned char[stride * h];
    pixels = out;
    for (png_uint_32 y = 0; y < h; y++)
        png_read_row(png, out + y * stride, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    *width = int(w);
    *height = int(h);
    return std::unique_ptr<unsigned char[]>(out);
}
