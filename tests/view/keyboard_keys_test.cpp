// keyboard_keys_test.cpp — the key tables without a display: bounds, frame
// steps, zoom, presentation-remote meanings, reload requests and arrow turns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/clock.h"
#include "support/state_fixture.h"
#include "view/commands.h"
#include "view/key_actions.h"

namespace {

const double kPi = 3.141592653589793;

class Keys : public StateTest {
  protected:
    void TearDown() override
    {
        set_test_clock(-1);
        StateTest::TearDown();
    }
};

bool nothing_asked(const KeyResponse& r)
{
    return !r.quit && !r.rebuild_menu && !r.redisplay && !r.enter_full_screen &&
           !r.leave_full_screen && !r.request_full_reload && !r.set_up_projections;
}

KeyResponse press(unsigned char key, int times = 1, bool second_window = false)
{
    KeyResponse r;
    for (int i = 0; i < times; i++)
        r = character_key(key, second_window);
    return r;
}

// Angle of the turn that takes the identity to q.
double turn_angle(const double q[4])
{
    return 2 * std::acos(std::min(1.0, std::fabs(q[0])));
}

} // namespace

TEST_F(Keys, SpeedLevelsStopAtTheirBoundsAndOnlyRebuildTheMenu)
{
    KeyResponse r = press('+');
    EXPECT_EQ(play.animsokudo, 9);
    EXPECT_TRUE(r.rebuild_menu);
    EXPECT_FALSE(r.redisplay);

    press('+', 40);
    EXPECT_EQ(play.animsokudo, 30);
    EXPECT_TRUE(press('-', 100).rebuild_menu);
    EXPECT_EQ(play.animsokudo, -30);

    press('>', 300);
    EXPECT_EQ(spin.jitensokudo, 200);
    EXPECT_TRUE(press('<', 500).rebuild_menu);
    EXPECT_EQ(spin.jitensokudo, -200);
    r = press('>');
    EXPECT_EQ(spin.jitensokudo, -199);
    EXPECT_TRUE(r.rebuild_menu);
    EXPECT_FALSE(r.redisplay);
}

TEST_F(Keys, PlayAndSpinTogglesSwitchDirectlyAndRebuild)
{
    EXPECT_TRUE(press(' ').rebuild_menu);
    EXPECT_EQ(play.anim, 1);
    press('r'); // straight from forward to backward
    EXPECT_EQ(play.anim, -1);
    press('r');
    EXPECT_EQ(play.anim, 0);
    spin.jitenornot = 5; // anything but 0 counts as on
    press('s');
    EXPECT_EQ(spin.jitenornot, 0);
    press('s');
    EXPECT_EQ(spin.jitenornot, 1);
}

TEST_F(Keys, FrameStepsStayInsideTheSeriesAndStopTheAnimation)
{
    play.ntimemax = 12;
    play.ntime = 11;
    play.anim = 1;
    press('a');
    EXPECT_EQ(play.ntime, 11);
    EXPECT_EQ(play.anim, 0);
    play.anim = -1;
    press('w'); // w alone wraps
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.anim, 0);

    play.ntime = 5;
    press('A');
    EXPECT_EQ(play.ntime, 11);
    play.ntime = 5;
    play.anim = 1;
    KeyResponse r = press('B');
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.anim, 0);
    // The menu must stop offering "Stop play" once the animation stopped.
    EXPECT_TRUE(r.rebuild_menu && r.redisplay);
    play.anim = 1;
    press('B');
    press('b');
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.anim, 0);

    set_test_clock(42.5);
    press('J');
    EXPECT_EQ(play.ntime, 11);
    EXPECT_EQ(play.jikan1, 42.5);
    set_test_clock(50);
    press('I');
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.jikan1, 50);

    // An index beyond a count that a reload made smaller comes back to the
    // last frame.
    play.ntime = 20;
    press('a');
    EXPECT_EQ(play.ntime, 11);
}

TEST_F(Keys, FrameKeysNeverLeaveANegativeFrameWithoutFrames)
{
    play.ntimemax = 0;
    for (unsigned char key : {'a', 'A', 'b', 'B', 'w', 'I', 'J'}) {
        play.ntime = 0;
        press(key);
        EXPECT_EQ(play.ntime, 0) << key;
    }
    for (int key : {kKeyLeft, kKeyRight}) {
        icons.presentation_remote = 1;
        special_key(key, false);
        EXPECT_EQ(play.ntime, 0) << key;
    }
}

