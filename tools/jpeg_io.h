// jpeg_io.h — whole-file JPEG reading and writing (libjpeg): the one JPEG
// writer of the data generators, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "raster.h"

struct jpeg_compress_struct;

// The samples of one image to encode: rows top first, `components` bytes per
// pixel in `colour_space`, a libjpeg J_COLOR_SPACE value (2 is JCS_RGB, 1
// JCS_GRAYSCALE, 4 JCS_CMYK).
struct JpegSamples {
    int width = 0;
    int height = 0;
    int components = 3;
    int colour_space = 2;
    std::vector<std::uint8_t> data;
};

// Encodes the samples at the given quality (1 … 100). `adjust`, when given,
// changes the encoder's settings after the defaults (progression, restart
// interval, the colour space written, …). Returns the file's bytes; empty,
// with the reason in `error`, when the samples do not match their size or
// the library refuses them.
std::string encode_jpeg(const JpegSamples& samples, int quality, std::string* error,
                        const std::function<void(jpeg_compress_struct&)>& adjust = {});

// Writes `bytes` to `path`; false with the reason in `error` when it cannot.
bool write_file(const std::string& path, const std::string& bytes, std::string* error);

// Decodes a JPEG file into RGB (greyscale files are converted). Returns false
// and leaves a reason in `error` when the file is missing or not a readable
// JPEG; the library's own message is part of the reason.
bool read_jpeg(const std::string& path, Picture* picture, std::string* error);

// Encodes an RGB picture at the given quality (1 … 100) into a file.
bool write_jpeg(const std::string& path, const Picture& picture, int quality, std::string* error);
