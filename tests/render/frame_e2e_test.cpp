// frame_e2e_test.cpp — the real program's frames on maps of known colours:
// the configured view centre, zoom and shift; the screen layer in front of
// and behind the globe; the second texture layer; the perspective view; and
// the animation stepping through the series.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/e2e.h"

namespace {

Colour at(const Screenshot& shot, int x, int y)
{
    return shot.colour(x, y);
}

bool lit(const Screenshot& shot, int x, int y)
{
    return !shot.dark(x, y);
}

// The globe's outline about (cx, cy) has radius r: lit just inside, dark just
// outside, to the right and at the top.
void expect_disc(const Screenshot& shot, int cx, int cy, int r)
{
    EXPECT_TRUE(lit(shot, cx + r - 3, cy)) << "radius " << r;
    EXPECT_FALSE(lit(shot, cx + r + 3, cy)) << "radius " << r;
    EXPECT_TRUE(lit(shot, cx, cy - r + 3)) << "radius " << r;
    EXPECT_FALSE(lit(shot, cx, cy - r - 3)) << "radius " << r;
}

// A map of 36 x 18 cells of 10 degrees: red encodes the column (longitude
// -180 + 10 c), green the row (latitude 90 - 10 r).
Colour grid_cell_colour(int column, int row)
{
    return {static_cast<unsigned char>(40 + 5 * column), static_cast<unsigned char>(40 + 10 * row),
            128};
}
int grid_column(Colour p)
{
    return (p.r - 40 + 2) / 5;
}
int grid_row(Colour p)
{
    return (p.g - 40 + 5) / 10;
}

// 800 x 600 window: 150 pixels per screen unit, origin at (400, 300).
constexpr int kUnit = 150;

// The program with the given user configuration.
class FrameEndToEnd : public EndToEnd {
  protected:
    unsigned long start_with(const std::string& conf)
    {
        run.write("data/conf/conf.txt", conf);
        return start();
    }
};

} // namespace

// Latitude 35, longitude -125 is the middle of cell (5, 5); with the zoom
// halved the disc has radius 75, and the shift (1.2, 0.8), which is scaled
// with the zoom, moves its centre by (90, -60) pixels.
TEST_F(FrameEndToEnd, ConfiguredCentreZoomAndShift)
{
    run.write("map/sample1.ppm",
              ppm_image(36, 18, [](int x, int y) { return grid_cell_colour(x, y); }));
    unsigned long window = start_with("#Latitude 35 #Longitude -125 #Scale 0.5 #EarthXY 1.2 0.8\n");
    ASSERT_NE(window, 0u);
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    const int cx = 400 + 90, cy = 300 - 60;
    Colour centre = at(shot, cx, cy);
    EXPECT_EQ(grid_column(centre), 5) << describe(centre);
    EXPECT_EQ(grid_row(centre), 5) << describe(centre);
    // East to the right, north up.
    EXPECT_EQ(grid_column(at(shot, cx + 8, cy)), 6) << describe(at(shot, cx + 8, cy));
    EXPECT_EQ(grid_row(at(shot, cx, cy - 8)), 4) << describe(at(shot, cx, cy - 8));
    expect_disc(shot, cx, cy, kUnit / 2);
    EXPECT_FALSE(lit(shot, 400 - 60, 300)); // the unshifted disc would be here
}

