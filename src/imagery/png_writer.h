// png_writer.h — writes 8-bit RGB or RGBA pixels as a PNG file (libpng).
// No GL here.
#pragma once

#include <string>

// Writes a `width` x `height` image of `channels` bytes per pixel (3 or 4),
// rows top first, or bottom first when `bottom_up` (as GL reads them back),
// to `path`. The file appears whole or not at all: it is written under a
// temporary name beside `path` and renamed at the end, and removed again on
// any failure. Returns false with the reason in `error`.
bool write_png_file(const std::string& path, const unsigned char* pixels, int width, int height,
                    int channels, bool bottom_up, std::string* error);
