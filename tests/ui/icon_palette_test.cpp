// icon_palette_test.cpp — the icon palette without a display: the picture each
// icon shows by state, the command each slot runs, the icon-display toggle,
// and the places "#Icon" allows.
#include "ui/icon_palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "support/state_fixture.h"
#include "view/quaternion.h"

namespace {

class IconPalette : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        icons.int_button = kIconPlaces;
        for (int i = 0; i < kIconPlaces; i++)
            icons.icon_onoff_permanent[i] = icons.icon_onoff[i] = 1;
    }
};

// A quarter turn about the screen's x axis: the north pole points down.
void turn_north_down()
{
    const double q[4] = {std::sqrt(0.5), std::sqrt(0.5), 0, 0};
    for (int i = 0; i < 4; i++)
        view.cq[i] = view.tq[i] = q[i];
    qrot(view.rt, view.cq);
}

CommandResponse click(int slot)
{
    return run_command(icon_command(slot), CommandInput{});
}

} // namespace

TEST_F(IconPalette, StateIconsShowThePictureOfTheirState)
{
    const struct {
        int slot;
        std::function<void()> set;
        int picture;
    } cases[] = {
        {0, [] {}, 0},                                  // play
        {0, [] { play.anim = 1; }, 1},                  // pause while playing
        {0, [] { play.anim = -1; }, 0},                 // play while playing backward
        {2, [] {}, 3},                                  // reverse
        {2, [] { play.anim = -1; }, 1},                 // pause while playing backward
        {3, [] {}, 4},                                  // spin
        {3, [] { spin.jitenornot = 1; }, 5},            // stop the spin
        {6, [] {}, 8},                                  // graticule on
        {6, [] { overlay.isenkeisenornot = 1; }, 9},    // graticule off
        {13, [] {}, 17},                                // full screen
        {13, [] { wnd.fullscreen = 1; }, 16},           // back to the window
        {20, [] {}, 24},                                // second layer
        {20, [] { series.texture_double1 = 1; }, 25},   // first layer
        {21, [] { overlay.screen_onoff = 0; }, 26},     // screen image on
        {21, [] {}, 27},                                // screen image off
        {22, [] {}, 29},                                // hide the icons
        {22, [] { overlay.icon_hyoji_onoff = 0; }, 28}, // show the icons
        {23, [] {}, 30},                                // drawing mode is off
        {23, [] { drawing.drawing_onoff = 1; }, 31},    // drawing mode is on
        {24, [] {}, -1},                                // erase: drawing mode only
        {24, [] { drawing.drawing_onoff = 1; }, 32},    //
        {25, [] {}, -1},                                // save: drawing mode only
        {25, [] { drawing.drawing_onoff = 1; }, 33},    //
        {1, [] {}, 2},                                  // single pictures
        {5, [] {}, 7},                                  //
        {12, [] {}, 15},                                //
        {14, [] {}, 18},                                //
        {19, [] {}, 23},                                //
        {26, [] {}, 34},                                //
        {4, [] { icons.icon_onoff[4] = 0; }, -1},       // switched off
        {9, [] { icons.int_button = 9; }, -1},          // beyond "#Icon"
        {2, [] { icons.int_button = 3; }, 3},           // "#Icon" 3 keeps 0 .. 2
        {0, [] { icons.int_button = -4; }, -1},         // a negative count draws nothing
    };
    for (const auto& c : cases) {
        SetUp();
        c.set();
        EXPECT_EQ(icon_picture(c.slot), c.picture) << "slot " << c.slot;
    }
    EXPECT_EQ(icon_picture(-1), -1);
    EXPECT_EQ(icon_picture(kIconPlaces), -1);
}

