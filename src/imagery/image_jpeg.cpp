// image_jpeg.cpp — the two JPEG readers, through libjpeg. No GL here.
//
// libjpeg reports a fatal error through a hook that must not return: ours has
// the library's message told (printed, or kept for the caller, see
// keep_jpeg_messages) and long-jumps back into decode_jpeg. That
// function keeps nothing with a destructor in its frame (the jump would skip
// it) and hands a raw buffer to the readers, which wrap it.
#include "imagery/image_readers.h"

#include <csetjmp>
#include <cstdio>
#include <new>

// clang-format off
#include <jpeglib.h>  // needs <cstdio> first
#include <jerror.h>
// clang-format on

#include "core/tyxparam.h"
#include "imagery/image_problem.h"

namespace {

// A progressive file costs a pass over the whole image per scan; real files
// have about ten. Crafted ones with thousands would stall the viewer.
constexpr int kMaxScans = 500;

// Messages of our own, numbered after the library's.
enum { kMsgTooManyScans = 1000 };
const char* const kAddonMessages[] = {"Too many scans in JPEG file (more than %d)", nullptr};

struct JpegErrorManager {
    jpeg_error_mgr pub; // first, so libjpeg's pointer to it is a pointer to this
    jmp_buf jump;       // target in decode_jpeg
};

// Replaces the library's output: a message (an error, or the first warning of
// a file) goes to standard error as the library would print it, or becomes the
// read's problem while the caller collects messages. An error replaces a
// warning kept before it; of warnings the first is kept.
void tell_message(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    if (!jpeg_messages_are_kept())
        std::fprintf(stderr, "%s\n", text);
    else if (last_image_problem().empty())
        set_image_problem(text);
}

// Replaces the error exit: the message told, then back to decode_jpeg.
void my_error_exit(j_common_ptr cinfo)
{
    clear_image_problem();
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

// Progress hook, called by libjpeg between rows while it reads the input.
void limit_scans(j_common_ptr cinfo)
{
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT1(cinfo, kMsgTooManyScans, kMaxScans);
}

// (a * b) / 255 rounded, for a, b in 0 .. 255.
inline unsigned char mul255(unsigned a, unsigned b)
{
    const unsigned t = a * b + 128;
    return static_cast<unsigned char>((t + (t >> 8)) >> 8);
}

// CMYK row to packed RGB, or to BGRA with alpha 255. Adobe files
// (saw_Adobe_marker) store the inks inverted, 255 meaning no ink; plain
// files store the ink itself.
void cmyk_to_rgb(const unsigned char* cmyk, unsigned char* out, unsigned width, bool inverted,
                 bool bgra)
{
    const unsigned flip = inverted ? 0 : 255;
    for (unsigned x = 0; x < width; x++, cmyk += 4) {
        const unsigned k = cmyk[3] ^ flip;
        const unsigned char r = mul255(cmyk[0] ^ flip, k);
        const unsigned char g = mul255(cmyk[1] ^ flip, k);
        const unsigned char b = mul255(cmyk[2] ^ flip, k);
        if (bgra) {
            out[0] = b;
            out[1] = g;
            out[2] = r;
            out[3] = 255;
            out += 4;
        } else {
            out[0] = r;
            out[1] = g;
            out[2] = b;
            out += 3;
        }
    }
}

// Spreads a row of packed RGB at the start of `row` to RGBA in place (from
// the right, so no pixel is overwritten before it is read). Alpha is
// dark_alpha where R + G + B <= 10, else 255 (with `keep_dark` false, 255
// everywhere).
void add_alpha(unsigned char* row, unsigned width, unsigned char dark_alpha, bool keep_dark)
{
    for (unsigned x = width; x-- > 0;) {
        const unsigned char r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
        unsigned char* out = row + 4 * size_t(x);
        out[0] = r;
        out[1] = g;
        out[2] = b;
        out[3] = keep_dark && unsigned(r) + g + b <= 10 ? dark_alpha : 255;
    }
}

// The toumei rule on a row that is already four bytes a pixel, in either order.
void clear_dark(unsigned char* row, unsigned width, unsigned char dark_alpha)
{
    for (unsigned x = 0; x < width; x++, row += 4)
        if (unsigned(row[0]) + row[1] + row[2] <= 10)
            row[3] = dark_alpha;
}

// Decodes the JPEG in fp in one pass into a new buffer in the layout of
// `request`. Returns null after any library error (its message already
// told). The size goes to the out-parameters once decompression has started.
unsigned char* decode_jpeg(FILE* fp, int* width, int* height, const ReadRequest& request)
{
    jpeg_decompress_struct cinfo;
    JpegErrorManager jerr;
    jpeg_progress_mgr progress;
    unsigned char* volatile pixels = nullptr; // read again after a long jump

    clear_image_problem();
    cinfo.err = jpeg_std_error(&jerr.pub);
    jerr.pub.error_exit = my_error_exit;
    jerr.pub.output_message = tell_message;
    jerr.pub.addon_message_table = kAddonMessages;
    jerr.pub.first_addon_message = kMsgTooManyScans;
    jerr.pub.last_addon_message = kMsgTooManyScans;
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] pixels;
        return nullptr;
    }

