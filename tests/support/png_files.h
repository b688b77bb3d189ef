// png_files.h — PNG files of any colour type, bit depth and interlacing,
// written with libpng for the tests; and a one-call RGB or RGBA writer.
#pragma once

#include <png.h>

#include <string>
#include <vector>

// One image to encode. `samples` holds width x height x channels values
// (rows top first), each within the bit depth; for palette images the
// values are indices into `palette`.
struct PngLayout {
    int width = 1;
    int height = 1;
    int colour_type = PNG_COLOR_TYPE_RGB;
    int bit_depth = 8;
    bool interlaced = false;
    std::vector<unsigned> samples;
    std::vector<png_color> palette;
    std::vector<unsigned char> palette_alpha; // tRNS of a palette image
    bool colour_key = false;                  // tRNS of a grey or RGB image
    png_color_16 key{};                       // its colour (gray, or red, green, blue)
};

inline int png_channels(int colour_type)
{
    switch (colour_type) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    default:
        return 4;
    }
}

// Packs one row of samples as the file stores them: several to a byte below
// 8 bits (first in the high bits), two bytes big-endian at 16 bits.
inline std::vector<unsigned char> pack_png_row(const PngLayout& layout, int y)
{
    const int per_row = layout.width * png_channels(layout.colour_type);
    std::vector<unsigned char> row((size_t(per_row) * layout.bit_depth + 7) / 8);
    for (int i = 0; i < per_row; i++) {
        const unsigned v = layout.samples[size_t(y) * per_row + i];
        if (layout.bit_depth == 16) {
            row[2 * i] = static_cast<unsigned char>(v >> 8);
            row[2 * i + 1] = static_cast<unsigned char>(v);
        } else {
            const int bit = i * layout.bit_depth;
            row[bit / 8] |= static_cast<unsigned char>(v << (8 - layout.bit_depth - bit % 8));
        }
    }
    return row;
}

inline void append_png_bytes(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

// The file's bytes. A layout libpng refuses ends the test program.
inline std::string encode_png(const PngLayout& layout)
{
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, append_png_bytes, nullptr);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bit_depth, layout.colour_type,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.palette_alpha.empty())
        png_set_tRNS(png, info, layout.palette_alpha.data(), int(layout.palette_alpha.size()),
                     nullptr);
    if (layout.colour_key) {
        png_color_16 key = layout.key;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    std::vector<std::vector<unsigned char>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < layout.height; y++)
        rows.push_back(pack_png_row(layout, y));
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// An 8-bit RGB (3 channels) or RGBA (4) PNG of packed pixels, rows top first.
inline std::string pixels_png(int width, int height, int channels,
                              const std::vector<unsigned char>& pixels)
{
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colour_type = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    layout.samples.assign(pixels.begin(), pixels.end());
    return encode_png(layout);
}
