// image_readers.h — the image readers: binary PPM, JPEG and PNG, plain and
// with alpha. No GL here.
//
// Each reader takes a file opened "rb" by the caller, returns a tightly
// packed buffer (rows top first) or null on failure, and stores the size
// through the out-parameters. A null result leaves the out-parameters as they
// were, except after a JPEG error late in decoding.
//
// PNG files of every colour type and bit depth come out as 8-bit RGB or RGBA;
// a tRNS chunk counts as an alpha channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

using PixelBuffer = std::unique_ptr<unsigned char[]>;

PixelBuffer load_image(FILE* fp, int* width, int* height);             // PPM -> RGB
PixelBuffer load_image_toumei(FILE* fp, int* width, int* height);      // PPM -> RGBA, black clear
PixelBuffer load_image_pushed(FILE* fp, int* width, int* height);      // PPM -> pressed look
PixelBuffer load_image_jpeg(FILE* fp, int* width, int* height);        // JPEG -> RGB
PixelBuffer load_image_jpeg_toumei(FILE* fp, int* width, int* height); // JPEG -> RGBA

// PNG: RGB with transparent parts composited over black (maps); RGBA with the
// file's alpha, where a file without alpha gets the PPM rule of black made
// clear (toumei) or stays opaque (alpha); and the pressed look.
PixelBuffer load_image_png(FILE* fp, int* width, int* height);
PixelBuffer load_image_png_toumei(FILE* fp, int* width, int* height);
PixelBuffer load_image_png_alpha(FILE* fp, int* width, int* height);
PixelBuffer load_image_png_pushed(FILE* fp, int* width, int* height);

// The series readers, with every choice spelt out rather than read from the
// state block, so that decoding threads may call them while the viewer runs.
// Four-byte BGRA is the layout the graphics driver keeps textures in: a frame
// decoded so goes to the card without a conversion per texel.
enum class ImageLook {
    opaque, // RGB (BGRA: alpha 255); PNG transparency composited over black
    toumei, // RGBA, dark made clear: PPM pure black, JPEG R + G + B <= 10 (alpha
            // dark_alpha); a PNG keeps its own alpha, else pure black is clear
    alpha,  // RGBA; a PNG's own alpha, opaque without (PPM and JPEG: opaque)
};
struct ReadRequest {
    ImageLook look = ImageLook::opaque;
    bool bgra = false;            // four bytes B, G, R, A whatever the look
    unsigned char dark_alpha = 0; // JPEG toumei: the alpha of dark pixels
};
// The alpha of dark JPEG screen pixels for "#ScreenBGTransparency": the low
// eight bits of 255 - transparency.
inline unsigned char jpeg_dark_alpha(int screen_transparency)
{
    return static_cast<unsigned char>(255u - unsigned(screen_transparency));
}
// Bytes per pixel that a request gives.
inline int request_channels(const ReadRequest& request)
{
    return request.bgra || request.look != ImageLook::opaque ? 4 : 3;
}
PixelBuffer read_ppm_image(FILE* fp, const ReadRequest& request, int* width, int* height);
PixelBuffer read_jpeg_image(FILE* fp, const ReadRequest& request, int* width, int* height);
PixelBuffer read_png_image(FILE* fp, const ReadRequest& request, int* width, int* height);

// The size a file's header declares, without decoding pixels; false when the
// header does not read. The file position moves.
bool read_ppm_size(FILE* fp, int* width, int* height);
bool read_jpeg_size(FILE* fp, int* width, int* height);
bool read_png_size(FILE* fp, int* width, int* height);

// A new, uninitialised pixel buffer for a reader, or null when memory is
// short; freed with delete[] (a PixelBuffer). Large ones are backed by huge
// pages where the system offers them, so that filling them costs few faults.
unsigned char* allocate_pixels(size_t bytes);

// Buffers of frames just dropped, handed to the decoding thread that made
// room for its next frame: its next allocate_pixels calls of the same sizes
// take them instead of new memory, which the kernel would first fault in and
// zero again. drop_spare_pixels frees those left over. Per thread.
void keep_spare_pixels(PixelBuffer pixels, size_t bytes);
void drop_spare_pixels();

// Why the last reader call on this thread returned null, or returned an
// image that is not all there (a short PPM, a JPEG the library warned about),
// in words for the user; empty after a complete read. Every reader clears it
// when it starts. The series loader turns it into one line per file.
const std::string& last_image_problem();

// While on for the calling thread, the JPEG and PNG readers keep the
// library's message as the problem instead of printing it, so that the caller
// can print it once together with the file's name. Off by default.
void keep_jpeg_messages(bool keep);

// Largest width or height any reader accepts; larger files are refused.
constexpr int kMaxImageSide = 32768;

// Bytes of a width x height image with `channels` bytes per pixel, in *bytes.
// False when a side is outside 1 .. kMaxImageSide or the count does not fit
// size_t. Every reader sizes its buffer through this.
inline bool image_byte_count(int width, int height, int channels, size_t* bytes)
{
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide)
        return false;
    const uint64_t count = uint64_t(width) * uint64_t(height) * uint64_t(channels);
    if (channels < 1 || count > SIZE_MAX)
        return false;
    *bytes = size_t(count);
    return true;
}