TEST_F(Keys, SecondTextureSetKeysNeedASecondSet)
{
    play.ntimemax = 4;
    play.number_of_textures = 1;
    EXPECT_TRUE(nothing_asked(press('o')));
    EXPECT_EQ(series.texture_double1, 0);
    press('w');
    EXPECT_EQ(series.texture_double1, 0);
    EXPECT_EQ(play.ntime, 1);

    play.number_of_textures = 2;
    KeyResponse r = press('o');
    EXPECT_EQ(series.texture_double1, 1);
    EXPECT_TRUE(r.rebuild_menu && r.redisplay);
    press('w');
    EXPECT_EQ(series.texture_double1, 0);
    EXPECT_EQ(play.ntime, 2);
}

TEST_F(Keys, ZoomKeysActOnTheGlobeOfTheKeysWindow)
{
    view.scale_factor = 1.7f;
    press('h');
    EXPECT_NE(view.scale_factor, 1.7f);
    press('l');
    EXPECT_NEAR(view.scale_factor, 1.7f, 1.7f * 1e-6); // 0.985221674877 * 1.015 ~ 1
    press('H');
    press('L');
    EXPECT_NEAR(view.scale_factor, 1.7f, 1.7f * 1e-6);
    press('L');
    EXPECT_FLOAT_EQ(view.scale_factor, static_cast<float>(1.7f * 1.2));

    // From window 2: globe 2 only when the zoom is not synchronised.
    view.scale_factor = 1;
    view.synch = 0;
    press('l', 1, true);
    EXPECT_EQ(view.scale_factor, 1.0f);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.015f);
    view.synch = 1;
    press('l', 1, true);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.015f);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.015f);
}

TEST_F(Keys, FullScreenKeysAndThePresentationRemote)
{
    KeyResponse r = press('f');
    EXPECT_EQ(wnd.fullscreen, 1);
    EXPECT_TRUE(r.enter_full_screen && r.redisplay);
    EXPECT_FALSE(r.leave_full_screen);
    r = press('f');
    EXPECT_EQ(wnd.fullscreen, 0);
    EXPECT_TRUE(r.leave_full_screen);

    // Esc leaves full screen, and resizes a window that is not in it.
    wnd.fullscreen = 1;
    r = press(27);
    EXPECT_EQ(wnd.fullscreen, 0);
    EXPECT_TRUE(r.leave_full_screen && r.rebuild_menu);
    EXPECT_TRUE(press(27).leave_full_screen);

    // A clicker's buttons: Esc and F5 spin, Left and Right step.
    icons.presentation_remote = 1;
    wnd.fullscreen = 1;
    r = press(27);
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(wnd.fullscreen, 1);
    EXPECT_FALSE(r.leave_full_screen);
    EXPECT_TRUE(r.rebuild_menu && r.redisplay);
    special_key(kKeyF5, false);
    EXPECT_EQ(spin.jitenornot, 0);

    play.ntimemax = 8;
    play.ntime = 7;
    play.anim = 1;
    r = special_key(kKeyRight, false);
    EXPECT_EQ(play.ntime, 7);
    EXPECT_EQ(play.anim, 0);
    EXPECT_TRUE(r.rebuild_menu && r.redisplay);
    special_key(kKeyLeft, false);
    special_key(kKeyLeft, false);
    EXPECT_EQ(play.ntime, 5);
    // The clicker's arrows do not turn the globe; Up and Down still do.
    EXPECT_EQ(view.cq[0], 1.0);
    wnd.sx[0] = 1.0 / 800;
    wnd.sy[0] = 1.0 / 600;
    EXPECT_TRUE(special_key(kKeyUp, false).redisplay);
    EXPECT_LT(view.cq[0], 1.0);

    // Window 2 goes back to its own size, not window 1's.
    wnd.pixsize2_x = 640;
    wnd.pixsize2_y = 360;
    EXPECT_EQ(configured_window_size(true).width, 640);
    EXPECT_EQ(configured_window_size(false).width, 800);

    // Q ends the program in every mode; F5 does nothing without the mode.
    EXPECT_TRUE(press('Q').quit);
    EXPECT_TRUE(press('q').quit);
    icons.presentation_remote = 0;
    EXPECT_TRUE(nothing_asked(special_key(kKeyF5, false)));
    EXPECT_EQ(spin.jitenornot, 0);
}

