// image_ppm_test.cpp — PPM header layouts, refused headers, sample scaling and
// the alpha rules of the three PPM readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imagery/image_readers.h"
#include "imagery/ppm_header.h"
#include "support/temp_dir.h"

namespace {

using Reader = PixelBuffer (*)(FILE*, int*, int*);

struct Decoded {
    PixelBuffer pixels;
    int width = -1, height = -1; // -1: not stored by the reader
    std::vector<int> bytes(size_t n) const { return std::vector<int>(&pixels[0], &pixels[0] + n); }
};

class PpmReader : public ::testing::Test {
  public:
    Decoded read(const std::string& content, Reader reader = load_image)
    {
        Decoded d;
        FILE* fp = std::fopen(dir_.write("image.ppm", content).c_str(), "rb");
        EXPECT_NE(fp, nullptr);
        if (fp) {
            d.pixels = reader(fp, &d.width, &d.height);
            std::fclose(fp);
        }
        return d;
    }

    TempDir dir_;
};

const std::string kSamples("\x01\x02\x03\xfa\xfb\xfc", 6); // two pixels
const std::vector<int> kSampleBytes = {1, 2, 3, 250, 251, 252};

// Every header, followed by the two sample pixels, reads as that 2 x 1 image.
template <size_t N> void expect_two_by_one(PpmReader& test, const std::string (&headers)[N])
{
    for (const std::string& header : headers) {
        SCOPED_TRACE(header);
        Decoded d = test.read(header + kSamples);
        ASSERT_TRUE(d.pixels);
        EXPECT_EQ(d.width, 2);
        EXPECT_EQ(d.height, 1);
        EXPECT_EQ(d.bytes(6), kSampleBytes);
    }
}

TEST_F(PpmReader, ReadsLineLayoutsOfOlderFiles)
{
    const std::string headers[] = {
        "P6\n2 1\n255\n",
        "P6\n# made by hand\n# second comment\n\n2 1\n255\n", // comments, one empty line
        "P6\r\n# comment\r\n\r\n2 1\r\n255\r\n",              // CR LF lines
        "P6\n2 1\n255  \n",                                   // blanks after the maximum
        "P6\n2 1\n255 \r\n",
        "P6\n2 1\n255 # made by \xe2\x80\xa6 hand\n", // a comment after the maximum
        "P6\n2 1\n255 made by hand\r\n",              // other text after it
    };
    expect_two_by_one(*this, headers);
}

TEST_F(PpmReader, ReadsNetpbmLayouts)
{
    const std::string headers[] = {
        "P6 2 1 255\n",                                // all fields on one line
        "P6 2 1 255 ",                                 // one blank before the samples
        "P6 #size follows\n2 # width\n1\n#max\n255\n", // comments between fields
        "P6\n2 1\n# comment after the size line\n255\n",
        "P6\t2\t1\t255\t",
    };
    expect_two_by_one(*this, headers);
}

// Sample bytes that look like whitespace must not be taken for the header.
TEST_F(PpmReader, SamplesThatLookLikeWhitespaceStayPixels)
{
    Decoded one_line = read("P6 1 1 255\n\n \t");
    ASSERT_TRUE(one_line.pixels);
    EXPECT_EQ(one_line.bytes(3), (std::vector<int>{10, 32, 9}));

    Decoded blank_then_data = read("P6\n1 1\n255  A\n"); // not a blank line end: one separator
    ASSERT_TRUE(blank_then_data.pixels);
    EXPECT_EQ(blank_then_data.bytes(3), (std::vector<int>{32, 65, 10}));

    Decoded line_end_data = read("P6\n1 1\n255\n\r\n\n");
    ASSERT_TRUE(line_end_data.pixels);
    EXPECT_EQ(line_end_data.bytes(3), (std::vector<int>{13, 10, 10}));

    // Text-like samples after a blank: the samples would not fit after the
    // line end, so they are samples.
    Decoded text_like = read("P6\n2 1\n255 AB\n\x01\x02\x03");
    ASSERT_TRUE(text_like.pixels);
    EXPECT_EQ(text_like.bytes(6), (std::vector<int>{65, 66, 10, 1, 2, 3}));
}

TEST_F(PpmReader, RefusesUnusableHeaders)
{
    const std::string bad[] = {
        "",
        "P6",
        "P6\n2 1\n",      // no maximum
        "P3\n2 1\n255\n", // ASCII PPM
        "P5\n2 1\n255\n", // greymap
        "p6\n2 1\n255\n",
        "P6\nab cd\n255\n",
        "P6\n-2 1\n255\n",
        "P6\n0 1\n255\n",
        "P6\n2 0\n255\n",
        "P6\n32769 1\n255\n",
        "P6\n1 32769\n255\n",
        "P6\n99999999999999999999 1\n255\n",
        "P6\n2 1\n0\n",
        "P6\n2 1\n65536\n",
        "P6\n2x1\n255\n",
        "P6\n2 1\n255x",
    };
    for (Reader reader : {load_image, load_image_toumei, load_image_pushed}) {
        for (const std::string& header : bad) {
            SCOPED_TRACE(header);
            Decoded d = read(header + kSamples, reader);
            EXPECT_FALSE(d.pixels);
            EXPECT_EQ(d.width, -1);
            EXPECT_EQ(d.height, -1);
        }
    }
}

TEST_F(PpmReader, AcceptsTheLargestSide)
{
    Decoded d = read("P6\n32768 1\n255\n");
    ASSERT_TRUE(d.pixels);
    EXPECT_EQ(d.width, 32768);
    EXPECT_EQ(d.pixels[32768 * 3 - 1], 0);
}

TEST_F(PpmReader, ShortSampleBlockLeavesBlack)
{
    Decoded rgb = read("P6\n2 2\n255\n" + std::string("\x09\x08\x07\x06\x05", 5));
    ASSERT_TRUE(rgb.pixels);
    EXPECT_EQ(rgb.bytes(12), (std::vector<int>{9, 8, 7, 6, 5, 0, 0, 0, 0, 0, 0, 0}));

    Decoded rgba = read("P6\n2 2\n255\n" + std::string("\x09\x08\x07\x06", 4), load_image_toumei);
    ASSERT_TRUE(rgba.pixels);
    EXPECT_EQ(rgba.bytes(16),
              (std::vector<int>{9, 8, 7, 255, 6, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PpmReader, ScalesSamplesToEightBits)
{
    // Two-byte samples, big-endian; values above the maximum count as the maximum.
    Decoded wide = read("P6\n2 1\n65535\n" + std::string("\xff\xff\x80\x00\x00\x00"
                                                         "\x01\x01\x00\x00\x00\x81",
                                                         12));
    ASSERT_TRUE(wide.pixels);
    EXPECT_EQ(wide.bytes(6), (std::vector<int>{255, 128, 0, 1, 0, 1}));

    Decoded thousand =
        read("P6\n1 1\n1000\n" + std::string("\x03\xe8\x01\xf4\xff\xff", 6), load_image_toumei);
    ASSERT_TRUE(thousand.pixels);
    EXPECT_EQ(thousand.bytes(4), (std::vector<int>{255, 128, 255, 255}));

    Decoded narrow = read("P6\n2 1\n15\n" + std::string("\x0f\x07\x00\x01\x10\xff", 6));
    ASSERT_TRUE(narrow.pixels);
    EXPECT_EQ(narrow.bytes(6), (std::vector<int>{255, 119, 0, 17, 255, 255}));
}

TEST_F(PpmReader, ToumeiClearsOnlyPureBlack)
{
    const std::string samples("\x00\x00\x00\x01\x00\x00\x01\xff\x00", 9);
    Decoded d = read("P6\n3 1\n255\n" + samples, load_image_toumei);
    ASSERT_TRUE(d.pixels);
    EXPECT_EQ(d.bytes(12), (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 255, 1, 255, 0, 255}));
}

TEST_F(PpmReader, PushedDarkensOnlyFullyColouredPixels)
{
    const std::string samples("\xff\x00\x00\x01\x01\x01\x00\x00\x00\xc8\x64\x32", 12);
    Decoded d = read("P6\n4 1\n255\n" + samples, load_image_pushed);
    ASSERT_TRUE(d.pixels);
    EXPECT_EQ(d.bytes(16),
              (std::vector<int>{0, 0, 0, 0, 10, 10, 10, 130, 0, 0, 0, 0, 10, 10, 10, 130}));
}

// Images larger than one read chunk keep every pixel in its place.
TEST_F(PpmReader, LargeImagesKeepPixelOrder)
{
    const int w = 97, h = 61;
    std::string samples;
    for (int i = 0; i < w * h; i++)
        samples += {char(i % 251 + 1), char(i / 251 + 1), char(i % 7 + 1)};
    Decoded rgb = read("P6\n97 61\n255\n" + samples, load_image);
    Decoded rgba = read("P6\n97 61\n255\n" + samples, load_image_toumei);
    ASSERT_TRUE(rgb.pixels && rgba.pixels);
    for (int i = 0; i < w * h; i++) {
        ASSERT_EQ(rgb.pixels[3 * i], i % 251 + 1) << i;
        ASSERT_EQ(rgba.pixels[4 * i], i % 251 + 1) << i;
        ASSERT_EQ(rgba.pixels[4 * i + 1], i / 251 + 1) << i;
        ASSERT_EQ(rgba.pixels[4 * i + 3], 255) << i;
    }
}

TEST(PpmHeaderParser, LeavesTheFileAtTheFirstSample)
{
    const std::string file = "P6\r\n# c\r\n4 3\r\n1023\r\nXY";
    FILE* fp = fmemopen(const_cast<char*>(file.data()), file.size(), "rb");
    ASSERT_NE(fp, nullptr);
    PpmHeader header;
    ASSERT_TRUE(parse_ppm_header(fp, &header));
    EXPECT_EQ(header.width, 4);
    EXPECT_EQ(header.height, 3);
    EXPECT_EQ(header.maxval, 1023);
    EXPECT_EQ(std::getc(fp), 'X');
    std::fclose(fp);
}

} // namespace
