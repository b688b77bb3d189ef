// timebar_test.cpp — the time bar's knob position and its inverse, its hit
// rectangle in pixels, and scrubbing by press and drag.
#include "render/timebar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/state_fixture.h"

namespace {

using Timebar = StateTest;

// Knob travel (L - k + a) at size 1.
constexpr double kTravel = 5.0 - 0.2 + 0.125;

TEST_F(Timebar, KnobOffsetAtBothScales)
{
    struct Case {
        int ntime, frames;
        double s, offset;
    };
    const Case cases[] = {
        {0, 5, 1, 0},           {2, 5, 1, kTravel / 2},
        {4, 5, 1, kTravel}, // right edge flush with the right cap: 4.925 + 0.2 = 5.125
        {0, 5, 2, 0},           {1, 5, 2, 2 * kTravel / 4},
        {4, 5, 2, 2 * kTravel}, {0, 1, 1, 0}, // one frame: the left end
        {7, 5, 1, kTravel},                   // an index past the series stays at the end
        {-3, 5, 1, 0},          {0, 0, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(timebar_knob_offset(c.ntime, c.frames, c.s), c.offset, 1e-12)
            << c.ntime << " of " << c.frames << " at " << c.s;
}

TEST_F(Timebar, FrameUnderThePointerInvertsTheKnobOffset)
{
    const double time_x = -1.5;
    for (double s : {1.0, 0.36}) {
        for (int frames : {2, 5, 24}) {
            for (int f = 0; f < frames; f++) {
                double centre = time_x + timebar_knob_offset(f, frames, s) + 0.1 * s;
                EXPECT_EQ(timebar_frame_at(centre, frames, time_x, s), f) << s << " " << frames;
            }
        }
        const double bar_end = time_x + 5.125 * s;
        EXPECT_EQ(timebar_frame_at(time_x, 24, time_x, s), 0) << "left end";
        EXPECT_EQ(timebar_frame_at(bar_end, 24, time_x, s), 23) << "right end";
        EXPECT_EQ(timebar_frame_at(time_x - 40, 24, time_x, s), 0) << "far left";
        EXPECT_EQ(timebar_frame_at(bar_end + 40, 24, time_x, s), 23) << "far right";
    }
    // Nearest frame: just short of half-way between frames 1 and 2 of five.
    double half = -1.5 + 0.1 + 1.5 * kTravel / 4;
    EXPECT_EQ(timebar_frame_at(half - 0.01, 5, -1.5, 1), 1);
    EXPECT_EQ(timebar_frame_at(half + 0.01, 5, -1.5, 1), 2);

    EXPECT_EQ(timebar_frame_at(0, 1, -1.5, 1), 0);
    EXPECT_EQ(timebar_frame_at(0, 0, -1.5, 1), -1) << "no frames";
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(timebar_frame_at(0, 5, -1.5, bad), -1) << bad;
}

// 800 x 600: 150 pixels per unit, x = 0 at column 400, y = 0 at row 300.
TEST_F(Timebar, HitRectangleFollowsEachWindowsSize)
{
    overlay.time_scale = 1;
    overlay.time_x = -1;
    overlay.time_y = -1;
    compute_timebar_rectangle(0, 800, 600);
    compute_timebar_rectangle(1, 400, 300);
    EXPECT_NEAR(overlay.time_posi_x_window[0][0], 250, 1e-9);
    EXPECT_NEAR(overlay.time_posi_x_window[0][1], 400 + 4.125 * 150, 1e-9);
    // Knob height 0.6 about the middle line y = -1.5.
    EXPECT_NEAR(overlay.time_posi_y_window[0][0], 300 + 1.2 * 150, 1e-9);
    EXPECT_NEAR(overlay.time_posi_y_window[0][1], 300 + 1.8 * 150, 1e-9);
    EXPECT_NEAR(overlay.time_posi_x_window[1][0], 125, 1e-9);
    EXPECT_NEAR(overlay.time_posi_y_window[1][1], 150 + 1.8 * 75, 1e-9);

    overlay.time_scale = 0;
    compute_timebar_rectangle(0, 800, 600);
    EXPECT_EQ(overlay.time_posi_x_window[0][0], overlay.time_posi_x_window[0][1]);
}

class TimebarScrub : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        overlay.time_scrub = 1;
        overlay.time_scale = 1;
        overlay.time_x = -1;
        overlay.time_y = -1;
        play.ntimemax = 5;
        play.anim = 1;
        compute_timebar_rectangle(0, 800, 600);
    }
    // Column of frame f's knob centre and the row of the bar's middle.
    static int column_of(int f, int frames = 5)
    {
        return static_cast<int>(std::lround(250 + (timebar_knob_offset(f, frames, 1) + 0.1) * 150));
    }
    static constexpr int kRow = 525;
};

TEST_F(TimebarScrub, PressAndDragSetTheFrameAndStopTheAnimation)
{
    ASSERT_TRUE(press_time_bar(0, column_of(3), kRow));
    EXPECT_EQ(play.ntime, 3);
    EXPECT_EQ(play.anim, 0);
    EXPECT_TRUE(drag_time_bar(column_of(1)));
    EXPECT_EQ(play.ntime, 1);
    // Dragged beyond the bar's ends, and off its height: the ends hold.
    EXPECT_TRUE(drag_time_bar(2000));
    EXPECT_EQ(play.ntime, 4);
    EXPECT_TRUE(drag_time_bar(-50));
    EXPECT_EQ(play.ntime, 0);
    release_time_bar();
    play.ntime = 2;
    EXPECT_FALSE(drag_time_bar(column_of(4))) << "no drag after the release";
    EXPECT_EQ(play.ntime, 2);

    // Frames 16 pixels apart: every knob answers for its own frame.
    play.ntimemax = 48;
    for (int f = 0; f < 48; f++) {
        press_time_bar(0, column_of(f, 48), kRow);
        EXPECT_EQ(play.ntime, f);
    }
}

TEST_F(TimebarScrub, PressesThatDoNotBelongToTheBar)
{
    struct Case {
        const char* what;
        void (*set)();
        int x, y;
    };
    const Case cases[] = {
        {"scrubbing off", [] { overlay.time_scrub = 0; }, column_of(2), kRow},
        {"bar hidden with the icons", [] { overlay.icon_hyoji_onoff = 0; }, column_of(2), kRow},
        {"no frames", [] { play.ntimemax = 0; }, column_of(2), kRow},
        {"above the knob's height", [] {}, column_of(2), 478},
        {"left of the bar", [] {}, 249, kRow},
        {"no size",
         [] {
             overlay.time_scale = -1;
             compute_timebar_rectangle(0, 800, 600);
         },
         column_of(2), kRow},
    };
    for (const Case& c : cases) {
        SetUp();
        c.set();
        play.ntime = 1;
        EXPECT_FALSE(press_time_bar(0, c.x, c.y)) << c.what;
        EXPECT_EQ(play.ntime, 1) << c.what;
        EXPECT_EQ(play.anim, 1) << c.what;
        EXPECT_FALSE(drag_time_bar(column_of(3))) << c.what;
    }
}

} // namespace
