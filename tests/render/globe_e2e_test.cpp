// globe_e2e_test.cpp — the real program draws the globe as a disc of radius
// h/4 about the window centre in the default orthographic view.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e.h"
#include "support/gl_fixture.h"

namespace {
// A binary PPM of one colour.
std::string solid_ppm(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; i++)
        ppm += {static_cast<char>(r), static_cast<char>(g), static_cast<char>(b)};
    return ppm;
}

bool lit(const Screenshot& shot, int x, int y)
{
    const unsigned char* p = shot.at(x, y);
    return p[0] > 100 || p[1] > 100 || p[2] > 100;
}
} // namespace

TEST(GlobeEndToEnd, DefaultViewShowsTheMapAsACentredDisc)
{
    ASSERT_TRUE(have_display())
        << "end-to-end tests need an X display; use the README test command";
    TyxRun run;
    run.write("map/sample1.ppm", solid_ppm(8, 4, 40, 220, 90));
    run.start();
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();
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
