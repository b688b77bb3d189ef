// icon_art_test.cpp — the icon pictures: files the viewer can read, transparent
// corners, visible symbols and a pressed-look mask that covers the button.
#include "tools/icon_art.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

// The palette's picture table, in picture order.
const std::vector<std::string> kPictureTable = {"play.ppm",
                                                "pause.ppm",
                                                "initial.ppm",
                                                "r_play.ppm",
                                                "spin.ppm",
                                                "stop_spin.ppm",
                                                "forward.ppm",
                                                "back.ppm",
                                                "line.ppm",
                                                "delete_line.ppm",
                                                "zoomin.ppm",
                                                "zoomout.ppm",
                                                "north.ppm",
                                                "fast.ppm",
                                                "slow.ppm",
                                                "quit.ppm",
                                                "normalscreen.ppm",
                                                "fullscreen.ppm",
                                                "logo_small.ppm",
                                                "logo_large.ppm",
                                                "logo_left.ppm",
                                                "logo_right.ppm",
                                                "logo_down.ppm",
                                                "logo_up.ppm",
                                                "layer1.ppm",
                                                "layer2.ppm",
                                                "screen_on.ppm",
                                                "screen_off.ppm",
                                                "icon_on.ppm",
                                                "icon_off.ppm",
                                                "drawing_off.ppm",
                                                "drawing_on.ppm",
                                                "drawing_erase.ppm",
                                                "drawing_save.ppm",
                                                "forward-changelayer.ppm"};

const std::uint8_t* pixel(const Picture& p, int x, int y)
{
    return &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
}

bool is_black(const std::uint8_t* px)
{
    return px[0] == 0 && px[1] == 0 && px[2] == 0;
}

} // namespace

TEST(IconPictures, NamesFollowThePictureTable)
{
    EXPECT_EQ(icon_file_names(), kPictureTable);
    EXPECT_TRUE(draw_icon("nonsense.ppm").rgb.empty());
}

// The viewer's PPM header reader wants the magic number, the size and the
// maximum value each alone on a line, then the samples.
TEST(IconPictures, FilesAreBinaryPpmsTheViewerReads)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(write_icons(dir.path(), &error)) << error;
    for (const std::string& name : kPictureTable) {
        std::ifstream in(dir.path() + "/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::string magic, size, maximum;
        std::getline(in, magic);
        std::getline(in, size);
        std::getline(in, maximum);
        EXPECT_EQ(magic, "P6") << name;
        EXPECT_EQ(size, std::to_string(kIconSize) + " " + std::to_string(kIconSize)) << name;
        EXPECT_EQ(maximum, "255") << name;
        const std::vector<char> samples((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        EXPECT_EQ(samples.size(), static_cast<size_t>(kIconSize) * kIconSize * 3) << name;
    }
}

TEST(IconPictures, WritingIntoAMissingFolderFails)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(write_icons(dir.path() + "/no/such/folder", &error));
    EXPECT_NE(error.find("play.ppm"), std::string::npos) << error;
}

TEST(IconPictures, BlackCornersLightSymbolAndFullPressedMask)
{
    for (const std::string& name : kPictureTable) {
        const Picture p = draw_icon(name);
        ASSERT_EQ(p.width, kIconSize) << name;
        ASSERT_EQ(p.height, kIconSize) << name;
        // Outside the rounded button: pure black, which turns transparent.
        for (int k : {0, kIconSize - 1}) {
            EXPECT_TRUE(is_black(pixel(p, k, 0))) << name;
            EXPECT_TRUE(is_black(pixel(p, k, kIconSize - 1))) << name;
        }
        int drawn = 0, light = 0, partly_zero = 0;
        for (int y = 0; y < kIconSize; ++y) {
            for (int x = 0; x < kIconSize; ++x) {
                const std::uint8_t* px = pixel(p, x, y);
                if (is_black(px))
                    continue;
                ++drawn;
                // A pixel with a zero channel would be opaque but missing
                // from the pressed-look silhouette.
                if (px[0] == 0 || px[1] == 0 || px[2] == 0)
                    ++partly_zero;
                if (px[0] + px[1] + px[2] > 3 * 150)
                    ++light;
            }
        }
        EXPECT_EQ(partly_zero, 0) << name;
        // The button face covers most of the square; a symbol is on it.
        EXPECT_GT(drawn, kIconSize * kIconSize * 8 / 10) << name;
        EXPECT_GT(light, kIconSize * kIconSize / 20) << name;
        // The centre is on the button, not transparent.
        EXPECT_FALSE(is_black(pixel(p, kIconSize / 2, kIconSize / 2))) << name;
    }
}

TEST(IconPictures, EveryPictureIsDistinct)
{
    std::set<std::vector<std::uint8_t>> seen;
    for (const std::string& name : kPictureTable)
        EXPECT_TRUE(seen.insert(draw_icon(name).rgb).second) << name << " repeats a picture";
}
