// series_fixture.h — a fresh viewer state in a scratch working directory, and
// writers of tiny PPM and JPEG files, for the series tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "support/state_fixture.h"
#include "support/temp_dir.h"

// Binary PPM of `width` x `height` whose pixel i is (base + i, 2 * i, 200),
// each channel taken modulo 256, so frames and pixels tell apart.
inline std::string ppm_file(int width, int height, int base)
{
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; i++) {
        file += static_cast<char>((base + i) & 255);
        file += static_cast<char>((2 * i) & 255);
        file += static_cast<char>(200);
    }
    return file;
}

// The RGB pixels ppm_file writes.
inline std::vector<unsigned char> ppm_pixels(int width, int height, int base)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; i++) {
        pixels.push_back(static_cast<unsigned char>((base + i) & 255));
        pixels.push_back(static_cast<unsigned char>((2 * i) & 255));
        pixels.push_back(200);
    }
    return pixels;
}

// Baseline JPEG of one colour, encoded with libjpeg.
inline std::string jpeg_file(int width, int height, unsigned char r, unsigned char g,
                             unsigned char b)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    for (int x = 0; x < width; x++) {
        row[x * 3] = r;
        row[x * 3 + 1] = g;
        row[x * 3 + 2] = b;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string file(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return file;
}

class SeriesTest : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir.enter();
    }
    // Writes a 2 x 2 PPM frame (pixel base `base`) at `path`.
    void frame(const std::string& path, int base = 0) { dir.write(path, ppm_file(2, 2, base)); }

    TempDir dir;
};
