// series_scaling_test.cpp — shrinking images that exceed the texture limit.
#include <gtest/gtest.h>

#include "imagery/series_fixture.h"
#include "imagery/series_loading.h"
#include "imagery/texture_scaling.h"

namespace {

TexImage image_of(int width, int height, int channels, std::initializer_list<int> values)
{
    TexImage image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.reset(new unsigned char[values.size()]);
    int i = 0;
    for (int v : values)
        image.pixels[i++] = static_cast<unsigned char>(v);
    return image;
}

TEST(SeriesScaling, FittedSizeKeepsTheAspectWithinTheLimit)
{
    int w = 0, h = 0;
    EXPECT_FALSE(fit_texture_size(2048, 1024, 2048, &w, &h));
    EXPECT_FALSE(fit_texture_size(100, 50, 0, &w, &h));
    ASSERT_TRUE(fit_texture_size(4096, 2048, 1000, &w, &h));
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 500);
    ASSERT_TRUE(fit_texture_size(300, 1001, 1000, &w, &h));
    EXPECT_EQ(w, 299); // rounded down, never over
    EXPECT_EQ(h, 1000);
    ASSERT_TRUE(fit_texture_size(50000, 3, 16384, &w, &h));
    EXPECT_EQ(w, 16384);
    EXPECT_EQ(h, 1); // a side never vanishes
}

TEST(SeriesScaling, BoxFilterAveragesEachFootprint)
{
    // 4 x 2 RGB to 2 x 1: each target pixel is the mean of a 2 x 2 block.
    TexImage source = image_of(4, 2, 3, {0,  0,  0,  10, 20, 30, 100, 100, 100, 200, 200, 200, //
                                         20, 40, 60, 30, 0,  10, 0,   0,   0,   1,   1,   1});
    TexImage small = box_downscale(source, 2, 1);
    ASSERT_EQ(small.width, 2);
    ASSERT_EQ(small.height, 1);
    ASSERT_EQ(small.channels, 3);
    EXPECT_EQ(small.pixels[0], 15); // (0 + 10 + 20 + 30) / 4
    EXPECT_EQ(small.pixels[1], 15); // (0 + 20 + 40 + 0) / 4
    EXPECT_EQ(small.pixels[2], 25); // (0 + 30 + 60 + 10) / 4
    EXPECT_EQ(small.pixels[3], 75); // (100 + 200 + 0 + 1) / 4 = 75.25
    // RGBA keeps four channels, alpha averaged like the colours.
    TexImage rgba = image_of(3, 1, 4, {9, 9, 9, 0, 9, 9, 9, 255, 90, 90, 90, 255});
    TexImage two = box_downscale(rgba, 2, 1);
    ASSERT_EQ(two.channels, 4);
    EXPECT_EQ(two.pixels[3], 0);   // footprint {0}
    EXPECT_EQ(two.pixels[7], 255); // footprint {1, 2}
    EXPECT_EQ(two.pixels[4], 50);  // (9 + 90) / 2 rounded
}

TEST(SeriesScaling, ShrinkingLeavesImagesThatFitAlone)
{
    TexImage image = image_of(2, 1, 3, {1, 2, 3, 4, 5, 6});
    const unsigned char* before = image.pixels.get();
    EXPECT_FALSE(shrink_to_limit(image, 2));
    EXPECT_EQ(image.pixels.get(), before);
    EXPECT_TRUE(shrink_to_limit(image, 1));
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.pixels[0], 3); // (1 + 4) / 2 rounded half up
    TexImage empty;
    EXPECT_FALSE(shrink_to_limit(empty, 1));
}

class SeriesScalingLoad : public SeriesTest {};

TEST_F(SeriesScalingLoad, OversizedFramesAreShrunkAtLoadWithOneNotice)
{
    dir.write("map/sample1.ppm", ppm_file(8, 4, 0));
    dir.write("map/sample2.ppm", ppm_file(8, 4, 0));
    play.ntimemax = 2;
    testing::internal::CaptureStderr();
    load_series_slots({0, 2}, 4, 1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(img.image1[0].width, 4);
    EXPECT_EQ(img.image1[0].height, 2);
    EXPECT_EQ(img.image1[1].width, 4);
    // Said at most once per run (an earlier case may already have said it).
    EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1);
}

} // namespace
