// image_png.cpp — the PNG readers, through libpng. No GL here.
//
// Every colour type and bit depth comes out as 8-bit RGB or RGBA: palettes
// are expanded, grey becomes RGB, 16-bit samples are rounded to 8 bits,
// interlaced files are put together, and a tRNS chunk counts as an alpha
// channel. Gamma and colour-profile chunks are skipped like every other
// ancillary chunk: samples are shown as stored, as the PPM and JPEG readers
// show theirs.
//
// libpng reports a fatal error through a hook that must not return: ours
// copies the message and long-jumps back into decode_png. That function keeps
// nothing with a destructor in its frame (the jump would skip it) and hands a
// raw buffer to the readers, which wrap it.
#include "imagery/image_readers.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "imagery/image_problem.h"

namespace {

// What a reader makes of the decoded pixels.
enum class PngLook {
    rgb,    // RGB; transparent parts composited over black
    toumei, // RGBA; the file's alpha, or pure black clear when it has none
    alpha,  // RGBA; the file's alpha, or opaque when it has none
    pushed, // RGBA; the pressed-icon silhouette of the visible coloured pixels
};

// Carried through libpng to the hooks.
struct PngSource {
    FILE* fp;
    char message[512]; // libpng's message of the error that ended the read
    char warning[256]; // its latest warning, which often says what the error means
};

// Ancillary chunks (text, profiles) are skipped, but one may still claim
// memory before it is recognised as unwanted; this bounds each.
constexpr png_alloc_size_t kMaxChunkBytes = 1 << 20;

// "Invalid IHDR data (Image width exceeds user limit in IHDR)": the error,
// and the warning that came just before it, which names the cause.
void png_failed(png_structp png, png_const_charp message)
{
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    if (source->warning[0] != '\0')
        std::snprintf(source->message, sizeof source->message, "%s (%s)", message, source->warning);
    else
        std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings alone concern damaged ancillary chunks, which are not used: the
// image is whole when the read succeeds, and nothing is told.
void png_warned(png_structp png, png_const_charp message)
{
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->warning, sizeof source->warning, "%s", message);
}

void read_from_file(png_structp png, png_bytep data, size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, source->fp) != length)
        png_error(png, std::ferror(source->fp) ? "Read Error"
                                               : "Read Error: the file ends before the image does");
}

// (a * b) / 255 rounded, for a, b in 0 .. 255.
inline unsigned char mul255(unsigned a, unsigned b)
{
    const unsigned t = a * b + 128;
    return static_cast<unsigned char>((t + (t >> 8)) >> 8);
}

// Turns one decoded row of four bytes per pixel (RGBA, or RGB and a filler
// of 255 when the file has no alpha; BGRA in the driver's order) into the
// reader's layout, in place. For the rgb look the result is packed to three
// bytes from the left, which never overtakes the reading, or in four-byte
// order kept with alpha 255. Rows that are already right (opaque out of a file
// without alpha, the file's own alpha kept) never come here.
void convert_row(unsigned char* row, unsigned width, PngLook look, bool four_bytes)
{
    switch (look) {
    case PngLook::rgb:
        if (four_bytes) {
            for (unsigned x = 0; x < width; x++) {
                unsigned char* p = row + 4 * size_t(x);
                p[0] = mul255(p[0], p[3]);
                p[1] = mul255(p[1], p[3]);
                p[2] = mul255(p[2], p[3]);
                p[3] = 255;
            }
            break;
        }
        for (unsigned x = 0; x < width; x++) {
            const unsigned char* in = row + 4 * size_t(x);
            const unsigned a = in[3];
            unsigned char* out = row + 3 * size_t(x);
            const unsigned char r = mul255(in[0], a), g = mul255(in[1], a), b = mul255(in[2], a);
            out[0] = r;
            out[1] = g;
            out[2] = b;
        }
        break;
    case PngLook::toumei: // only for files without alpha
        for (unsigned x = 0; x < width; x++) {
            unsigned char* p = row + 4 * size_t(x);
            p[3] = (p[0] | p[1] | p[2]) ? 255 : 0;
        }
        break;
    case PngLook::alpha:
        break;
    case PngLook::pushed:
        for (unsigned x = 0; x < width; x++) {
            unsigned char* p = row + 4 * size_t(x);
            const bool coloured = p[0] && p[1] && p[2] && p[3];
            p[0] = p[1] = p[2] = coloured ? 10 : 0;
            p[3] = coloured ? 130 : 0;
        }
        break;
    }
}

// Tells the message of a failed read: kept as the problem while the caller
// collects messages (keep_jpeg_messages covers both libraries), else printed
// as libpng prints its own.
void tell_png_failure(const char* message)
{
    if (jpeg_messages_are_kept())
        set_image_problem(message);
    else
        std::fprintf(stderr, "libpng error: %s\n", message);
}

