// series_fixture.h — a fresh viewer state in a scratch working directory, and
// writers of tiny PPM and JPEG files, for the series tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "support/state_fixture.h"
#include "support/temp_dir.h"
#include "tools/jpeg_io.h"

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

// Baseline JPEG of one colour.
inline std::string jpeg_file(int width, int height, unsigned char r, unsigned char g,
                             unsigned char b)
{
    JpegSamples samples;
    samples.width = width;
    samples.height = height;
    // Filled in place: GCC 12 at -O3 misjudges growing the vector by an
    // initializer list as a write out of bounds.
    samples.data.resize(std::size_t(width) * height * 3);
    for (std::size_t i = 0; i + 2 < samples.data.size(); i += 3) {
        samples.data[i] = r;
        samples.data[i + 1] = g;
        samples.data[i + 2] = b;
    }
    std::string error;
    return encode_jpeg(samples, 95, &error);
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
