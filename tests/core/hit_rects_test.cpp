// hit_rects_test.cpp — icon and palette rectangles in window pixels.
#include "core/hit_rects.h"

#include <gtest/gtest.h>

#include "support/state_fixture.h"

using HitRectangles = StateTest;

TEST_F(HitRectangles, DefaultIconInAFourByThreeWindow)
{
    compute_hit_rectangles(0, 800, 600);
    // Icon 0: corner (1.5, -1), side 1; x maps by (x + 2 * 4/3) * 150.
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][0][0], (1.5 + 8.0 / 3) * 150);
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][0][1], (2.5 + 8.0 / 3) * 150);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][0], 450);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][1], 600);
    // Only icon 0 takes part with int_button 1.
    EXPECT_EQ(icons.icon_posi_x_window[0][1][0], 0);
}

TEST_F(HitRectangles, FollowHeightAndAspect)
{
    icons.int_button = 2;
    compute_hit_rectangles(0, 1000, 500); // aspect 2, a quarter height is 125
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][1][0], (1.8 + 4) * 125);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][1][0], 3 * 125);
    compute_hit_rectangles(0, 300, 900); // portrait: aspect 1/3
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][0][0], (1.5 + 2.0 / 3) * 225);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][1], 4 * 225);
}

TEST_F(HitRectangles, IconAtTheCentreLineKeepsItsPlaceAcrossSizes)
{
    icons.icon_posi_x[0] = 0;
    icons.icon_posi_y[0] = 0;
    icons.icon_scale[0] = 0.5;
    compute_hit_rectangles(0, 800, 600);
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][0][0], 400);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][0], 300);
    compute_hit_rectangles(0, 1200, 400);
    EXPECT_DOUBLE_EQ(icons.icon_posi_x_window[0][0][0], 600);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][0], 200);
    EXPECT_DOUBLE_EQ(icons.icon_posi_y_window[0][0][1], 250);
}

TEST_F(HitRectangles, PaletteCellsStackBelowThePenCell)
{
    compute_hit_rectangles(0, 800, 600);
    const double p = 0.15, y = 1.2;
    for (int j = 0; j < kPaletteCells; j++) {
        EXPECT_DOUBLE_EQ(drawing.palette_posi_x_window[0][j][0], (-2.5 + 8.0 / 3) * 150);
        EXPECT_DOUBLE_EQ(drawing.palette_posi_y_window[0][j][0], (2 - (y - (j + 1) * p)) * 150);
        EXPECT_DOUBLE_EQ(drawing.palette_posi_y_window[0][j][1], (2 - (y - (j + 2) * p)) * 150);
    }
}

TEST_F(HitRectangles, NeverWritesPastTheIconTable)
{
    icons.int_button = 1000;
    compute_hit_rectangles(0, 640, 480);
    SUCCEED();
}