    jpeg_create_decompress(&cinfo);
    progress.progress_monitor = limit_scans;
    cinfo.progress = &progress;
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > unsigned(kMaxImageSide) || cinfo.image_height > unsigned(kMaxImageSide))
        ERREXIT1(&cinfo, JERR_IMAGE_TOO_BIG, kMaxImageSide);
    // libjpeg converts greyscale and YCbCr to RGB, and libjpeg-turbo straight
    // to BGRA with alpha 255, but neither CMYK nor YCCK; those come out as
    // CMYK and are converted here.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : request.bgra ? JCS_EXT_BGRA : JCS_RGB;
    jpeg_start_decompress(&cinfo);

    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    const int channels = request_channels(request);
    const bool toumei = request.look == ImageLook::toumei;
    const int decoded = cmyk || request.bgra ? 4 : 3;
    size_t bytes = 0;
    if (cinfo.output_components != decoded || !image_byte_count(w, h, channels, &bytes))
        ERREXIT(&cinfo, JERR_CONVERSION_NOTIMPL);
    unsigned char* const out = allocate_pixels(bytes);
    if (!out)
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
    pixels = out;
    *width = w;
    *height = h;

    JSAMPARRAY cmyk_row = nullptr;
    if (cmyk)
        cmyk_row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              cinfo.output_width * 4, 1);
    const size_t stride = size_t(w) * channels;
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* row = out + cinfo.output_scanline * stride;
        JSAMPROW target = cmyk ? cmyk_row[0] : row;
        if (jpeg_read_scanlines(&cinfo, &target, 1) != 1)
            ERREXIT(&cinfo, JERR_INPUT_EOF); // only a suspending source returns no row
        if (cmyk)
            cmyk_to_rgb(cmyk_row[0], row, cinfo.output_width, cinfo.saw_Adobe_marker, request.bgra);
        if (request.bgra) {
            if (toumei)
                clear_dark(row, cinfo.output_width, request.dark_alpha);
        } else if (channels == 4) {
            add_alpha(row, cinfo.output_width, request.dark_alpha, toumei);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

// Quiet error exit for the size probe: back to read_jpeg_size, nothing told.
void quiet_error_exit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

// Empty on purpose: libjpeg's own warnings are dropped, since the loader
// reports a damaged map once in its own words.
void no_message(j_common_ptr) {}

} // namespace

PixelBuffer read_jpeg_image(FILE* fp, const ReadRequest& request, int* width, int* height)
{
    return PixelBuffer(decode_jpeg(fp, width, height, request));
}

bool read_jpeg_size(FILE* fp, int* width, int* height)
{
    jpeg_decompress_struct cinfo;
    JpegErrorManager jerr;
    cinfo.err = jpeg_std_error(&jerr.pub);
    jerr.pub.error_exit = quiet_error_exit;
    jerr.pub.output_message = no_message;
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    *width = int(cinfo.image_width);
    *height = int(cinfo.image_height);
    jpeg_destroy_decompress(&cinfo);
    return *width > 0 && *height > 0;
}

PixelBuffer load_image_jpeg(FILE* fp, int* width, int* height)
{
    return read_jpeg_image(fp, ReadRequest{}, width, height);
}

PixelBuffer load_image_jpeg_toumei(FILE* fp, int* width, int* height)
{
    ReadRequest request;
    request.look = ImageLook::toumei;
    request.dark_alpha = jpeg_dark_alpha(series.screen_transparency);
    return read_jpeg_image(fp, request, width, height);
}
