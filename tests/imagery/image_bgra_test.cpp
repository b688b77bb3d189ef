// image_bgra_test.cpp — the readers' four-byte B, G, R, A output: for every
// format and look the same colours and alpha as the classic layout, so that
// a map decoded for the driver's order shows exactly as before; and the
// header size probes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imagery/image_readers.h"
#include "support/png_files.h"
#include "support/temp_dir.h"
#include "tools/jpeg_io.h"

namespace {

using Read = PixelBuffer (*)(FILE*, const ReadRequest&, int*, int*);
using Size = bool (*)(FILE*, int*, int*);

struct FileCase {
    const char* name;
    std::string bytes;
    Read read;
    Size size;
};

std::string jpeg_of(int components, int colour_space)
{
    JpegSamples samples;
    samples.width = 9;
    samples.height = 5;
    samples.components = components;
    samples.colour_space = colour_space;
    for (int i = 0; i < 9 * 5 * components; i++)
        samples.data.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? 1 : (i * 37) % 256));
    std::string error;
    return encode_jpeg(samples, 90, &error);
}

std::vector<FileCase> files()
{
    std::string ppm = "P6\n9 5\n255\n";
    for (int i = 0; i < 9 * 5 * 3; i++)
        ppm += static_cast<char>(i % 5 == 0 ? 0 : (i * 53) % 256);
    std::vector<unsigned char> rgba;
    for (int i = 0; i < 9 * 5; i++)
        rgba.insert(rgba.end(), {static_cast<unsigned char>(i * 9), static_cast<unsigned char>(i),
                                 static_cast<unsigned char>(200 - i),
                                 static_cast<unsigned char>(i % 3 == 0 ? 0 : 40 * (i % 7))});
    std::vector<unsigned char> rgb;
    for (size_t i = 0; i < rgba.size(); i++)
        if (i % 4 != 3)
            rgb.push_back(i % 12 == 0 ? 0 : rgba[i]);
    return {
        {"PPM", ppm, read_ppm_image, read_ppm_size},
        {"JPEG", jpeg_of(3, 2), read_jpeg_image, read_jpeg_size},
        {"grey JPEG", jpeg_of(1, 1), read_jpeg_image, read_jpeg_size},
        {"CMYK JPEG", jpeg_of(4, 4), read_jpeg_image, read_jpeg_size},
        {"PNG", pixels_png(9, 5, 3, rgb), read_png_image, read_png_size},
        {"PNG with alpha", pixels_png(9, 5, 4, rgba), read_png_image, read_png_size},
    };
}

struct Decoded {
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
};

Decoded decode(TempDir& dir, const FileCase& file, const ReadRequest& request)
{
    dir.write("image", file.bytes);
    FILE* fp = std::fopen((dir.path() + "/image").c_str(), "rb");
    Decoded d;
    ::testing::internal::CaptureStderr();
    PixelBuffer pixels = file.read(fp, request, &d.width, &d.height);
    ::testing::internal::GetCapturedStderr();
    std::fclose(fp);
    if (pixels)
        d.pixels.assign(pixels.get(),
                        pixels.get() + size_t(d.width) * d.height * request_channels(request));
    return d;
}

TEST(ImageBgra, EveryReaderGivesTheClassicColoursInTheDriversOrder)
{
    TempDir dir;
    for (const FileCase& file : files()) {
        for (ImageLook look : {ImageLook::opaque, ImageLook::toumei, ImageLook::alpha}) {
            SCOPED_TRACE(std::string(file.name) + " look " + std::to_string(int(look)));
            ReadRequest classic;
            classic.look = look;
            classic.dark_alpha = 77;
            ReadRequest bgra = classic;
            bgra.bgra = true;
            const Decoded a = decode(dir, file, classic);
            const Decoded b = decode(dir, file, bgra);
            ASSERT_FALSE(a.pixels.empty());
            ASSERT_EQ(b.width, 9);
            ASSERT_EQ(b.height, 5);
            ASSERT_EQ(b.pixels.size(), size_t(9 * 5 * 4));
            const int n = request_channels(classic);
            for (int i = 0; i < 9 * 5; i++) {
                const unsigned char* c = &a.pixels[size_t(i) * n];
                const unsigned char* d = &b.pixels[size_t(i) * 4];
                ASSERT_EQ(std::vector<int>({d[2], d[1], d[0]}),
                          std::vector<int>({c[0], c[1], c[2]}))
                    << "pixel " << i;
                ASSERT_EQ(d[3], n == 4 ? c[3] : 255) << "pixel " << i;
            }
        }
        dir.write("image", file.bytes);
        FILE* fp = std::fopen((dir.path() + "/image").c_str(), "rb");
        int width = 0, height = 0;
        EXPECT_TRUE(file.size(fp, &width, &height)) << file.name;
        std::fclose(fp);
        EXPECT_EQ(width, 9) << file.name;
        EXPECT_EQ(height, 5) << file.name;
    }
}

TEST(ImageBgra, SizeProbesRefuseWhatIsNoImageOfTheirFormat)
{
    TempDir dir;
    for (const FileCase& file : files()) {
        for (const std::string& bytes :
             {std::string("GIF89a plus some more bytes here"), file.bytes.substr(0, 6)}) {
            dir.write("image", bytes);
            FILE* fp = std::fopen((dir.path() + "/image").c_str(), "rb");
            int width = -1, height = -1;
            EXPECT_FALSE(file.size(fp, &width, &height)) << file.name << " " << bytes.size();
            std::fclose(fp);
        }
    }
}

} // namespace