// Decodes the PNG in fp into a new[] buffer in `look`'s layout, in the order
// B, G, R, A with four bytes a pixel when `bgra`. Returns null after any
// library error (its message told). The size goes to the out-parameters only
// on success.
unsigned char* decode_png(FILE* fp, int* width, int* height, PngLook look, bool bgra)
{
    PngSource source{fp, "out of memory", ""};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, png_failed, png_warned);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        tell_png_failure(source.message);
        return nullptr;
    }
    // Both read again after a long jump.
    unsigned char* volatile pixels = nullptr;
    unsigned char* volatile staging = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete[] pixels;
        delete[] staging;
        tell_png_failure(source.message);
        return nullptr;
    }

    png_set_read_fn(png, &source, read_from_file);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    // Everything but the image's own chunks (IHDR, PLTE, tRNS, IDAT, IEND).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);

    const unsigned w = png_get_image_width(png, info);
    const unsigned h = png_get_image_height(png, info);
    const int colour_type = png_get_color_type(png, info);
    const int bit_depth = png_get_bit_depth(png, info);
    const bool has_trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool file_alpha = (colour_type & PNG_COLOR_MASK_ALPHA) != 0 || has_trns;

    if (colour_type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (has_trns)
        png_set_tRNS_to_alpha(png);
    if (bit_depth == 16)
        png_set_scale_16(png);
    if ((colour_type & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
    if (bgra)
        png_set_bgr(png);
    const bool rgb_out = look == PngLook::rgb && !bgra;
    if (!file_alpha && !rgb_out)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    // libpng gives four bytes per pixel except for RGB out of a file without
    // alpha, which it gives packed as the result wants.
    const bool direct = !(rgb_out && file_alpha);
    const int decoded_channels = rgb_out && !file_alpha ? 3 : 4;
    const int channels = rgb_out ? 3 : 4;
    size_t bytes = 0;
    if (png_get_rowbytes(png, info) != size_t(w) * decoded_channels ||
        !image_byte_count(int(w), int(h), channels, &bytes))
        png_error(png, "unsupported PNG layout");
    unsigned char* const out = allocate_pixels(bytes);
    if (out == nullptr)
        png_error(png, "not enough memory for the image");
    pixels = out;

    // Where libpng writes: the result itself, or for RGB out of a file with
    // alpha a separate RGBA row (or whole image when interlaced, since every
    // pass revisits every row).
    const size_t decoded_stride = size_t(w) * decoded_channels;
    const size_t stride = size_t(w) * channels;
    unsigned char* decoded = out;
    if (!direct) {
        size_t staging_bytes = 0;
        if (!image_byte_count(int(w), passes > 1 ? int(h) : 1, 4, &staging_bytes))
            png_error(png, "unsupported PNG layout");
        staging = new (std::nothrow) unsigned char[staging_bytes];
        if (staging == nullptr)
            png_error(png, "not enough memory for the image");
        decoded = staging;
    }

    bool convert = true;
    if (look == PngLook::rgb)
        convert = file_alpha;
    else if (look == PngLook::toumei)
        convert = !file_alpha;
    else if (look == PngLook::alpha)
        convert = false;
    if (passes == 1) {
        for (unsigned y = 0; y < h; y++) {
            unsigned char* row = direct ? out + y * stride : decoded;
            png_read_row(png, row, nullptr);
            if (convert)
                convert_row(row, w, look, bgra);
            if (!direct)
                std::memcpy(out + y * stride, row, stride);
        }
    } else {
        for (int pass = 0; pass < passes; pass++)
            for (unsigned y = 0; y < h; y++)
                png_read_row(png, decoded + y * decoded_stride, nullptr);
        for (unsigned y = 0; y < h; y++) {
            unsigned char* row = decoded + y * decoded_stride;
            if (convert)
                convert_row(row, w, look, bgra);
            if (!direct)
                std::memcpy(out + y * stride, row, stride);
        }
    }
    // The chunks after the image are not needed, and a file cut short after
    // its last image data still shows.
    png_destroy_read_struct(&png, &info, nullptr);
    delete[] staging;
    *width = int(w);
    *height = int(h);
    return out;
}

PixelBuffer read_png(FILE* fp, int* width, int* height, PngLook look, bool bgra = false)
{
    clear_image_problem();
    return PixelBuffer(decode_png(fp, width, height, look, bgra));
}

// The eight-byte signature, then the IHDR chunk: length, type, width, height.
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

unsigned big_endian(const unsigned char* p)
{
    return unsigned(p[0]) << 24 | unsigned(p[1]) << 16 | unsigned(p[2]) << 8 | p[3];
}

} // namespace

PixelBuffer read_png_image(FILE* fp, const ReadRequest& request, int* width, int* height)
{
    const PngLook look = request.look == ImageLook::opaque   ? PngLook::rgb
                         : request.look == ImageLook::toumei ? PngLook::toumei
                                                             : PngLook::alpha;
    return read_png(fp, width, height, look, request.bgra);
}

bool read_png_size(FILE* fp, int* width, int* height)
{
    unsigned char head[24];
    if (std::fread(head, 1, sizeof head, fp) != sizeof head ||
        std::memcmp(head, kPngSignature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0)
        return false;
    const unsigned w = big_endian(head + 16), h = big_endian(head + 20);
    if (w < 1 || w > unsigned(kMaxImageSide) || h < 1 || h > unsigned(kMaxImageSide))
        return false;
    *width = int(w);
    *height = int(h);
    return true;
}

PixelBuffer load_image_png(FILE* fp, int* width, int* height)
{
    return read_png(fp, width, height, PngLook::rgb);
}

PixelBuffer load_image_png_toumei(FILE* fp, int* width, int* height)
{
    return read_png(fp, width, height, PngLook::toumei);
}

PixelBuffer load_image_png_alpha(FILE* fp, int* width, int* height)
{
    return read_png(fp, width, height, PngLook::alpha);
}

PixelBuffer load_image_png_pushed(FILE* fp, int* width, int* height)
{
    return read_png(fp, width, height, PngLook::pushed);
}
