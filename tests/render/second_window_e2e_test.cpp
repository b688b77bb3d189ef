// second_window_e2e_test.cpp — the real program with two windows sharing one
// series: window 2 shows the map from its first frames, also after a full
// reload asked for in window 2; full screen in window 2 and back.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e.h"

namespace {

Colour map_colour(int frame)
{
    return {static_cast<unsigned char>(40 + 50 * frame), 120,
            static_cast<unsigned char>(200 - 40 * frame)};
}

// With one map and with several: the program with two 320 x 240 windows.
class SharedSeriesEndToEnd : public EndToEnd, public testing::WithParamInterface<int> {};

TEST_P(SharedSeriesEndToEnd, WindowTwoShowsTheMapFromItsFirstFramesAndAfterAReload)
{
    for (int i = 0; i < GetParam(); i++)
        run.write("map/sample" + std::to_string(i + 1) + ".ppm", solid_ppm(map_colour(i)));
    run.write("data/conf/conf.txt", "#NumberOfEarth 2\n#TextureOfEarth2 0\n#WindowSizeXY 320 240\n"
                                    "#WindowPositionXY 0 0\n");
    ASSERT_NE(start(), 0u);
    unsigned long second = run.wait_window("TYX 1.27(2)");
    ASSERT_NE(second, 0u) << run.output();
    auto shows_map = [](const Screenshot& shot) { return near(shot, 160, 120, map_colour(0), 3); };
    ASSERT_TRUE(run.wait_frames(1, true));
    Screenshot first_frames = run.grab(second);
    EXPECT_TRUE(shows_map(first_frames)) << describe(first_frames.colour(160, 120));

    // Z in window 2: its next frame may come before window 1's.
    run.key(second, "Z");
    ASSERT_TRUE(
        wait_until([&] { return run.output().find("reload texture files") != std::string::npos; }));
    ASSERT_TRUE(run.wait_frames(3, true));
    Screenshot reloaded = run.grab(second);
    EXPECT_TRUE(shows_map(reloaded)) << describe(reloaded.colour(160, 120));
    run.key(second, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}

INSTANTIATE_TEST_SUITE_P(Maps, SharedSeriesEndToEnd, testing::Values(1, 3));

using SecondWindowEndToEnd = EndToEnd;

// Without a window manager (as under the test server) the program places the
// window itself.
TEST_F(SecondWindowEndToEnd, FullScreenInWindowTwoCoversTheScreenAndComesBackToItsPlace)
{
    run.write("map/sample1.ppm", solid_ppm(map_colour(0)));
    run.write("data/conf/conf.txt", "#NumberOfEarth 2\n#WindowSizeXY2 400 300\n");
    ASSERT_NE(start(), 0u);
    unsigned long second = run.wait_window("TYX 1.27(2)");
    ASSERT_NE(second, 0u) << run.output();
    WindowGeometry root = screen_geometry(), g;
    auto placed = [&](int x, int y, int w, int h) {
        return wait_until([&] {
            g = run.geometry(second);
            return g.x == x && g.y == y && g.width == w && g.height == h;
        });
    };
    ASSERT_TRUE(placed(800, 0, 400, 300));
    run.key(second, "f");
    EXPECT_TRUE(placed(0, 0, root.width, root.height)) << g.x << " " << g.width;
    run.key(second, "Escape");
    EXPECT_TRUE(placed(800, 0, 400, 300)) << g.x << " " << g.width;
}

} // namespace
