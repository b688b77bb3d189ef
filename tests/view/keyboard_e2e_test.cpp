// keyboard_e2e_test.cpp — real key presses (xdotool) against the real
// program: Space plays the series, Left turns the globe, f and Esc switch
// full screen, q ends the program.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "support/e2e.h"
#include "view/keyboard_e2e_helpers.h"

using namespace keys_e2e;

namespace {

const double kPi = 3.141592653589793;
const Colour kRed = {200, 30, 30}, kGreen = {30, 200, 30}, kBlue = {30, 30, 200};

class KeyboardEndToEnd : public EndToEnd {
  protected:
    // Starts tyx on the spot map, viewed from latitude 0, longitude 0, with
    // the extra configuration lines given.
    unsigned long start_on_spot(const std::string& config = "")
    {
        run.write("map/sample1.ppm", spot_map());
        run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n" + config);
        return start();
    }
};

} // namespace

TEST_F(KeyboardEndToEnd, SpaceStartsTheAnimation)
{
    run.write("map/sample1.ppm", solid_ppm(kRed));
    run.write("map/sample2.ppm", solid_ppm(kGreen));
    run.write("map/sample3.ppm", solid_ppm(kBlue));
    run.write("data/conf/init_conf.txt", "#Repeat 1\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);

    auto shows = [](Colour c) { return [c](const Screenshot& s) { return near(s, 400, 300, c); }; };
    ASSERT_GT(run.wait_for(window, shows(kRed)).width, 0) << "first map never shown";
    // Longer than the first map's interval and hold together (0.4 s).
    EXPECT_TRUE(run.stays(window, shows(kRed), 0.8)) << "the series played before Space";

    run.key(window, "space");
    EXPECT_GT(run.wait_for(window, shows(kGreen)).width, 0) << "no second frame after Space";
    EXPECT_GT(run.wait_for(window, shows(kBlue)).width, 0) << "no third frame after Space";
}

TEST_F(KeyboardEndToEnd, LeftArrowPressesTurnTheGlobeStepByStep)
{
    // Independent rotation mode: the mode in which each key step must be
    // committed for presses to add up.
    unsigned long window = start_on_spot("#EarthRotationSynch 0\n");
    ASSERT_NE(window, 0u);
    double before = -1;
    ASSERT_GT(run.wait_for(window,
                           [&](const Screenshot& s) {
                               before = spot_centre(s, 300);
                               return before > 0;
                           })
                  .width,
              0)
        << "the spot is not in view";
    EXPECT_NEAR(before, 400, 3);

    // Ten presses of about 0.9 degrees: the front of the globe turns right
    // by 9 degrees, which moves the spot's middle (edges at -22.5 and 22.5
    // degrees on a disc of radius 150) to about 21.7 pixels right of centre.
    run.key(window, "Left Left Left Left Left Left Left Left Left Left");
    const double expected = 150 * (std::sin(31.5 * kPi / 180) - std::sin(13.5 * kPi / 180)) / 2;
    double after = -1;
    run.wait_for(window, [&](const Screenshot& s) {
        after = spot_centre(s, 300);
        return std::fabs(after - before - expected) <= 3;
    });
    EXPECT_NEAR(after - before, expected, 3);
}

TEST_F(KeyboardEndToEnd, FullScreenOnAndOffThenQuit)
{
    unsigned long window = start_on_spot();
    ASSERT_NE(window, 0u);
    WindowGeometry screen = screen_geometry();
    ASSERT_GT(screen.width, 800);

    run.key(window, "f");
    WindowGeometry g;
    auto size_becomes = [&](int w, int h) {
        return wait_until([&] {
            g = run.geometry(window);
            return g.width == w && g.height == h;
        });
    };
    EXPECT_TRUE(size_becomes(screen.width, screen.height)) << g.width << " x " << g.height;
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    // The globe is drawn for the new size: centred, radius a quarter height.
    EXPECT_GT(run.wait_for(window,
                           [&](const Screenshot& s) {
                               return s.width == screen.width &&
                                      std::fabs(spot_centre(s, screen.height / 2) -
                                                screen.width / 2.0) < 3;
                           })
                  .width,
              0);

    run.key(window, "Escape");
    EXPECT_TRUE(size_becomes(800, 600)) << g.width << " x " << g.height;

    // (xdotool's own complaint about the vanished window is not of interest.)
    run_command("xdotool key --window " + std::to_string(window) + " q 2>/dev/null");
    EXPECT_EQ(run.wait_exit(5), 0) << run.output();
}
