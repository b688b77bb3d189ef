// frame_pacing_test.cpp — the frame-rate limit's arithmetic (when a frame is
// due, when the next is asked for, the timer delay), what counts as a moving
// view, and the extension-name lookup of the swap control.
#include "render/frame_pacing.h"

#include <gtest/gtest.h>

#include <string>

#include "render/animation.h"
#include "support/state_fixture.h"

namespace {
using FramePacing = StateTest;
const double k60 = 1.0 / 60;
} // namespace

TEST_F(FramePacing, FramesComeOnePeriodApartWithoutCatchingUp)
{
    EXPECT_DOUBLE_EQ(frame_period(60), k60);
    EXPECT_EQ(frame_period(0), 0);
    EXPECT_EQ(frame_period(-3), 0);

    // Due within the timer's millisecond slack counts as due.
    EXPECT_TRUE(frame_is_due(1.0, 1.0));
    EXPECT_TRUE(frame_is_due(1.0, 1.0 - kFrameSlack / 2));
    EXPECT_FALSE(frame_is_due(1.0, 1.0 - 2 * kFrameSlack));

    struct Case {
        double due, now;
        int limit;
        double next;
    };
    const Case cases[] = {
        {1.0, 1.0, 60, 1.0 + k60},   // on time
        {1.0, 1.004, 60, 1.0 + k60}, // a late timer does not push the next frame back
        {1.0, 0.999, 60, 1.0 + k60}, // an early one does not pull it forward
        {1.0, 1.03, 60, 1.03 + k60}, // more than a period late: start afresh
        {0.0, 5.0, 60, 5.0 + k60},   // the first frame
        {1.0, 1.004, 0, 1.004},      // no limit
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(next_frame_due(c.due, c.now, c.limit), c.next) << c.due << " " << c.now;

    // A lively view asks as soon as the frame is due; a still one sleeps.
    EXPECT_DOUBLE_EQ(next_frame_request(2.0, 1.99, true), 2.0);
    EXPECT_DOUBLE_EQ(next_frame_request(2.0, 1.99, false), 1.99 + kStillFrameSeconds);
    EXPECT_DOUBLE_EQ(next_frame_request(9.0, 1.99, false), 9.0);

    // The sleep is rounded up to whole milliseconds, never negative.
    EXPECT_EQ(frame_wait_ms(1.0 + k60, 1.0), 17u);
    EXPECT_EQ(frame_wait_ms(1.010, 1.0), 10u);
    EXPECT_EQ(frame_wait_ms(1.0, 1.0), 0u);
    EXPECT_EQ(frame_wait_ms(1.0, 3.0), 0u);
}

TEST_F(FramePacing, AViewMovesWhileSomethingChangesByItselfOrWaitsForAFrame)
{
    // Defaults with the first frame shown and nothing pending.
    auto still = [] {
        reset_viewer_state();
        play.ntimetmp = play.ntime;
        series.readinit_file = series.readtextureornot = series.readtextureornot2 = 0;
        wnd.perspec_radio = wnd.perspec;
    };
    still();
    ASSERT_FALSE(view_is_moving());

    struct Case {
        const char* what;
        void (*set)();
    };
    const Case moving[] = {
        {"playing forward", [] { play.anim = 1; }},
        {"playing backward", [] { play.anim = -1; }},
        {"spinning", [] { spin.jitenornot = 1; }},
        {"a stroke being drawn", [] { drawing.line_continue = 1; }},
        {"globe 1 coasting", [] { inertia.arhozon = -0.2; }},
        {"globe 2 coasting", [] { inertia.arhozon_2 = 0.2; }},
        {"configuration re-read pending", [] { series.readinit_file = 1; }},
        {"window 1's images pending", [] { series.readtextureornot = 1; }},
        {"projection switch pending", [] { wnd.perspec_radio = 1 - wnd.perspec; }},
        {"window 1 not on the current frame", [] { play.ntime = 3; }},
        {"window 2's images pending",
         [] {
             wnd.window2 = 2;
             series.readtextureornot2 = 1;
         }},
        {"window 2 not on the current frame",
         [] {
             wnd.window2 = 2;
             play.ntime2 = 7;
         }},
    };
    for (const Case& c : moving) {
        still();
        c.set();
        EXPECT_TRUE(view_is_moving()) << c.what;
    }

    // Coasting at its start threshold is over; without a window 2 its
    // pending images wait for no frame.
    still();
    inertia.arhozon = inertia.minkanseikaiten;
    series.readtextureornot2 = 1;
    play.ntime2 = 9;
    EXPECT_FALSE(view_is_moving());

    // Playing alone, a frame is needed only when the next map is due; with
    // anything else moving, or a late map waited for, every frame is.
    still();
    play.anim = 1;
    play.jikan1 = 4.0;
    EXPECT_DOUBLE_EQ(next_map_time(), 4.0 + animation_interval() + kMapTimeMargin);
    play.late_frame = 1;
    EXPECT_EQ(next_map_time(), -1);
    for (const Case& c : moving) {
        if (std::string(c.what).rfind("playing", 0) == 0)
            continue;
        still();
        play.anim = -1;
        c.set();
        EXPECT_EQ(next_map_time(), -1) << c.what;
    }
    still();
    EXPECT_EQ(next_map_time(), -1) << "stopped";
}

TEST(SwapControl, ExtensionNamesMatchWholeWords)
{
    const char* list = "GLX_ARB_multisample GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_FALSE(has_extension_name(list, "GLX_EXT_swap_control"));
    EXPECT_TRUE(has_extension_name(list, "GLX_EXT_swap_control_tear"));
    EXPECT_TRUE(has_extension_name(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(has_extension_name(list, "GLX_ARB_multisample"));
    EXPECT_FALSE(has_extension_name(list, "GLX_SGI_swap_control"));
    EXPECT_FALSE(has_extension_name(list, "swap_control"));
    EXPECT_FALSE(has_extension_name(nullptr, "GLX_MESA_swap_control"));
    EXPECT_FALSE(has_extension_name(list, ""));
}
