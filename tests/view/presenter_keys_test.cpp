// presenter_keys_test.cpp — the keys and buttons a presenter reaches for:
// clicker page keys in both key modes, the black screen and help toggles of
// each window, and the wheel's zoom within the drag bounds.
#include <gtest/gtest.h>

#include "core/clock.h"
#include "support/state_fixture.h"
#include "view/key_actions.h"

namespace {

class PresenterKeys : public StateTest {
  protected:
    void TearDown() override
    {
        set_test_clock(-1);
        StateTest::TearDown();
    }
};

} // namespace

TEST_F(PresenterKeys, PageKeysStepThroughTheSeriesInBothModes)
{
    // A series of 8 from frame 3, playing before each key: the page keys
    // step and stop playback as a and b do, Home and End jump as I and J.
    struct Step {
        int key, frame, anim;
    };
    const Step steps[] = {{kKeyPageDown, 4, 0}, {kKeyPageUp, 3, 0}, {kKeyEnd, 7, 1},
                          {kKeyPageDown, 7, 0}, {kKeyHome, 0, 1},   {kKeyPageUp, 0, 0}};
    for (int mode : {0, 1}) {
        reset_viewer_state();
        icons.presentation_remote = mode;
        play.ntimemax = 8;
        play.ntime = 3;
        for (const Step& step : steps) {
            play.anim = 1;
            KeyResponse r = special_key(step.key, false);
            EXPECT_EQ(play.ntime, step.frame) << mode << " " << step.key;
            EXPECT_EQ(play.anim, step.anim) << mode << " " << step.key;
            EXPECT_TRUE(r.redisplay) << step.key;
        }
    }
}

TEST_F(PresenterKeys, BlankAndHelpToggleOnlyTheWindowOfTheKey)
{
    struct Case {
        unsigned char key;
        int* flags;
    };
    for (Case c : {Case{'.', overlay.blank_onoff}, Case{'?', overlay.help_onoff}}) {
        KeyResponse r = character_key(c.key, false);
        EXPECT_TRUE(r.redisplay) << c.key;
        EXPECT_EQ(c.flags[0], 1) << c.key;
        EXPECT_EQ(c.flags[1], 0) << c.key;
        character_key(c.key, true);
        EXPECT_EQ(c.flags[1], 1) << c.key;
        character_key(c.key, false);
        EXPECT_EQ(c.flags[0], 0) << c.key;
        EXPECT_EQ(c.flags[1], 1) << c.key;
    }
    // Other keys go on working while a window is black.
    play.ntimemax = 3;
    character_key('a', false);
    EXPECT_EQ(play.ntime, 1);
}

TEST_F(PresenterKeys, WheelNotchesZoomLikeTheFineKeysWithinTheDragBounds)
{
    KeyResponse r = pointer_button(kWheelUpButton, false);
    EXPECT_TRUE(r.redisplay);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.015f);
    pointer_button(kWheelDownButton, false);
    EXPECT_NEAR(view.scale_factor, 1.0f, 1e-6);

    // The globe of the window under the pointer, as for the zoom keys.
    view.synch = 0;
    pointer_button(kWheelUpButton, true);
    EXPECT_NEAR(view.scale_factor, 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.015f);

    // Bounds of a zoom drag: |ez| - nearlimit at most, 0.01 at least, and
    // the sign of a negative eye position kept.
    struct Case {
        float zoom;
        int button;
        float expected;
    };
    const Case cases[] = {
        {19.8f, kWheelUpButton, 19.9f},     {0.01f, kWheelDownButton, 0.01f},
        {0.005f, kWheelDownButton, 0.005f}, {-1.0f, kWheelUpButton, -1.015f},
        {-19.8f, kWheelUpButton, -19.9f},
    };
    for (const Case& c : cases) {
        view.scale_factor = c.zoom;
        pointer_button(c.button, false);
        EXPECT_FLOAT_EQ(view.scale_factor, c.expected) << c.zoom << " " << c.button;
    }

    // The other buttons run no command here.
    for (int button : {0, 1, 2, 5}) {
        r = pointer_button(button, false);
        EXPECT_FALSE(r.redisplay || r.rebuild_menu) << button;
    }
}
