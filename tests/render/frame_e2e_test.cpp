// frame_e2e_test.cpp — the real program's frames on maps of known colours:
// the configured view centre, zoom and shift; the screen layer in front of
// and behind the globe; the second texture layer; the perspective view; and
// the animation stepping through the series.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/e2e.h"
#include "support/gl_fixture.h"

namespace {

struct Rgb {
    int r, g, b;
};

// A binary PPM whose pixel (x, y) has the colour colour(x, y).
std::string ppm(int width, int height, const std::function<Rgb(int, int)>& colour)
{
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            Rgb c = colour(x, y);
            file += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
        }
    return file;
}

std::string solid(int width, int height, Rgb c)
{
    return ppm(width, height, [c](int, int) { return c; });
}

Rgb at(const Screenshot& shot, int x, int y)
{
    const unsigned char* p = shot.at(x, y);
    return {p[0], p[1], p[2]};
}

bool near(Rgb p, Rgb want)
{
    return std::abs(p.r - want.r) <= 3 && std::abs(p.g - want.g) <= 3 &&
           std::abs(p.b - want.b) <= 3;
}

std::string show(Rgb p)
{
    return "(" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) +
           ")";
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
Rgb grid_cell_colour(int column, int row)
{
    return {40 + 5 * column, 40 + 10 * row, 128};
}
int grid_column(Rgb p)
{
    return (p.r - 40 + 2) / 5;
}
int grid_row(Rgb p)
{
    return (p.g - 40 + 5) / 10;
}

// 800 x 600 window: 150 pixels per screen unit, origin at (400, 300).
constexpr int kUnit = 150;

void start(TyxRun& run, const std::string& conf)
{
    run.write("data/conf/conf.txt", conf);
    run.start();
}

} // namespace

// Latitude 35, longitude -125 is the middle of cell (5, 5); with the zoom
// halved the disc has radius 75, and the shift (1.2, 0.8), which is scaled
// with the zoom, moves its centre by (90, -60) pixels.
TEST(FrameEndToEnd, ConfiguredCentreZoomAndShift)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    run.write("map/sample1.ppm", ppm(36, 18, [](int x, int y) { return grid_cell_colour(x, y); }));
    start(run, "#Latitude 35 #Longitude -125 #Scale 0.5 #EarthXY 1.2 0.8\n");
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    const int cx = 400 + 90, cy = 300 - 60;
    Rgb centre = at(shot, cx, cy);
    EXPECT_EQ(grid_column(centre), 5) << show(centre);
    EXPECT_EQ(grid_row(centre), 5) << show(centre);
    // East to the right, north up.
    EXPECT_EQ(grid_column(at(shot, cx + 8, cy)), 6) << show(at(shot, cx + 8, cy));
    EXPECT_EQ(grid_row(at(shot, cx, cy - 8)), 4) << show(at(shot, cx, cy - 8));
    expect_disc(shot, cx, cy, kUnit / 2);
    EXPECT_FALSE(lit(shot, 400 - 60, 300)); // the unshifted disc would be here
}

// Screen in front: a 16 x 8 image whose left quarter is yellow and the rest
// black, placed at (-1.5, 1.0) with height 2, so 4 units wide: columns
// 175 .. 775, yellow in 175 .. 325. Its black part is transparent. With the
// second layer shown, both the globe and the screen take their alternate
// images.
TEST(FrameEndToEnd, ScreenInFrontWithTheSecondLayer)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    const Rgb map{200, 40, 40}, second_map{40, 200, 40};
    const Rgb screen{200, 40, 200}, second_screen{230, 230, 30};
    run.write("map/sample1.ppm", solid(8, 4, map));
    run.write("map/second1.ppm", solid(8, 4, second_map));
    auto quarter = [](Rgb c) {
        return ppm(16, 8, [c](int x, int) { return x < 4 ? c : Rgb{0, 0, 0}; });
    };
    run.write("logo/sample1.ppm", quarter(screen));
    run.write("logo/second1.ppm", quarter(second_screen));
    start(run, "#NumberOfTextures 2 #SecondTexture_at_startup 1\n"
               "#SecondTextureName map/second #SecondScreenName logo/second\n"
               "#ScreenScaleXY 2.0 -1.5 1.0\n");
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    EXPECT_TRUE(near(at(shot, 400, 300), second_map)) << show(at(shot, 400, 300));
    EXPECT_TRUE(near(at(shot, 200, 300), second_screen)) << show(at(shot, 200, 300));
    // Over the globe's left edge the screen covers it.
    EXPECT_TRUE(near(at(shot, 290, 300), second_screen)) << show(at(shot, 290, 300));
    // The transparent part shows the globe and, beyond it, the background.
    EXPECT_TRUE(near(at(shot, 500, 300), second_map)) << show(at(shot, 500, 300));
    EXPECT_TRUE(shot.dark(700, 300)) << show(at(shot, 700, 300));
    EXPECT_TRUE(shot.dark(200, 100)); // above the screen
}

// Screen behind (opaque, columns 175 .. 400, rows 225 .. 450): the globe
// hides the part of it that it covers. In the perspective view the globe's
// disc in the plane z = 0 keeps the orthographic radius of 150 pixels.
TEST(FrameEndToEnd, ScreenBehindTheGlobeInThePerspectiveView)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    const Rgb map{40, 60, 220}, screen{240, 150, 30};
    run.write("map/sample1.ppm", solid(8, 4, map));
    run.write("logo/sample1.ppm", solid(8, 8, screen));
    start(run, "#ScreenFront 0 #Perspective 1 #ScreenScaleXY 1.5 -1.5 0.5\n");
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);

    EXPECT_TRUE(near(at(shot, 300, 300), map)) << show(at(shot, 300, 300));
    EXPECT_TRUE(near(at(shot, 390, 400), map)) << show(at(shot, 390, 400));
    EXPECT_TRUE(near(at(shot, 200, 300), screen)) << show(at(shot, 200, 300));
    EXPECT_TRUE(near(at(shot, 250, 440), screen)) << show(at(shot, 250, 440));
    EXPECT_TRUE(shot.dark(200, 200)); // above the screen
    expect_disc(shot, 400, 300, kUnit);
}

// Three maps, red, green and blue, looping forward at 0.4 s a map. Polled
// screenshots of a small window must show each colour, always in series
// order.
TEST(FrameEndToEnd, AnimationShowsEachMapInTurn)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    const Rgb colours[3] = {{220, 30, 30}, {30, 220, 30}, {30, 30, 220}};
    for (int i = 0; i < 3; i++)
        run.write("map/sample" + std::to_string(i + 1) + ".ppm", solid(8, 4, colours[i]));
    start(run, "#Animation 1 #Repeat 1 #AnimationSpeed 6 #StopAt1stMap 0\n"
               "#WindowSizeXY 160 120\n");
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();

    std::vector<int> seen; // map index of each change of colour
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(3500);
    while (std::chrono::steady_clock::now() < until) {
        Screenshot shot = run.grab(window);
        if (shot.width != 160)
            continue;
        Rgb centre = at(shot, 80, 60);
        for (int i = 0; i < 3; i++)
            if (near(centre, colours[i]) && (seen.empty() || seen.back() != i))
                seen.push_back(i);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    std::string order;
    for (int i : seen)
        order += std::to_string(i);
    ASSERT_GE(seen.size(), 4u) << "maps seen: " << order << "\n" << run.output();
    for (size_t k = 1; k < seen.size(); k++)
        EXPECT_EQ(seen[k], (seen[k - 1] + 1) % 3) << "maps seen: " << order;
}
