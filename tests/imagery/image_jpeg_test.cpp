// image_jpeg_test.cpp — JPEG readers on files written here with libjpeg:
// colour spaces, the toumei alpha rule, broken and hostile files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "imagery/image_readers.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"
#include "tools/jpeg_io.h"

namespace {

using Reader = PixelBuffer (*)(FILE*, int*, int*);

struct Decoded {
    PixelBuffer pixels;
    int width = -1, height = -1; // -1: not stored by the reader
    std::string messages;        // what the library printed
    const unsigned char* at(int x, int y, int channels) const
    {
        return &pixels[(size_t(y) * width + x) * channels];
    }
};

// Sample source for the writer: components bytes for pixel (x, y).
using Pattern = std::function<void(int x, int y, unsigned char* out)>;

class JpegReader : public StateTest {
  protected:
    // Compresses a width x height image in colour space `in` with libjpeg's
    // defaults (quality 100), after `adjust` has changed what it wants.
    std::string write_jpeg(int width, int height, J_COLOR_SPACE in, int components,
                           const Pattern& pattern,
                           const std::function<void(jpeg_compress_struct&)>& adjust = {})
    {
        const std::string path = dir_.path() + "/image" + std::to_string(files_++) + ".jpg";
        JpegSamples samples;
        samples.width = width;
        samples.height = height;
        samples.components = components;
        samples.colour_space = in;
        samples.data.resize(size_t(width) * height * components);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                pattern(x, y, &samples.data[(size_t(y) * width + x) * components]);
        std::string error;
        std::string bytes = encode_jpeg(samples, 100, &error, adjust);
        EXPECT_FALSE(bytes.empty()) << error;
        EXPECT_TRUE(write_file(path, bytes, &error)) << error;
        return path;
    }

    Decoded read(const std::string& path, Reader reader = load_image_jpeg)
    {
        Decoded d;
        FILE* fp = std::fopen(path.c_str(), "rb");
        EXPECT_NE(fp, nullptr);
        if (fp) {
            ::testing::internal::CaptureStderr();
            d.pixels = reader(fp, &d.width, &d.height);
            d.messages = ::testing::internal::GetCapturedStderr();
            std::fclose(fp);
        }
        return d;
    }

    std::string file_bytes(const std::string& path)
    {
        std::string bytes;
        if (FILE* fp = std::fopen(path.c_str(), "rb")) {
            for (int c; (c = std::getc(fp)) != EOF;)
                bytes += char(c);
            std::fclose(fp);
        }
        return bytes;
    }

