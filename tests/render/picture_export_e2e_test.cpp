// picture_export_e2e_test.cpp — the real program with PNG maps and screens,
// key S saving the window, and --export-frames writing a series as PNGs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "imagery/image_readers.h"
#include "support/e2e.h"
#include "support/png_files.h"

namespace fs = std::filesystem;

namespace {

// A PNG file as a screenshot; empty (width 0) when it does not read.
Screenshot read_png(const std::string& path)
{
    Screenshot shot;
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp == nullptr)
        return shot;
    PixelBuffer pixels = load_image_png(fp, &shot.width, &shot.height);
    std::fclose(fp);
    if (pixels)
        shot.rgb.assign(pixels.get(), pixels.get() + size_t(shot.width) * shot.height * 3);
    else
        shot.width = 0;
    return shot;
}

std::string solid_png(Colour c)
{
    std::vector<unsigned char> rgb;
    for (int i = 0; i < 8 * 4; i++)
        rgb.insert(rgb.end(), {c.r, c.g, c.b});
    return pixels_png(8, 4, 3, rgb);
}

const Colour kMap{40, 200, 40};

} // namespace

// The screen, 16 x 8 at (-1.5, 1.0) with height 2, spans columns 175 .. 775
// of the 800 x 600 window, 37.5 pixels per image column: an opaque yellow
// quarter, a half-clear magenta quarter over the globe's centre, and the rest
// fully clear.
TEST_F(EndToEnd, PngMapAndHalfClearPngScreen)
{
    const Colour yellow{230, 230, 30}, magenta{200, 40, 200};
    std::vector<unsigned char> screen;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 16; x++) {
            if (x < 4)
                screen.insert(screen.end(), {yellow.r, yellow.g, yellow.b, 255});
            else if (x < 8)
                screen.insert(screen.end(), {magenta.r, magenta.g, magenta.b, 128});
            else
                screen.insert(screen.end(), {255, 255, 255, 0});
        }
    run.write("map/sample1.png", solid_png(kMap));
    run.write("logo/sample1.png", pixels_png(16, 8, 4, screen));
    run.write("data/conf/conf.txt",
              "#TextureSuffix png #ScreenSuffix png #ScreenScaleXY 2.0 -1.5 1.0\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    const Colour blend{120, 120, 120}; // half of each
    EXPECT_TRUE(near(shot, 400, 300, blend, 4)) << describe(shot.colour(400, 300));
    EXPECT_TRUE(near(shot, 520, 300, kMap, 3)) << describe(shot.colour(520, 300));
    EXPECT_TRUE(near(shot, 200, 300, yellow, 3)) << describe(shot.colour(200, 300));
    EXPECT_TRUE(shot.dark(700, 300)) << describe(shot.colour(700, 300));
}

TEST_F(EndToEnd, KeySSavesTheWindowAsShown)
{
    run.write("map/sample1.ppm", ppm_image(36, 18, [](int x, int y) {
                  return Colour{static_cast<unsigned char>(40 + 5 * x),
                                static_cast<unsigned char>(40 + 10 * y), 128};
              }));
    run.write("data/conf/conf.txt", "#Latitude 20 #Longitude 30\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    const Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    run.key(window, "S");
    const std::string path = run.folder().path() + "/export/tyx-00001.png";
    ASSERT_TRUE(wait_until([&] { return fs::exists(path); })) << run.output();
    EXPECT_TRUE(wait_until([&] {
        return run.output().find("export/tyx-00001.png\n") != std::string::npos;
    })) << run.output();

    const Screenshot saved = read_png(path);
    EXPECT_EQ(saved.width, shot.width);
    EXPECT_EQ(saved.height, shot.height);
    EXPECT_TRUE(saved.rgb == shot.rgb) << "the saved picture differs from the window";
    EXPECT_FALSE(shot.dark(400, 300)); // the globe was there to compare
}

TEST_F(EndToEnd, ExportFramesWritesTheSeriesAndEnds)
{
    const Colour colours[3] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}};
    for (int i = 0; i < 3; i++)
        run.write("map/sample" + std::to_string(i + 1) + ".png", solid_png(colours[i]));
    // Playing and spinning as configured must not move the exported view.
    run.write("data/conf/conf.txt", "#TextureSuffix png #Spin 1 #Animation 1\n");
    run.start({"--export-frames", "frames"});
    ASSERT_EQ(run.wait_exit(30), 0) << run.output();

    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        const Screenshot frame =
            read_png(run.folder().path() + "/frames/frame-0000" + std::to_string(i + 1) + ".png");
        ASSERT_EQ(frame.width, 800);
        EXPECT_EQ(frame.height, 600);
        EXPECT_TRUE(near(frame, 400, 300, colours[i], 3)) << describe(frame.colour(400, 300));
    }
    EXPECT_FALSE(fs::exists(run.folder().path() + "/frames/frame-00004.png"));
    EXPECT_NE(run.output().find("frame 3 of 3"), std::string::npos) << run.output();
}
