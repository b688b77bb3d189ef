// image_ppm.cpp — the three binary PPM readers: plain RGB, RGBA with black
// made clear, and the pressed-icon silhouette. No GL here.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "imagery/image_problem.h"
#include "imagery/ppm_header.h"

namespace {

enum class PpmLook {
    rgb,    // three bytes per pixel as stored
    opaque, // four bytes per pixel, alpha 255
    toumei, // RGBA; pure black gets alpha 0
    pushed, // RGBA; fully coloured pixels become translucent dark grey
};

// Pixels read per chunk when samples are converted on the way in.
constexpr size_t kChunkPixels = 4096;

// Brings `count` samples of a file whose maximum is not 255 to 0 .. 255, in
// place. Two-byte samples (big-endian, maximum above 255) are packed to one
// byte each. Values above the maximum count as the maximum.
void scale_samples(unsigned char* samples, size_t count, unsigned maxval)
{
    if (maxval > 255) {
        for (size_t i = 0; i < count; i++) {
            unsigned v = unsigned(samples[2 * i]) << 8 | samples[2 * i + 1];
            v = std::min(v, maxval);
            samples[i] = static_cast<unsigned char>((v * 255 + maxval / 2) / maxval);
        }
        return;
    }
    unsigned char table[256];
    for (unsigned v = 0; v < 256; v++)
        table[v] = static_cast<unsigned char>((std::min(v, maxval) * 255 + maxval / 2) / maxval);
    for (size_t i = 0; i < count; i++)
        samples[i] = table[samples[i]];
}

// Writes n pixels from packed RGB into `out` in the reader's layout, the
// colours in the order B, G, R when `bgra`.
void put_pixels(const unsigned char* rgb, size_t n, PpmLook look, bool bgra, unsigned char* out)
{
    const int red = bgra ? 2 : 0, blue = bgra ? 0 : 2;
    switch (look) {
    case PpmLook::rgb:
        std::memcpy(out, rgb, n * 3);
        break;
    case PpmLook::opaque:
    case PpmLook::toumei:
        for (size_t i = 0; i < n; i++, rgb += 3, out += 4) {
            out[red] = rgb[0];
            out[1] = rgb[1];
            out[blue] = rgb[2];
            out[3] = look == PpmLook::opaque || (rgb[0] | rgb[1] | rgb[2]) ? 255 : 0;
        }
        break;
    case PpmLook::pushed:
        for (size_t i = 0; i < n; i++, rgb += 3, out += 4) {
            const bool coloured = rgb[0] && rgb[1] && rgb[2];
            out[0] = out[1] = out[2] = coloured ? 10 : 0;
            out[3] = coloured ? 130 : 0;
        }
        break;
    }
}

// The one pass shared by the three readers: header, buffer, samples. A short
// sample block leaves the missing pixels as if their samples were zero.
PixelBuffer read_ppm(FILE* fp, int* width, int* height, PpmLook look, bool bgra = false)
{
    clear_image_problem();
    PpmHeader header;
    if (!parse_ppm_header(fp, &header))
        return nullptr;
    const int channels = look == PpmLook::rgb ? 3 : 4;
    size_t bytes = 0;
    if (!image_byte_count(header.width, header.height, channels, &bytes))
        return nullptr;
    PixelBuffer pixels(allocate_pixels(bytes));
    if (!pixels) {
        set_image_problem("not enough memory for " + std::to_string(header.width) + " x " +
                          std::to_string(header.height) + " pixels");
        return nullptr;
    }

    const size_t sample_bytes = header.maxval > 255 ? 2 : 1;
    size_t samples_read = 0; // bytes
    if (look == PpmLook::rgb && header.maxval == 255) {
        samples_read = std::fread(pixels.get(), 1, bytes, fp);
        std::memset(pixels.get() + samples_read, 0, bytes - samples_read);
    } else {
        const size_t total = bytes / channels;
        unsigned char chunk[kChunkPixels * 3 * 2];
        bool short_file = false;
        for (size_t first = 0, n = 0; first < total; first += n) {
            n = std::min(kChunkPixels, total - first);
            const size_t want = n * 3 * sample_bytes;
            const size_t got = short_file ? 0 : std::fread(chunk, 1, want, fp);
            samples_read += got;
            if (got < want) {
                std::memset(chunk + got, 0, want - got);
                short_file = true;
            }
            if (header.maxval != 255)
                scale_samples(chunk, n * 3, unsigned(header.maxval));
            put_pixels(chunk, n, look, bgra, pixels.get() + first * channels);
        }
    }
    const size_t expected = size_t(header.width) * header.height * 3 * sample_bytes;
    if (samples_read < expected)
        set_image_problem("the file ends after " + std::to_string(samples_read) + " of " +
                          std::to_string(expected) + " pixel bytes; the rest is shown black");
    *width = header.width;
    *height = header.height;
    return pixels;
}

} // namespace

PixelBuffer read_ppm_image(FILE* fp, const ReadRequest& request, int* width, int* height)
{
    PpmLook look = request.look == ImageLook::toumei ? PpmLook::toumei
                   : request_channels(request) == 4  ? PpmLook::opaque
                                                     : PpmLook::rgb;
    return read_ppm(fp, width, height, look, request.bgra);
}

bool read_ppm_size(FILE* fp, int* width, int* height)
{
    PpmHeader header;
    if (!parse_ppm_header(fp, &header))
        return false;
    *width = header.width;
    *height = header.height;
    return true;
}

PixelBuffer load_image(FILE* fp, int* width, int* height)
{
    return read_ppm(fp, width, height, PpmLook::rgb);
}

PixelBuffer load_image_toumei(FILE* fp, int* width, int* height)
{
    return read_ppm(fp, width, height, PpmLook::toumei);
}

PixelBuffer load_image_pushed(FILE* fp, int* width, int* height)
{
    return read_ppm(fp, width, height, PpmLook::pushed);
}