    TempDir dir_;
    int files_ = 0;
};

void smooth_colour(int x, int y, unsigned char* out)
{
    out[0] = static_cast<unsigned char>(x * 8);
    out[1] = static_cast<unsigned char>(y * 8);
    out[2] = static_cast<unsigned char>(255 - x * 4 - y * 4);
}

// Largest difference of any channel from `expected`.
int max_error(const Decoded& d, int channels, const Pattern& expected)
{
    int worst = 0;
    for (int y = 0; y < d.height; y++)
        for (int x = 0; x < d.width; x++) {
            unsigned char want[3];
            expected(x, y, want);
            for (int c = 0; c < 3; c++)
                worst = std::max(worst, std::abs(d.at(x, y, channels)[c] - want[c]));
        }
    return worst;
}

TEST_F(JpegReader, ColourAndGreyDecodeToRgb)
{
    Decoded colour = read(write_jpeg(32, 16, JCS_RGB, 3, smooth_colour));
    ASSERT_TRUE(colour.pixels) << colour.messages;
    EXPECT_EQ(colour.width, 32);
    EXPECT_EQ(colour.height, 16);
    EXPECT_LE(max_error(colour, 3, smooth_colour), 10);

    auto grey = [](int x, int y, unsigned char* out) {
        out[0] = static_cast<unsigned char>(x * 7 + y * 3);
    };
    auto grey_as_rgb = [&](int x, int y, unsigned char* out) {
        grey(x, y, out);
        out[1] = out[2] = out[0];
    };
    Decoded g = read(write_jpeg(24, 8, JCS_GRAYSCALE, 1, grey));
    ASSERT_TRUE(g.pixels) << g.messages;
    EXPECT_EQ(g.width, 24);
    EXPECT_LE(max_error(g, 3, grey_as_rgb), 2);

    Decoded progressive =
        read(write_jpeg(32, 16, JCS_RGB, 3, smooth_colour,
                        [](jpeg_compress_struct& c) { jpeg_simple_progression(&c); }));
    ASSERT_TRUE(progressive.pixels) << progressive.messages;
    EXPECT_LE(max_error(progressive, 3, smooth_colour), 10);
}

// Quadrants of ink as stored without the Adobe inversion: none (white), full
// black, cyan alone, magenta plus yellow (red).
void inks(int x, int y, unsigned char* out)
{
    static const unsigned char quadrant[4][4] = {
        {0, 0, 0, 0}, {0, 0, 0, 255}, {255, 0, 0, 0}, {0, 255, 255, 0}};
    const unsigned char* q = quadrant[(y / 8) * 2 + x / 8];
    for (int c = 0; c < 4; c++)
        out[c] = q[c];
}

TEST_F(JpegReader, CmykAndYcckDecodeToRgb)
{
    const unsigned char expected[4][3] = {{255, 255, 255}, {0, 0, 0}, {0, 255, 255}, {255, 0, 0}};
    auto inverted = [](int x, int y, unsigned char* out) {
        inks(x, y, out);
        for (int c = 0; c < 4; c++)
            out[c] = static_cast<unsigned char>(255 - out[c]);
    };
    struct Case {
        const char* name;
        Pattern pattern;
        std::function<void(jpeg_compress_struct&)> adjust;
    } cases[] = {
        // libjpeg writes an Adobe marker for CMYK: samples are inverted inks.
        {"Adobe CMYK", inverted, {}},
        {"Adobe YCCK", inverted,
         [](jpeg_compress_struct& c) { jpeg_set_colorspace(&c, JCS_YCCK); }},
        {"plain CMYK", inks, [](jpeg_compress_struct& c) { c.write_Adobe_marker = FALSE; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Decoded d = read(write_jpeg(16, 16, JCS_CMYK, 4, k.pattern, k.adjust));
        ASSERT_TRUE(d.pixels) << d.messages;
        for (int q = 0; q < 4; q++) {
            const unsigned char* p = d.at((q % 2) * 8 + 3, (q / 2) * 8 + 3, 3);
            for (int c = 0; c < 3; c++)
                EXPECT_NEAR(p[c], expected[q][c], 3) << "quadrant " << q << " channel " << c;
        }
    }
}

// Uniform 8x8 blocks stored as RGB at quality 100 come back exactly, so the
// alpha rule can be tested on chosen colours.
void blocks(int x, int y, unsigned char* out)
{
    static const unsigned char colour[4][3] = {{3, 3, 4}, {3, 4, 4}, {255, 11, 0}, {0, 0, 0}};
    const unsigned char* c = colour[x / 8];
    out[0] = c[0];
    out[1] = c[1];
    out[2] = c[2];
    (void)y;
}

TEST_F(JpegReader, ToumeiAlphaFollowsScreenTransparency)
{
    const std::string path = write_jpeg(32, 8, JCS_RGB, 3, blocks, [](jpeg_compress_struct& c) {
        jpeg_set_colorspace(&c, JCS_RGB);
    });
    const struct {
        int screen_transparency;
        int dark_alpha;
    } cases[] = {{255, 0}, {100, 155}, {0, 255}, {300, 211}, {-1, 0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.screen_transparency);
        series.screen_transparency = k.screen_transparency;
        Decoded d = read(path, load_image_jpeg_toumei);
        ASSERT_TRUE(d.pixels) << d.messages;
        const int expected_alpha[4] = {k.dark_alpha, 255, 255, k.dark_alpha};
        for (int b = 0; b < 4; b++) {
            const unsigned char* p = d.at(b * 8 + 4, 5, 4);
            unsigned char want[3];
            blocks(b * 8, 0, want);
            EXPECT_EQ(std::vector<int>(p, p + 4),
                      (std::vector<int>{want[0], want[1], want[2], expected_alpha[b]}))
                << "block " << b;
        }
    }
}

TEST_F(JpegReader, NonJpegFailsWithTheLibraryMessage)
{
    for (const std::string& content :
         {std::string("P6\n1 1\n255\nabc"), std::string(), std::string("\xff\xd8\xff\xe0", 4)}) {
        for (Reader reader : {load_image_jpeg, load_image_jpeg_toumei}) {
            Decoded d = read(dir_.write("map.jpg", content), reader);
            EXPECT_FALSE(d.pixels);
            EXPECT_EQ(d.width, -1);
            EXPECT_FALSE(d.messages.empty());
        }
    }
}

// The series loader prints one line per file itself: the library's message
// then becomes the read's problem instead of a line of its own.
TEST_F(JpegReader, KeptMessagesBecomeTheProblemInsteadOfBeingPrinted)
{
    const std::string whole = file_bytes(write_jpeg(64, 64, JCS_RGB, 3, smooth_colour));
    keep_jpeg_messages(true);
    Decoded broken = read(dir_.write("broken.jpg", "P6\n1 1\n255\nabc"));
    const std::string broken_problem = last_image_problem();
    Decoded half = read(dir_.write("half.jpg", whole.substr(0, whole.size() / 2)));
    const std::string half_problem = last_image_problem();
    Decoded good = read(dir_.write("good.jpg", whole));
    const std::string good_problem = last_image_problem();
    keep_jpeg_messages(false);

    EXPECT_FALSE(broken.pixels);
    EXPECT_EQ(broken.messages, "");
    EXPECT_NE(broken_problem.find("Not a JPEG file"), std::string::npos) << broken_problem;
    EXPECT_TRUE(half.pixels); // a warning: the image is there, the message kept
    EXPECT_EQ(half.messages, "");
    EXPECT_NE(half_problem.find("Premature end"), std::string::npos) << half_problem;
    EXPECT_TRUE(good.pixels);
    EXPECT_EQ(good_problem, ""); // cleared by the next read
}

TEST_F(JpegReader, TruncatedFiles)
{
    const std::string whole = file_bytes(write_jpeg(64, 64, JCS_RGB, 3, smooth_colour));

    // Cut inside the entropy-coded data: the library warns and fills the
    // missing rows, the top rows are intact.
    Decoded half = read(dir_.write("half.jpg", whole.substr(0, whole.size() / 2)));
    ASSERT_TRUE(half.pixels);
    EXPECT_EQ(half.height, 64);
    EXPECT_NEAR(half.at(5, 2, 3)[0], 40, 6);
    EXPECT_FALSE(half.messages.empty());

    // Cut inside the headers: nothing to decode.
    Decoded header_only = read(dir_.write("head.jpg", whole.substr(0, 100)));
    EXPECT_FALSE(header_only.pixels);
}

TEST_F(JpegReader, RefusesImagesBeyondTheLargestSide)
{
    auto flat = [](int, int, unsigned char* out) { out[0] = 128; };
    Decoded wide = read(write_jpeg(kMaxImageSide + 1, 1, JCS_GRAYSCALE, 1, flat));
    EXPECT_FALSE(wide.pixels);
    EXPECT_EQ(wide.width, -1);
    EXPECT_NE(wide.messages.find("32768"), std::string::npos) << wide.messages;

    Decoded widest = read(write_jpeg(kMaxImageSide, 1, JCS_GRAYSCALE, 1, flat));
    ASSERT_TRUE(widest.pixels) << widest.messages;
    EXPECT_EQ(widest.width, kMaxImageSide);
}

// A progressive file with hundreds of scans would make the decoder pass over
// the whole image hundreds of times.
TEST_F(JpegReader, RefusesFilesWithTooManyScans)
{
    // Greyscale: DC first, then each AC coefficient alone, every band refined
    // bit by bit from Al = 10: 64 bands x 11 scans.
    static std::vector<jpeg_scan_info> scans;
    scans.clear();
    for (int band = 0; band < 64; band++)
        for (int al = 10; al >= 0; al--)
            scans.push_back({1, {0, 0, 0, 0}, band, band, al == 10 ? 0 : al + 1, al});
    auto many_scans = [](jpeg_compress_struct& c) {
        c.scan_info = scans.data();
        c.num_scans = int(scans.size());
    };
    Decoded d = read(write_jpeg(
        8, 8, JCS_GRAYSCALE, 1, [](int x, int, unsigned char* out) { out[0] = x * 30; },
        many_scans));
    EXPECT_FALSE(d.pixels);
    EXPECT_NE(d.messages.find("Too many scans"), std::string::npos) << d.messages;
}

} // namespace
