// mouse_e2e_test.cpp — the real program under real pointer events: a slow
// drag carries a marked map spot with the pointer, a fast flick leaves the
// globe coasting after the release, a Shift-drag upwards enlarges the disc.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/e2e.h"

namespace {

const double kPi = 3.141592653589793;

// A 360 x 180 map, one pixel per degree: blue growing brighter from west to
// east (so any turn changes the picture) with a red spot of radius 6 degrees
// at latitude 0, longitude 0.
std::string spot_map()
{
    std::string ppm = "P6\n360 180\n255\n";
    for (int row = 0; row < 180; row++) {
        double lat = 89.5 - row;
        for (int col = 0; col < 360; col++) {
            double lon = col + 0.5 - 180;
            if (lat * lat + lon * lon < 36)
                ppm += {static_cast<char>(255), 0, 0};
            else
                ppm += {0, 0, static_cast<char>(60 + col / 2)};
        }
    }
    return ppm;
}

// The program facing the spot, in an 800 x 600 window at the screen's corner:
// the globe is a disc of radius 150 about (400, 300).
class MouseEndToEnd : public EndToEnd {
  protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        run.write("map/sample1.ppm", spot_map());
        run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n");
        window = start();
        ASSERT_NE(window, 0u);
    }
    void TearDown() override { run_command("xdotool keyup shift"); }

    // The window's content now, without the screenshot helper's wait.
    Screenshot grab() { return run.grab(window); }
    void xdotool(const std::string& commands) { run_command("xdotool " + commands); }
    // "mousemove" commands from (x0, y0) to (x1, y1) in `steps` equal steps,
    // with a pause after each one.
    std::string moves(int x0, int y0, int x1, int y1, int steps, double pause)
    {
        std::string out;
        for (int i = 1; i <= steps; i++)
            out += " mousemove --window " + std::to_string(window) + " " +
                   std::to_string(x0 + (x1 - x0) * i / steps) + " " +
                   std::to_string(y0 + (y1 - y0) * i / steps) +
                   (pause > 0 ? " sleep " + std::to_string(pause) : "");
        return out;
    }
    std::string at(int x, int y)
    {
        return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
               std::to_string(y);
    }

    unsigned long window = 0;
};

struct Spot {
    int pixels = 0;
    double x = 0, y = 0; // centre of the red pixels
};

Spot red_spot(const Screenshot& shot)
{
    Spot s;
    for (int y = 0; y < shot.height; y++)
        for (int x = 0; x < shot.width; x++) {
            const unsigned char* p = shot.at(x, y);
            if (p[0] > 200 && p[1] < 80 && p[2] < 80) {
                s.pixels++;
                s.x += x;
                s.y += y;
            }
        }
    if (s.pixels > 0) {
        s.x /= s.pixels;
        s.y /= s.pixels;
    }
    return s;
}

bool lit(const Screenshot& shot, int x, int y)
{
    const unsigned char* p = shot.at(x, y);
    return p[0] > 30 || p[1] > 30 || p[2] > 30;
}

} // namespace

TEST_F(MouseEndToEnd, SlowDragCarriesTheMapWithThePointer)
{
    Screenshot before = run.screenshot(window);
    ASSERT_EQ(before.width, 800);
    Spot spot = red_spot(before);
    ASSERT_GT(spot.pixels, 100) << run.output();
    EXPECT_NEAR(spot.x, 399.5, 1.5);
    EXPECT_NEAR(spot.y, 299.5, 1.5);

    // 30 pixels to the right in 5-pixel steps: the globe turns by 30 / 600
    // of a half turn per half-angle, 0.1 pi in all; no step is fast enough to
    // coast.
    xdotool(at(400, 300) + " mousedown 1" + moves(400, 300, 430, 300, 6, 0.03) + " mouseup 1");
    Screenshot right = run.screenshot(window);
    spot = red_spot(right);
    EXPECT_NEAR(spot.x, 399.5 + 150 * std::sin(0.1 * kPi), 3);
    EXPECT_NEAR(spot.y, 299.5, 1.5);

    // Then 30 pixels down: the spot goes down with the pointer and keeps its column.
    xdotool(at(430, 300) + " mousedown 1" + moves(430, 300, 430, 330, 6, 0.03) + " mouseup 1");
    Screenshot down = run.screenshot(window);
    spot = red_spot(down);
    EXPECT_NEAR(spot.x, 399.5 + 150 * std::sin(0.1 * kPi), 3);
    EXPECT_NEAR(spot.y, 299.5 + 150 * std::cos(0.1 * kPi) * std::sin(0.1 * kPi), 3);

    // The globe stays where the drag left it.
    Screenshot later = grab();
    EXPECT_EQ(later.rgb, down.rgb);
}

TEST_F(MouseEndToEnd, FastFlickKeepsTheGlobeCoastingAfterRelease)
{
    run.screenshot(window); // wait for the first frames
    // Steps of 60 pixels, one after the other, and the release right away.
    xdotool(at(300, 450) + " mousedown 1" + moves(300, 450, 480, 450, 3, 0) + " mouseup 1");
    run.wait_frames(3);
    Screenshot first = grab();
    run.wait_frames(10);
    Screenshot second = grab();
    EXPECT_NE(first.rgb, second.rgb) << "the globe still turns after the release";

    // Coasting slows down and ends by itself.
    bool stopped = false;
    for (int i = 0; i < 60 && !stopped; i++) {
        Screenshot a = grab();
        run.wait_frames(20);
        stopped = grab().rgb == a.rgb;
    }
    EXPECT_TRUE(stopped);
}

TEST_F(MouseEndToEnd, ShiftDragUpwardsEnlargesTheDisc)
{
    Screenshot before = run.screenshot(window);
    ASSERT_EQ(before.width, 800);
    EXPECT_FALSE(lit(before, 400 - 175, 300));
    EXPECT_FALSE(lit(before, 400 + 175, 300));

    // 150 pixels up in ten steps: the zoom grows by 1.025 per step, to 1.28,
    // and the disc's radius from 150 to 192 pixels.
    xdotool("keydown shift" + at(400, 450) + " mousedown 1" + moves(400, 450, 400, 300, 10, 0.02) +
            " mouseup 1 keyup shift");
    Screenshot after = run.screenshot(window);
    EXPECT_TRUE(lit(after, 400 - 185, 300));
    EXPECT_TRUE(lit(after, 400 + 185, 300));
    EXPECT_FALSE(lit(after, 400 - 200, 300));
    EXPECT_FALSE(lit(after, 400 + 200, 300));
    // The turn did not happen: the spot is still in the middle.
    Spot spot = red_spot(after);
    EXPECT_NEAR(spot.x, 399.5, 1.5);
    EXPECT_NEAR(spot.y, 299.5, 1.5);
}