TEST_F(Keys, ReloadKeysRequestOrCancel)
{
    series.readtextureornot = series.readtextureornot2 = series.readinit_file = 0;
    KeyResponse r = press('Z');
    EXPECT_TRUE(r.request_full_reload && r.rebuild_menu && r.redisplay);

    // What the request raises; a second Z before the next frame calls off
    // the configuration re-read but not the reload of the released images.
    series.readtextureornot = series.readtextureornot2 = series.readinit_file = 1;
    r = press('Z');
    EXPECT_FALSE(r.request_full_reload);
    EXPECT_EQ(series.readinit_file, 0);
    EXPECT_EQ(series.readtextureornot, 1);
    EXPECT_EQ(series.readtextureornot2, 1);

    series.readinit_file = 0;
    testing::internal::CaptureStdout();
    r = press('z');
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "reload init parameter file\n");
    EXPECT_EQ(series.readinit_file, 1);
    EXPECT_TRUE(r.rebuild_menu && r.redisplay);
    testing::internal::CaptureStdout();
    press('z');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(series.readinit_file, 0);
}

TEST_F(Keys, ArrowTurnsAreCommittedAndAddUp)
{
    for (int rotsynch : {0, 1}) {
        reset_viewer_state();
        wnd.sx[0] = 1.0 / 800;
        wnd.sy[0] = 1.0 / 600;
        view.rotsynch = rotsynch;
        view.qzure[0] = view.qzure_inv[0] = 1; // no tilt
        KeyResponse r;
        for (int i = 0; i < 3; i++)
            r = special_key(kKeyLeft, false);
        EXPECT_TRUE(r.redisplay);
        EXPECT_FALSE(r.rebuild_menu);
        // Each press turns by 2 pi * 2 / 800 radians, about 0.9 degrees.
        EXPECT_NEAR(turn_angle(view.cq), 3 * 2 * kPi * 2 / 800, 1e-12) << rotsynch;
        // The front of the globe (model +z at the identity) moved right.
        EXPECT_GT(view.rt[8], 0);
        EXPECT_NEAR(view.rt[9], 0, 1e-12);
        EXPECT_EQ(view.cq2[0], rotsynch == 1 ? view.cq[0] : 1.0);
    }

    // Window 2 without synchronisation turns globe 2 only; Up moves the
    // front down (the north comes into view).
    reset_viewer_state();
    wnd.sx[0] = wnd.sx[1] = 1.0 / 800;
    wnd.sy[0] = wnd.sy[1] = 1.0 / 600;
    view.rotsynch = 0;
    special_key(kKeyUp, true);
    EXPECT_EQ(view.cq[0], 1.0);
    EXPECT_NEAR(turn_angle(view.cq2), 2 * kPi * 2 / 600, 1e-12);
    EXPECT_LT(view.rt2[9], 0);
    special_key(kKeyDown, true);
    EXPECT_NEAR(view.cq2[0], 1.0, 1e-12);

    // F1 .. F4 turn the front diagonally, by the square root of the step in
    // each direction: x -1 left, y -1 down.
    const struct {
        int key, x, y;
    } diagonals[] = {{kKeyF1, -1, -1}, {kKeyF2, -1, 1}, {kKeyF3, 1, -1}, {kKeyF4, 1, 1}};
    const double a = std::sqrt(2.0) * std::hypot(1.0 / 800, 1.0 / 600);
    for (const auto& d : diagonals) {
        reset_viewer_state();
        wnd.sx[0] = 1.0 / 800;
        wnd.sy[0] = 1.0 / 600;
        special_key(d.key, false);
        EXPECT_NEAR(turn_angle(view.cq), 2 * kPi * a, 1e-12) << "F" << d.key;
        EXPECT_GT(view.rt[8] * d.x, 0) << "F" << d.key;
        EXPECT_GT(view.rt[9] * d.y, 0) << "F" << d.key;
    }

    // Keys without a turn ask for nothing.
    EXPECT_TRUE(nothing_asked(special_key(7, false)));
}
