// image_png_test.cpp — PNG readers on files written here with libpng: every
// colour type and bit depth in each reader's layout, the readers the series
// layers and icons get, and broken or hostile files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imagery/image_readers.h"
#include "imagery/series_files.h"
#include "imagery/series_loading.h"
#include "support/png_files.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

using Reader = PixelBuffer (*)(FILE*, int*, int*);

struct Decoded {
    PixelBuffer pixels;
    int width = -1, height = -1; // -1: not stored by the reader
    std::string printed;         // what went to standard error
    std::vector<int> pixel(int x, int y, int channels) const
    {
        const unsigned char* p = &pixels[(size_t(y) * width + x) * channels];
        return std::vector<int>(p, p + channels);
    }
};

Decoded decode(const std::string& path, Reader reader)
{
    Decoded d;
    FILE* fp = std::fopen(path.c_str(), "rb");
    EXPECT_NE(fp, nullptr) << path;
    if (fp != nullptr) {
        ::testing::internal::CaptureStderr();
        d.pixels = reader(fp, &d.width, &d.height);
        d.printed = ::testing::internal::GetCapturedStderr();
        std::fclose(fp);
    }
    return d;
}

// Stored sample of channel c at (x, y) for `bits` bits: spread over the whole
// range, with pixel (0, 0) all zero (black, and clear where there is alpha).
unsigned stored_sample(int x, int y, int c, int bits)
{
    if (x == 0 && y == 0)
        return 0;
    const unsigned levels = 1u << bits;
    return (unsigned(x * 7 + y * 13 + c * 5) * 40503u) % levels;
}

// What a stored sample is in 8 bits: the range scaled, 16 bits rounded.
int eight_bit(unsigned v, int bits)
{
    if (bits == 16)
        return int((v * 255ull + 32767) / 65535);
    return int(v * 255 / ((1u << bits) - 1));
}

png_color palette_colour(unsigned i)
{
    if (i == 0)
        return {0, 0, 0};
    return {static_cast<png_byte>(i * 11), static_cast<png_byte>(i * 29 + 7),
            static_cast<png_byte>(i * 53 + 1)};
}

struct ColourCase {
    const char* name;
    int colour_type;
    int bit_depth;
    bool interlaced;
    bool transparency; // a tRNS chunk
};

// The file of `c` and the RGBA it shows (alpha 255 where the file has none).
struct Made {
    std::string file;
    std::vector<std::vector<int>> rgba; // per pixel, rows top first
    bool alpha = false;
};

Made make(const ColourCase& c, int width, int height)
{
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colour_type = c.colour_type;
    layout.bit_depth = c.bit_depth;
    layout.interlaced = c.interlaced;
    const int channels = png_channels(c.colour_type);
    const bool palette = c.colour_type == PNG_COLOR_TYPE_PALETTE;
    if (palette) {
        for (unsigned i = 0; i < (1u << c.bit_depth); i++)
            layout.palette.push_back(palette_colour(i));
        if (c.transparency)
            layout.palette_alpha = {0, 128, 255, 7}; // later entries opaque
    }
    // The colour key: the stored value of pixel (1, 0).
    if (c.transparency && !palette) {
        layout.colour_key = true;
        layout.key.gray = png_uint_16(stored_sample(1, 0, 0, c.bit_depth));
        layout.key.red = layout.key.gray;
        layout.key.green = png_uint_16(stored_sample(1, 0, 1, c.bit_depth));
        layout.key.blue = png_uint_16(stored_sample(1, 0, 2, c.bit_depth));
    }

    Made made;
    made.alpha = (c.colour_type & PNG_COLOR_MASK_ALPHA) != 0 || c.transparency;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            std::vector<unsigned> s;
            for (int k = 0; k < channels; k++)
                s.push_back(stored_sample(x, y, k, c.bit_depth));
            layout.samples.insert(layout.samples.end(), s.begin(), s.end());
            // Built in place: GCC 12 at -O3 takes an initializer list
            // assigned to an empty vector for a copy into a null buffer.
            if (palette) {
                const png_color p = palette_colour(s[0]);
                const bool listed = s[0] < layout.palette_alpha.size();
                made.rgba.push_back(
                    {p.red, p.green, p.blue, listed ? layout.palette_alpha[s[0]] : 255});
            } else {
                const bool colour = (c.colour_type & PNG_COLOR_MASK_COLOR) != 0;
                const int r = eight_bit(s[0], c.bit_depth);
                const int g = colour ? eight_bit(s[1], c.bit_depth) : r;
                const int b = colour ? eight_bit(s[2], c.bit_depth) : r;
                int a = 255;
                if (c.colour_type & PNG_COLOR_MASK_ALPHA)
                    a = eight_bit(s[colour ? 3 : 1], c.bit_depth);
                else if (c.transparency)
                    a = (colour ? s[0] == layout.key.red && s[1] == layout.key.green &&
                                      s[2] == layout.key.blue
                                : s[0] == layout.key.gray)
                            ? 0
                            : 255;
                made.rgba.push_back({r, g, b, a});
            }
        }
    }
    made.file = encode_png(layout);
    return made;
}

