// bench_jpeg.h — libjpeg on its own, as the reference the benchmarks hold the
// program's readers to, and the writer of their test files.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/jpeg_io.h"

// clang-format off
#include <jpeglib.h>
// clang-format on

// libjpeg's plain decode loop, one row at a time into one new buffer (not
// zero-filled). Null when the file cannot be opened.
inline std::unique_ptr<unsigned char[]> libjpeg_decode(FILE* fp, int* width, int* height)
{
    std::unique_ptr<unsigned char[]> pixels;
    if (fp == nullptr)
        return pixels;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
    pixels.reset(new unsigned char[stride * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &pixels[cinfo.output_scanline * stride];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    *width = int(cinfo.output_width);
    *height = int(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

inline std::unique_ptr<unsigned char[]> libjpeg_decode(const std::string& path, int* width,
                                                       int* height)
{
    FILE* fp = std::fopen(path.c_str(), "rb");
    std::unique_ptr<unsigned char[]> pixels = libjpeg_decode(fp, width, height);
    if (fp != nullptr)
        std::fclose(fp);
    return pixels;
}

// Writes an RGB picture (rows from the top) as a JPEG of the given quality,
// through the project's one JPEG writer.
inline bool write_rgb_jpeg(const std::string& path, const std::vector<unsigned char>& rgb,
                           int width, int height, int quality)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb = rgb;
    std::string error;
    return write_jpeg(path, picture, quality, &error);
}
