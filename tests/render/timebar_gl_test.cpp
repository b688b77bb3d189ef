// timebar_gl_test.cpp — the time bar's pixels in a real window: caps, knob and
// groove where the geometry puts them, at the first and the last frame.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/gl_fixture.h"

namespace {

// Bar of size 1 at (-2.5, -0.8) in the 800 x 600 test window (150 pixels per
// unit, x = 0 at column 400): it spans columns 25 .. 793, rows 420 .. 570;
// the knob rows 450 .. 540 and the groove rows 486 .. 504.
class TimebarGl : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        overlay.time_scale = 1;
        overlay.time_x = -2.5;
        overlay.time_y = -0.8;
        view.scale_factor = 0.5f; // keep the globe clear of the bar
        play.ntimemax = 24;
    }
    // 0 background, 1 gray (caps, knob), 2 dark gray (groove), -1 anything else.
    int shade(int x, int y) const
    {
        Rgba p = pixel(x, y);
        auto is = [&](int v) {
            return std::abs(p.r - v) <= 2 && std::abs(p.g - v) <= 2 && std::abs(p.b - v) <= 2;
        };
        return is(0) ? 0 : is(77) ? 1 : is(26) ? 2 : -1;
    }
};

TEST_F(TimebarGl, CapsKnobAndGrooveAtTheFirstAndLastFrame)
{
    struct Probe {
        const char* what;
        int x, y;
        int first, last; // shade at frame 0 and at frame 23
    };
    const Probe probes[] = {
        {"left cap", 34, 430, 1, 1},
        {"right cap", 785, 560, 1, 1},
        {"knob's left end", 50, 470, 1, 0},
        {"knob's right end", 770, 470, 0, 1},
        {"groove over the knob", 40, 495, 2, 2},
        {"groove", 400, 495, 2, 2},
        {"between caps above the knob", 400, 425, 0, 0},
        {"beyond the right cap", 796, 495, 0, 0},
    };
    for (int frame : {0, 23}) {
        play.ntime = frame;
        draw_globe();
        for (const Probe& p : probes)
            EXPECT_EQ(shade(p.x, p.y), frame == 0 ? p.first : p.last)
                << p.what << " at frame " << frame;
    }
}

TEST_F(TimebarGl, NoKnobWithoutFramesAndNoBarWithoutSize)
{
    play.ntimemax = 0;
    draw_globe();
    EXPECT_EQ(shade(50, 470), 0);
    EXPECT_EQ(shade(400, 495), 2);

    play.ntimemax = 24;
    for (double size : {0.0, -1.0}) {
        overlay.time_scale = size;
        draw_globe();
        EXPECT_EQ(shade(400, 495), 0) << size;
        EXPECT_EQ(shade(34, 430), 0) << size;
    }
}

} // namespace