int over_black(int colour, int alpha)
{
    return (colour * alpha + 127) / 255;
}

class PngReader : public StateTest {
  protected:
    std::string write(const std::string& name, const std::string& bytes)
    {
        return dir_.write(name, bytes);
    }
    TempDir dir_;
};

TEST_F(PngReader, EveryColourTypeAndDepthInEachLayout)
{
    const ColourCase cases[] = {
        {"grey 1", PNG_COLOR_TYPE_GRAY, 1, false, false},
        {"grey 2", PNG_COLOR_TYPE_GRAY, 2, false, false},
        {"grey 4", PNG_COLOR_TYPE_GRAY, 4, false, false},
        {"grey 8", PNG_COLOR_TYPE_GRAY, 8, false, false},
        {"grey 16", PNG_COLOR_TYPE_GRAY, 16, false, false},
        {"grey 8 keyed", PNG_COLOR_TYPE_GRAY, 8, false, true},
        {"grey-alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"grey-alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false},
        {"RGB 8", PNG_COLOR_TYPE_RGB, 8, false, false},
        {"RGB 16", PNG_COLOR_TYPE_RGB, 16, false, false},
        {"RGB 16 keyed", PNG_COLOR_TYPE_RGB, 16, false, true},
        {"RGBA 8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false},
        {"RGBA 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
        {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, false, false},
        {"palette 2 with alpha", PNG_COLOR_TYPE_PALETTE, 2, false, true},
        {"palette 4", PNG_COLOR_TYPE_PALETTE, 4, false, false},
        {"palette 8 with alpha", PNG_COLOR_TYPE_PALETTE, 8, false, true},
        {"interlaced RGB 8", PNG_COLOR_TYPE_RGB, 8, true, false},
        {"interlaced RGBA 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, true, false},
        {"interlaced palette 4 with alpha", PNG_COLOR_TYPE_PALETTE, 4, true, true},
    };
    const int width = 11, height = 9; // odd sizes: partly filled bytes, every Adam7 pass
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Made made = make(c, width, height);
        const std::string path = write("image.png", made.file);

        Decoded rgb = decode(path, load_image_png);
        Decoded toumei = decode(path, load_image_png_toumei);
        Decoded alpha = decode(path, load_image_png_alpha);
        ASSERT_TRUE(rgb.pixels && toumei.pixels && alpha.pixels) << rgb.printed;
        EXPECT_EQ(rgb.width, width);
        EXPECT_EQ(rgb.height, height);
        EXPECT_EQ(rgb.printed, "");
        for (int i = 0; i < width * height; i++) {
            const int x = i % width, y = i / width;
            const std::vector<int>& want = made.rgba[i];
            const int a = want[3];
            ASSERT_EQ(rgb.pixel(x, y, 3),
                      (std::vector<int>{over_black(want[0], a), over_black(want[1], a),
                                        over_black(want[2], a)}))
                << "pixel " << x << ", " << y;
            ASSERT_EQ(alpha.pixel(x, y, 4), want) << "pixel " << x << ", " << y;
            // Without alpha of its own, black is made clear as in a PPM.
            std::vector<int> clear_black = want;
            if (!made.alpha)
                clear_black[3] = want[0] + want[1] + want[2] == 0 ? 0 : 255;
            ASSERT_EQ(toumei.pixel(x, y, 4), clear_black) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(PngReader, PushedLookIsTheVisibleColouredSilhouette)
{
    // Coloured and opaque; coloured but clear; one channel zero; black.
    const std::string path = write(
        "icon.png",
        pixels_png(4, 1, 4, {200, 100, 50, 255, 200, 100, 50, 0, 255, 0, 9, 255, 0, 0, 0, 255}));
    Decoded d = decode(path, load_image_png_pushed);
    ASSERT_TRUE(d.pixels);
    EXPECT_EQ(d.pixel(0, 0, 4), (std::vector<int>{10, 10, 10, 130}));
    for (int x = 1; x < 4; x++)
        EXPECT_EQ(d.pixel(x, 0, 4), (std::vector<int>{0, 0, 0, 0})) << x;
}

std::string with_byte(std::string bytes, size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

TEST_F(PngReader, BrokenFilesGiveNoImageAndLibpngsReason)
{
    PngLayout big;
    big.width = 40;
    big.height = 40;
    big.samples.assign(40 * 40 * 3, 0);
    for (size_t i = 0; i < big.samples.size(); i++)
        big.samples[i] = (i * 7919) % 251; // hardly compressible, so the data is long
    const std::string whole = encode_png(big);

    PngLayout too_wide;
    too_wide.width = kMaxImageSide + 1;
    too_wide.colour_type = PNG_COLOR_TYPE_GRAY;
    too_wide.bit_depth = 1;
    too_wide.samples.assign(size_t(too_wide.width), 1);

    const struct {
        const char* what;
        std::string bytes;
        const char* reason; // part of libpng's message
    } cases[] = {
        {"empty", "", "Read Error"},
        {"a PPM", "P6\n1 1\n255\nabc", "Not a PNG file"},
        {"the signature alone", whole.substr(0, 8), "Read Error"},
        {"cut in the image data", whole.substr(0, whole.size() / 2), "Read Error"},
        {"damaged header", with_byte(whole, 20, 0x7f), "CRC error"},
        {"beyond the largest side", encode_png(too_wide), "exceeds user limit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = write("broken.png", c.bytes);
        for (Reader reader :
             {load_image_png, load_image_png_toumei, load_image_png_alpha, load_image_png_pushed}) {
            Decoded d = decode(path, reader);
            EXPECT_FALSE(d.pixels);
            EXPECT_EQ(d.width, -1);
            EXPECT_NE(d.printed.find("libpng error: "), std::string::npos) << d.printed;
            EXPECT_NE(d.printed.find(c.reason), std::string::npos) << d.printed;
        }
        // The series loader collects the reason instead of having it printed.
        keep_jpeg_messages(true);
        Decoded kept = decode(path, load_image_png);
        const std::string problem = last_image_problem();
        keep_jpeg_messages(false);
        EXPECT_EQ(kept.printed, "");
        EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
    }

    // A file cut after its image data still shows: the end chunk adds nothing.
    Decoded no_end =
        decode(write("no_end.png", whole.substr(0, whole.size() - 12)), load_image_png);
    EXPECT_TRUE(no_end.pixels) << no_end.printed;

    PngLayout widest = too_wide;
    widest.width = kMaxImageSide;
    widest.samples.resize(size_t(kMaxImageSide));
    Decoded d = decode(write("widest.png", encode_png(widest)), load_image_png);
    ASSERT_TRUE(d.pixels) << d.printed;
    EXPECT_EQ(d.pixel(kMaxImageSide - 1, 0, 3), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(last_image_problem(), ""); // a good read clears it
}

class PngSeries : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir_.enter();
    }
    TempDir dir_;
};

// Maps composite their alpha over black; screens keep the file's alpha in
// front of the globe and behind it, and a screen without alpha gets black
// made clear in front.
TEST_F(PngSeries, LayersGetTheReadersTheirRoleNeeds)
{
    const std::vector<unsigned char> half_clear = {200, 100, 0, 255, 200, 100, 0, 128};
    const std::vector<unsigned char> with_black = {0, 0, 0, 90, 90, 90};
    dir_.write("map/sample1.png", pixels_png(2, 1, 4, half_clear));
    dir_.write("logo/sample1.PNG", pixels_png(2, 1, 4, half_clear)); // found under "png"
    dir_.write("map/sample2.png", pixels_png(2, 1, 3, with_black));
    dir_.write("logo/sample2.png", pixels_png(2, 1, 3, with_black));
    series.strtexfile_s = series.strscreenfile_s = "png";
    const struct {
        int screen_front;
        std::vector<int> screen1_clear_pixel, screen2_black_pixel;
    } cases[] = {{1, {0, 100, 200, 128}, {0, 0, 0, 0}}, {0, {0, 100, 200, 128}, {0, 0, 0, 255}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen_front);
        overlay.screen_front = c.screen_front;
        for (int slot = 0; slot < 2; slot++)
            load_series_slot(slot, 2, 0);
        // In the driver's order, B, G, R, A.
        ASSERT_EQ(img.image1[0].channels, 4);
        const unsigned char* map = img.image1[0].pixels.get();
        EXPECT_EQ(std::vector<int>(map + 4, map + 8), (std::vector<int>{0, 50, 100, 255}));
        ASSERT_EQ(img.mask_logo[0], 1);
        ASSERT_EQ(img.image2[0].channels, 4);
        const unsigned char* screen1 = img.image2[0].pixels.get();
        EXPECT_EQ(std::vector<int>(screen1 + 4, screen1 + 8), c.screen1_clear_pixel);
        ASSERT_EQ(img.image2[1].channels, 4);
        const unsigned char* screen2 = img.image2[1].pixels.get();
        EXPECT_EQ(std::vector<int>(screen2, screen2 + 4), c.screen2_black_pixel);
    }

    EXPECT_EQ(choose_series_reader(SeriesLayer::second_texture, "PNG", {}).format,
              ImageFormat::png);
    EXPECT_EQ(choose_icon_reader("data/icons/play.png", false), load_image_png_toumei);
    EXPECT_EQ(choose_icon_reader("data/icons/play.png", true), load_image_png_pushed);
    EXPECT_EQ(choose_icon_reader("data/icons/play.ppm", false), load_image_toumei);
}

} // namespace