TEST_F(IconPalette, EverySlotRunsItsCommand)
{
    const struct {
        int slot;
        std::function<void()> set;
        std::function<bool()> done;
        bool rebuild, redisplay;
    } cases[] = {
        {0, [] {}, [] { return play.anim == 1; }, true, true},
        {1,
         [] {
             view.scale_factor = 3;
             play.ntime = 4;
         },
         [] { return view.scale_factor == 1 && play.ntime == 0; }, false, true},
        {2, [] { play.anim = 1; }, [] { return play.anim == -1; }, true, true},
        {3, [] {}, [] { return spin.jitenornot == 1; }, true, true},
        {4,
         [] {
             play.ntimemax = 5;
             play.ntime = 4;
             play.anim = 1;
         },
         [] { return play.ntime == 0 && play.anim == 0; }, true, true},
        {5,
         [] {
             play.ntimemax = 5;
             play.anim = -1;
         },
         [] { return play.ntime == 4 && play.anim == 0; }, true, true}, // wraps, unlike key b
        {6, [] {}, [] { return overlay.isenkeisenornot == 1; }, true, true},
        {7, [] {}, [] { return view.scale_factor == 1.2f; }, false, true},
        {8, [] {}, [] { return view.scale_factor == static_cast<float>(0.8333333333333); }, false,
         true},
        {9, [] { turn_north_down(); }, [] { return view.rt[9] > 0.999; }, false,
         true}, // the north pole turned from down to up on the screen
        {10, [] { play.animsokudo = 30; }, [] { return play.animsokudo == 30; }, true, false},
        {11, [] {}, [] { return play.animsokudo == 7; }, true, false},
        {13, [] {}, [] { return wnd.fullscreen == 1; }, true, true},
        {14, [] {}, [] { return overlay.logo_scale == 3.0 / 1.01; }, false, true},
        {15, [] {}, [] { return overlay.logo_scale == 3.0 * 1.01; }, false, true},
        {16, [] {}, [] { return overlay.logo_x == -2.5 - 0.01; }, false, true},
        {17, [] {}, [] { return overlay.logo_x == -2.5 + 0.01; }, false, true},
        {18, [] {}, [] { return overlay.logo_y == 1.0 - 0.01; }, false, true},
        {19, [] {}, [] { return overlay.logo_y == 1.0 + 0.01; }, false, true},
        {20, [] { play.number_of_textures = 2; }, [] { return series.texture_double1 == 1; }, true,
         true},
        {20, [] {}, [] { return series.texture_double1 == 0; }, false, false}, // one set: nothing
        {21, [] {}, [] { return overlay.screen_onoff == 0; }, true, true},
        {22, [] {}, [] { return overlay.icon_hyoji_onoff == 0; }, false, true},
        {23, [] {},
         [] {
             int shown = drawing.drawing_onoff == 1 ? 1 : 0;
             return icons.icon_onoff[24] == shown && icons.icon_onoff[25] == shown;
         },
         true, true},
        {24, [] {}, [] { return true; }, false, false}, // undo: drawing mode only
        {25, [] {}, [] { return true; }, false, false}, // save: drawing mode only
        {26,
         [] {
             play.ntimemax = 3;
             play.ntime = 2;
             play.number_of_textures = 2;
         },
         [] { return play.ntime == 0 && series.texture_double1 == 1; }, true, true},
    };
    for (const auto& c : cases) {
        SetUp();
        c.set();
        CommandResponse r = click(c.slot);
        EXPECT_TRUE(c.done()) << "slot " << c.slot;
        EXPECT_EQ(r.rebuild_menu, c.rebuild) << "slot " << c.slot;
        EXPECT_EQ(r.redisplay, c.redisplay) << "slot " << c.slot;
        EXPECT_FALSE(r.quit) << "slot " << c.slot;
    }
    EXPECT_TRUE(click(12).quit);
    EXPECT_EQ(icon_command(kIconPlaces), Command::kCount);
    EXPECT_EQ(icon_command(-1), Command::kCount);
}

TEST_F(IconPalette, HidingKeepsTheToggleAndShowingRestoresTheConfiguredIcons)
{
    icons.icon_onoff_permanent[3] = icons.icon_onoff[3] = 0; // not configured
    toggle_icon_display();
    EXPECT_EQ(overlay.icon_hyoji_onoff, 0); // also hides the time bar
    for (int i = 0; i < kIconPlaces; i++)
        EXPECT_EQ(icons.icon_onoff[i], i == kIconToggleSlot ? 1 : 0) << i;

    // Shown again outside drawing mode with a single texture set: the
    // configured icons without the erase, save and layer icons.
    toggle_icon_display();
    EXPECT_EQ(overlay.icon_hyoji_onoff, 1);
    for (int i = 0; i < kIconPlaces; i++)
        EXPECT_EQ(icons.icon_onoff[i], i == 3 || i == 20 || i == 24 || i == 25 || i == 26 ? 0 : 1)
            << i;
    play.number_of_textures = 2;
    toggle_icon_display();
    toggle_icon_display();
    EXPECT_EQ(icons.icon_onoff[20] + icons.icon_onoff[26], 2);

    // In drawing mode they come back too.
    drawing.drawing_onoff = 1;
    toggle_icon_display();
    toggle_icon_display();
    EXPECT_EQ(icons.icon_onoff[24], 1);
    EXPECT_EQ(icons.icon_onoff[25], 1);

    // The erase and save icons follow drawing mode, as configured.
    icons.icon_onoff_permanent[25] = 0;
    show_drawing_icons(false);
    EXPECT_EQ(icons.icon_onoff[24], 0);
    show_drawing_icons(true);
    EXPECT_EQ(icons.icon_onoff[24], 1);
    EXPECT_EQ(icons.icon_onoff[25], 0);
}
