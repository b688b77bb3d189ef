// jpeg_io.h — whole-file JPEG reading and writing for the data generators (libjpeg).
#pragma once

#include <string>

#include "raster.h"

// Decodes a JPEG file into RGB (greyscale files are converted). Returns false
// and leaves a reason in `error` when the file is missing or not a readable
// JPEG; the library's own message is part of the reason.
bool read_jpeg(const std::string& path, Picture* picture, std::string* error);

// Encodes an RGB picture at the given quality (1 … 100).
bool write_jpeg(const std::string& path, const Picture& picture, int quality, std::string* error);
