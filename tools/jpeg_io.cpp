// jpeg_io.cpp — libjpeg decoding and encoding with errors returned, never exits.
#include "jpeg_io.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// The library's error manager extended by the jump back into the caller.
struct JumpingErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jump_back(j_common_ptr info)
{
    JumpingErrors* errors = reinterpret_cast<JumpingErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// The libjpeg calls live in functions without C++ objects that need
// destructors, so the long jump skips nothing.
bool decode(std::FILE* file, Picture* picture, char* message)
{
    jpeg_decompress_struct info;
    JumpingErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jump_back;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture->width = static_cast<int>(info.output_width);
    picture->height = static_cast<int>(info.output_height);
    picture->rgb.assign(static_cast<size_t>(info.output_width) * info.output_height * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            &picture->rgb[static_cast<size_t>(info.output_scanline) * info.output_width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Compresses into a buffer the library allocates; `*buffer` is released by
// the caller (also after a failure).
bool encode(const JpegSamples& samples, int quality,
            const std::function<void(jpeg_compress_struct&)>* adjust, unsigned char** buffer,
            unsigned long* size, char* message)
{
    jpeg_compress_struct info;
    JumpingErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jump_back;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(samples.width);
    info.image_height = static_cast<JDIMENSION>(samples.height);
    info.input_components = samples.components;
    info.in_color_space = static_cast<J_COLOR_SPACE>(samples.colour_space);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (*adjust)
        (*adjust)(info);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(samples.width) * samples.components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&samples.data[info.next_scanline * stride]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool read_jpeg(const std::string& path, Picture* picture, std::string* error)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = "cannot open " + path;
        return false;
    }
    char message[JMSG_LENGTH_MAX];
    const bool ok = decode(file, picture, message);
    std::fclose(file);
    if (!ok)
        *error = path + ": " + message;
    return ok;
}

std::string encode_jpeg(const JpegSamples& samples, int quality, std::string* error,
                        const std::function<void(jpeg_compress_struct&)>& adjust)
{
    if (samples.width <= 0 || samples.height <= 0 || samples.components <= 0 ||
        samples.data.size() !=
            static_cast<size_t>(samples.width) * samples.height * samples.components) {
        *error = "no samples to encode";
        return {};
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX];
    bool ok = encode(samples, quality, &adjust, &buffer, &size, message);
    std::string bytes = ok ? std::string(reinterpret_cast<char*>(buffer), size) : std::string();
    std::free(buffer);
    if (!ok)
        *error = message;
    return bytes;
}

bool write_file(const std::string& path, const std::string& bytes, std::string* error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write " + path;
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok)
        *error = path + ": write error";
    return ok;
}

bool write_jpeg(const std::string& path, const Picture& picture, int quality, std::string* error)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * 3) {
        *error = path + ": no picture to write";
        return false;
    }
    JpegSamples samples;
    samples.width = picture.width;
    samples.height = picture.height;
    samples.data = picture.rgb;
    std::string reason;
    std::string bytes = encode_jpeg(samples, quality, &reason);
    if (bytes.empty()) {
        *error = path + ": " + reason;
        return false;
    }
    return write_file(path, bytes, error);
}
