// png_writer.cpp — the PNG encoder of exported pictures, through libpng.
//
// As in the readers, libpng's error hook long-jumps back into encode_png,
// which keeps nothing with a destructor in its frame.
#include "imagery/png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "imagery/image_readers.h"

namespace {

struct PngTarget {
    FILE* fp = nullptr;
    int write_errno = 0;    // the system's reason when writing the file failed
    char message[256] = {}; // libpng's message of the error that ended the write
};

// libpng's own writer says only "Write Error"; these keep the reason (a full
// disk, a lost connection) for the message.
void png_write_bytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* target = static_cast<PngTarget*>(png_get_io_ptr(png));
    errno = 0;
    if (std::fwrite(data, 1, length, target->fp) != length) {
        target->write_errno = errno != 0 ? errno : EIO;
        png_error(png, "Write Error");
    }
}

void png_flush_bytes(png_structp png)
{
    auto* target = static_cast<PngTarget*>(png_get_io_ptr(png));
    errno = 0;
    if (std::fflush(target->fp) != 0) {
        target->write_errno = errno != 0 ? errno : EIO;
        png_error(png, "Write Error");
    }
}

void png_failed(png_structp png, png_const_charp message)
{
    auto* target = static_cast<PngTarget*>(png_get_error_ptr(png));
    std::snprintf(target->message, sizeof target->message, "%s", message);
    png_longjmp(png, 1);
}

void png_warned(png_structp, png_const_charp)
{
    // Warnings while writing concern nothing the picture needs; stay quiet.
}

// Encodes into the open file; false with libpng's message in `target`.
bool encode_png(FILE* fp, const unsigned char* pixels, int width, int height, int channels,
                bool bottom_up, PngTarget* target)
{
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, target, png_failed, png_warned);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(target->message, sizeof target->message, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    target->fp = fp;
    png_set_write_fn(png, target, png_write_bytes, png_flush_bytes);
    // Exports of a live view must be quick; pictures of a globe on black
    // compress well at a low level already.
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = size_t(width) * channels;
    for (int y = 0; y < height; y++) {
        const int row = bottom_up ? height - 1 - y : y;
        png_write_row(png, pixels + size_t(row) * stride);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool write_png_file(const std::string& path, const unsigned char* pixels, int width, int height,
                    int channels, bool bottom_up, std::string* error)
{
    size_t bytes = 0;
    if (pixels == nullptr || (channels != 3 && channels != 4) ||
        !image_byte_count(width, height, channels, &bytes)) {
        *error = "no picture to write";
        return false;
    }
    const std::string partial = path + ".part";
    FILE* fp = std::fopen(partial.c_str(), "wb");
    if (fp == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    PngTarget target{};
    bool written = encode_png(fp, pixels, width, height, channels, bottom_up, &target);
    if (!written)
        *error = target.write_errno != 0 ? std::strerror(target.write_errno) : target.message;
    // A full disk often shows only when the last buffer is flushed.
    if (std::fflush(fp) != 0 || std::ferror(fp)) {
        if (written)
            *error = std::strerror(errno);
        written = false;
    }
    if (std::fclose(fp) != 0 && written) {
        *error = std::strerror(errno);
        written = false;
    }
    if (written && std::rename(partial.c_str(), path.c_str()) != 0) {
        *error = std::strerror(errno);
        written = false;
    }
    if (!written)
        std::remove(partial.c_str());
    return written;
}
