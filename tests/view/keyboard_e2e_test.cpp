// keyboard_e2e_test.cpp — real key presses (xdotool) against the real
// program: Space plays the series, Left turns the globe, f and Esc switch
// full screen, q ends the program.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "support/e2e.h"
#include "support/gl_fixture.h"
#include "view/keyboard_e2e_helpers.h"

using namespace keys_e2e;

namespace {

const double kPi = 3.141592653589793;
const Colour kRed = {200, 30, 30}, kGreen = {30, 200, 30}, kBlue = {30, 30, 200};

WindowGeometry screen_geometry()
{
    WindowGeometry g;
    std::istringstream in(run_command("xwininfo -root"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("Width:") != std::string::npos)
            g.width = std::stoi(line.substr(line.find(':') + 1));
        else if (line.find("Height:") != std::string::npos)
            g.height = std::stoi(line.substr(line.find(':') + 1));
    }
    return g;
}

// Starts tyx on the spot map, viewed from latitude 0, longitude 0, with the
// extra configuration lines given.
unsigned long start_on_spot(TyxRun& run, const std::string& config = "")
{
    run.write("map/sample1.ppm", spot_map());
    run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n" + config);
    run.start();
    return run.wait_window("TYX 1.27");
}

} // namespace

TEST(KeyboardEndToEnd, SpaceStartsTheAnimation)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    run.write("map/sample1.ppm", solid_map(kRed));
    run.write("map/sample2.ppm", solid_map(kGreen));
    run.write("map/sample3.ppm", solid_map(kBlue));
    run.write("data/conf/init_conf.txt", "#Repeat 1\n");
    run.start();
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();

    auto shows = [](Colour c) { return [c](const Screenshot& s) { return near(s, 400, 300, c); }; };
    ASSERT_TRUE(poll(run, window, shows(kRed))) << "first map never shown";
    pause(1.5);
    EXPECT_TRUE(shows(kRed)(grab(run, window))) << "the series played before Space";

    run.key(window, "space");
    EXPECT_TRUE(poll(run, window, shows(kGreen))) << "no second frame after Space";
    EXPECT_TRUE(poll(run, window, shows(kBlue))) << "no third frame after Space";
}

TEST(KeyboardEndToEnd, LeftArrowPressesTurnTheGlobeStepByStep)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    // Independent rotation mode: the mode in which each key step must be
    // committed for presses to add up.
    unsigned long window = start_on_spot(run, "#EarthRotationSynch 0\n");
    ASSERT_NE(window, 0u) << run.output();
    double before = -1;
    ASSERT_TRUE(poll(run, window, [&](const Screenshot& s) {
        before = spot_centre(s, 300);
        return before > 0;
    })) << "the spot is not in view";
    EXPECT_NEAR(before, 400, 3);

    // Ten presses of about 0.9 degrees: the front of the globe turns right
    // by 9 degrees, which moves the spot's middle (edges at -22.5 and 22.5
    // degrees on a disc of radius 150) to about 21.7 pixels right of centre.
    run.key(window, "Left Left Left Left Left Left Left Left Left Left");
    double after = -1;
    EXPECT_TRUE(poll(run, window,
                     [&](const Screenshot& s) {
                         after = spot_centre(s, 300);
                         return after > before + 18;
                     }))
        << "spot centre " << before << " -> " << after;
    pause(0.5);
    after = spot_centre(grab(run, window), 300);
    EXPECT_NEAR(after - before, 150 * (std::sin(31.5 * kPi / 180) - std::sin(13.5 * kPi / 180)) / 2,
                3);
}

TEST(KeyboardEndToEnd, FullScreenOnAndOffThenQuit)
{
    ASSERT_TRUE(have_display()) << "end-to-end tests need an X display";
    TyxRun run;
    unsigned long window = start_on_spot(run);
    ASSERT_NE(window, 0u) << run.output();
    WindowGeometry screen = screen_geometry();
    ASSERT_GT(screen.width, 800);

    run.key(window, "f");
    WindowGeometry g;
    auto size_becomes = [&](int w, int h) {
        for (int i = 0; i < 100; i++) {
            g = run.geometry(window);
            if (g.width == w && g.height == h)
                return true;
            pause(0.05);
        }
        return false;
    };
    EXPECT_TRUE(size_becomes(screen.width, screen.height)) << g.width << " x " << g.height;
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    // The globe is drawn for the new size: centred, radius a quarter height.
    EXPECT_TRUE(poll(run, window, [&](const Screenshot& s) {
        return s.width == screen.width &&
               std::fabs(spot_centre(s, screen.height / 2) - screen.width / 2.0) < 3;
    }));

    run.key(window, "Escape");
    EXPECT_TRUE(size_becomes(800, 600)) << g.width << " x " << g.height;

    // (xdotool's own complaint about the vanished window is not of interest.)
    run_command("xdotool key --window " + std::to_string(window) + " q 2>/dev/null");
    EXPECT_EQ(run.wait_exit(5), 0) << run.output();
}