// Screen in front: a 16 x 8 image whose left quarter is yellow and the rest
// black, placed at (-1.5, 1.0) with height 2, so 4 units wide: columns
// 175 .. 775, yellow in 175 .. 325. Its black part is transparent. With the
// second layer shown, both the globe and the screen take their alternate
// images.
TEST_F(FrameEndToEnd, ScreenInFrontWithTheSecondLayer)
{
    const Colour map{200, 40, 40}, second_map{40, 200, 40};
    const Colour screen{200, 40, 200}, second_screen{230, 230, 30};
    run.write("map/sample1.ppm", solid_ppm(map, 8, 4));
    run.write("map/second1.ppm", solid_ppm(second_map, 8, 4));
    auto quarter = [](Colour c) {
        return ppm_image(16, 8, [c](int x, int) { return x < 4 ? c : Colour{0, 0, 0}; });
    };
    run.write("logo/sample1.ppm", quarter(screen));
    run.write("logo/second1.ppm", quarter(second_screen));
    unsigned long window =
        start_with("#NumberOfTextures 2 #SecondTexture_at_startup 1\n"
                   "#SecondTextureName map/second #SecondScreenName logo/second\n"
                   "#ScreenScaleXY 2.0 -1.5 1.0\n");
    ASSERT_NE(window, 0u);
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    EXPECT_TRUE(near(shot, 400, 300, second_map, 3)) << describe(at(shot, 400, 300));
    EXPECT_TRUE(near(shot, 200, 300, second_screen, 3)) << describe(at(shot, 200, 300));
    // Over the globe's left edge the screen covers it.
    EXPECT_TRUE(near(shot, 290, 300, second_screen, 3)) << describe(at(shot, 290, 300));
    // The transparent part shows the globe and, beyond it, the background.
    EXPECT_TRUE(near(shot, 500, 300, second_map, 3)) << describe(at(shot, 500, 300));
    EXPECT_TRUE(shot.dark(700, 300)) << describe(at(shot, 700, 300));
    EXPECT_TRUE(shot.dark(200, 100)); // above the screen
}

// Screen behind (opaque, columns 175 .. 400, rows 225 .. 450): the globe
// hides the part of it that it covers. In the perspective view the globe's
// disc in the plane z = 0 keeps the orthographic radius of 150 pixels.
TEST_F(FrameEndToEnd, ScreenBehindTheGlobeInThePerspectiveView)
{
    const Colour map{40, 60, 220}, screen{240, 150, 30};
    run.write("map/sample1.ppm", solid_ppm(map, 8, 4));
    run.write("logo/sample1.ppm", solid_ppm(screen, 8, 8));
    unsigned long window =
        start_with("#ScreenFront 0 #Perspective 1 #ScreenScaleXY 1.5 -1.5 0.5\n");
    ASSERT_NE(window, 0u);
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    EXPECT_TRUE(near(shot, 300, 300, map, 3)) << describe(at(shot, 300, 300));
    EXPECT_TRUE(near(shot, 390, 400, map, 3)) << describe(at(shot, 390, 400));
    EXPECT_TRUE(near(shot, 200, 300, screen, 3)) << describe(at(shot, 200, 300));
    EXPECT_TRUE(near(shot, 250, 440, screen, 3)) << describe(at(shot, 250, 440));
    EXPECT_TRUE(shot.dark(200, 200)); // above the screen
    expect_disc(shot, 400, 300, kUnit);
}

// Three maps, red, green and blue, looping forward at 0.4 s a map. Polled
// screenshots of a small window must show each colour, always in series
// order.
TEST_F(FrameEndToEnd, AnimationShowsEachMapInTurn)
{
    const Colour colours[3] = {{220, 30, 30}, {30, 220, 30}, {30, 30, 220}};
    for (int i = 0; i < 3; i++)
        run.write("map/sample" + std::to_string(i + 1) + ".ppm", solid_ppm(colours[i], 8, 4));
    unsigned long window = start_with("#Animation 1 #Repeat 1 #AnimationSpeed 6 #StopAt1stMap 0\n"
                                      "#WindowSizeXY 160 120\n");
    ASSERT_NE(window, 0u);

    std::vector<int> seen; // map index of each change of colour
    run.wait_for(
        window,
        [&](const Screenshot& shot) {
            for (int i = 0; i < 3; i++)
                if (shot.width == 160 && near(shot, 80, 60, colours[i], 3) &&
                    (seen.empty() || seen.back() != i))
                    seen.push_back(i);
            return seen.size() >= 5;
        },
        6);
    std::string order;
    for (int i : seen)
        order += std::to_string(i);
    ASSERT_GE(seen.size(), 4u) << "maps seen: " << order << "\n" << run.output();
    for (size_t k = 1; k < seen.size(); k++)
        EXPECT_EQ(seen[k], (seen[k - 1] + 1) % 3) << "maps seen: " << order;
}
