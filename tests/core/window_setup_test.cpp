// window_setup_test.cpp — window 2's title rule and the projection constants.
#include <gtest/gtest.h>

#include <cmath>

#include "core/window.h"
#include "support/state_fixture.h"

using WindowSetup = StateTest;

TEST_F(WindowSetup, SecondTitleDerivesFromTheFirstWhenOnlyThatWasSet)
{
    EXPECT_EQ(window2_title(), "TYX 1.27(2)");
    wnd.window_title_1 = "Earth";
    EXPECT_EQ(window2_title(), "Earth(2)");
    wnd.window_title_2 = "Moon";
    EXPECT_EQ(window2_title(), "Moon");
}

TEST_F(WindowSetup, PerspectiveShowsTheOrthographicHeightAtTheCentrePlane)
{
    compute_projection_constants();
    EXPECT_NEAR(wnd.fovy, 2 * std::atan(0.1) * 180 / 3.1415926, 1e-12);
    EXPECT_DOUBLE_EQ(wnd.farlimit, 40);
    // The half-height seen at distance ez equals size_ortho.
    EXPECT_NEAR(std::tan(wnd.fovy / 2 * M_PI / 180) * wnd.ez, wnd.size_ortho, 1e-6);
    wnd.ez = 10;
    compute_projection_constants();
    EXPECT_DOUBLE_EQ(wnd.farlimit, 30);
}

TEST_F(WindowSetup, EyeBehindTheGlobeKeepsTheGlobeInsideTheFrustum)
{
    wnd.ez = -20;
    compute_projection_constants();
    // The camera stands at +20 looking at the origin: the globe (|z| <= 1)
    // must lie between the near and far planes, and the view must open.
    EXPECT_GT(wnd.farlimit, 21);
    EXPECT_GT(wnd.fovy, 0);
}
