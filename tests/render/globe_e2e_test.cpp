// globe_e2e_test.cpp — the real program draws the globe as a disc of radius
// h/4 about the window centre in the default orthographic view.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e.h"

namespace {
bool lit(const Screenshot& shot, int x, int y)
{
    const unsigned char* p = shot.at(x, y);
    return p[0] > 100 || p[1] > 100 || p[2] > 100;
}
} // namespace

using GlobeEndToEnd = EndToEnd;

TEST_F(GlobeEndToEnd, DefaultViewShowsTheMapAsACentredDisc)
{
    run.write("map/sample1.ppm", solid_ppm({40, 220, 90}, 8, 4));
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    Screenshot shot = run.screenshot(window);
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(shot.height, 600);

    const unsigned char* centre = shot.at(400, 300);
    EXPECT_NEAR(centre[0], 40, 2) << run.output();
    EXPECT_NEAR(centre[1], 220, 2);
    EXPECT_NEAR(centre[2], 90, 2);
    // Radius 150 pixels: inside just short of it, black just beyond. (The
    // bottom edge is left out: the time bar may sit there.)
    EXPECT_TRUE(lit(shot, 400 - 147, 300));
    EXPECT_FALSE(lit(shot, 400 - 153, 300));
    EXPECT_TRUE(lit(shot, 400 + 147, 300));
    EXPECT_FALSE(lit(shot, 400 + 153, 300));
    EXPECT_TRUE(lit(shot, 400, 300 - 147));
    EXPECT_FALSE(lit(shot, 400, 300 - 153));
    EXPECT_FALSE(lit(shot, 10, 10));
}
