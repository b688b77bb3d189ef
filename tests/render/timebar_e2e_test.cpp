// timebar_e2e_test.cpp — the real program's time bar under the pointer: a
// press and drag scrub the series and stop the animation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/e2e.h"

namespace {

Colour map_colour(int frame)
{
    return {static_cast<unsigned char>(40 + 50 * frame), 120,
            static_cast<unsigned char>(200 - 40 * frame)};
}

using TimebarEndToEnd = EndToEnd;

} // namespace

// 800 x 600 window, bar of size 1 at (-2.5, -0.8): the knob's centre at frame
// f of 5 is at x = -2.4 + f / 4 * 4.925, column (x + 8/3) * 150; the bar's
// middle line y = -1.3 is row 495.
TEST_F(TimebarEndToEnd, DraggingTheTimeBarScrubsAndStopsTheAnimation)
{
    for (int i = 0; i < 5; i++)
        run.write("map/sample" + std::to_string(i + 1) + ".ppm", solid_ppm(map_colour(i)));
    run.write("data/conf/conf.txt",
              "#TimebarScaleXY 1 -2.5 -0.8\n#TimeBarScrub 1\n#Animation 1\n#Repeat 1\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    auto column = [](int frame) {
        return std::to_string(std::lround((-2.4 + frame / 4.0 * 4.925 + 8.0 / 3) * 150));
    };
    std::string to = " mousemove --window " + std::to_string(window) + " ";
    run_command("xdotool" + to + column(1) + " 495 mousedown 1" + to + column(2) + " 495" + to +
                column(3) + " 495");
    Screenshot dragged = run.wait_for(
        window, [](const Screenshot& s) { return near(s, 400, 300, map_colour(3), 3); });
    EXPECT_GT(dragged.width, 0) << "the drag did not reach frame 3";
    run_command("xdotool mouseup 1");
    ASSERT_TRUE(run.wait_frames(2));
    // The press stopped the animation: frame 3 stays.
    EXPECT_TRUE(run.stays(
        window, [](const Screenshot& s) { return near(s, 400, 300, map_colour(3), 3); }, 1.0));
}
