// load_progress_test.cpp — the loading bar's layout and the terminal count.
#include "imagery/load_progress.h"

#include <gtest/gtest.h>

TEST(LoadProgress, FractionStaysWithinTheBar)
{
    const struct {
        int done, total;
        double fraction;
    } cases[] = {{0, 96, 0}, {12, 96, 0.125}, {96, 96, 1}, {97, 96, 1}, {-1, 5, 0}, {3, 0, 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(progress_fraction(c.done, c.total), c.fraction)
            << c.done << "/" << c.total;
}

TEST(LoadProgress, BarIsCentredAndFillsFromTheLeft)
{
    const ProgressBar quarter = progress_bar_layout(800, 600, 24, 96);
    EXPECT_EQ(quarter.frame.width, 400);
    EXPECT_EQ(quarter.frame.height, 15); // a fortieth of the height
    EXPECT_EQ(quarter.frame.x, 200);
    EXPECT_EQ(quarter.frame.y, (600 - 15) / 2);
    EXPECT_EQ(quarter.fill.x, quarter.frame.x + 2);
    EXPECT_EQ(quarter.fill.y, quarter.frame.y + 2);
    EXPECT_EQ(quarter.fill.width, (400 - 4) / 4);
    EXPECT_EQ(quarter.fill.height, 15 - 4);

    EXPECT_EQ(progress_bar_layout(800, 600, 96, 96).fill.width, 400 - 4);
    EXPECT_EQ(progress_bar_layout(800, 600, 0, 96).fill.width, 0);
    // The height keeps within bounds in small and huge windows.
    EXPECT_EQ(progress_bar_layout(200, 100, 1, 2).frame.height, 6);
    EXPECT_EQ(progress_bar_layout(3840, 2160, 1, 2).frame.height, 20);
    // A window too small for a bar gets none.
    EXPECT_EQ(progress_bar_layout(8, 600, 1, 2).frame.width, 0);
    EXPECT_EQ(progress_bar_layout(800, 4, 1, 2).fill.width, 0);
}

TEST(LoadProgress, TerminalLineCountsMaps)
{
    EXPECT_EQ(progress_line(12, 96), "tyx: loading 12/96 maps");
}
