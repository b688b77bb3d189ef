// menu_entries_test.cpp — the pop-up menu's texts and values for the states
// it shows, read without opening a menu.
#include "view/menu_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/state_fixture.h"
#include "view/key_actions.h"

namespace {

class MenuTexts : public StateTest {};

std::vector<std::string> texts(const std::vector<MenuEntry>& entries)
{
    std::vector<std::string> t;
    for (const MenuEntry& e : entries)
        t.push_back(e.text);
    return t;
}

std::string entry_for(int value)
{
    for (const MenuEntry& e : menu_entries().applications)
        if (e.value == value)
            return e.text;
    return "(none)";
}

} // namespace

TEST_F(MenuTexts, DefaultsNameEveryCommandWithItsValue)
{
    MenuLayout m = menu_entries();
    EXPECT_EQ(m.submenu_title, "Applications");
    ASSERT_EQ(m.applications.size(), 8u);
    const std::vector<std::string> names = {"Play(space)",        "Reverse(r)",  "Spin(s)",
                                            "Hide labels(T)",     "Perspective", "Full screen",
                                            "Initialization (i)", "Quit(q)"};
    const std::vector<int> values = {8, 9, 16, 20, 5, 14, 3, 1};
    EXPECT_EQ(texts(m.applications), names);
    for (size_t i = 0; i < values.size(); i++)
        EXPECT_EQ(m.applications[i].value, values[i]) << names[i];

    const std::vector<std::string> lines = {
        "Scaling(Shift+mouse) ", "Parallel displacement(Alt+mouse) ",
        "Play speed 8; fast(+), slow(-)", "Spin speed 6; fast(>), slow(<)"};
    EXPECT_EQ(texts(m.information), lines);
    for (const MenuEntry& e : m.information)
        EXPECT_EQ(e.value, -1);
}

TEST_F(MenuTexts, StateEntriesOfferTheOppositeCommand)
{
    play.anim = 1;
    EXPECT_EQ(entry_for(kMenuPlay), "Stop play(space)");
    EXPECT_EQ(entry_for(kMenuReverse), "Reverse(r)");
    play.anim = -1;
    EXPECT_EQ(entry_for(kMenuPlay), "Play(space)");
    EXPECT_EQ(entry_for(kMenuReverse), "Stop reverse(r)");

    spin.jitenornot = 1;
    EXPECT_EQ(entry_for(kMenuSpin), "Stop spin(s)");
    wnd.perspec = 1;
    EXPECT_EQ(entry_for(kMenuProjection), "Orthogonal");
    wnd.perspec = 0;
    EXPECT_EQ(entry_for(kMenuProjection), "Perspective");
    wnd.fullscreen = 1;
    EXPECT_EQ(entry_for(kMenuFullScreen), "Default screen size");
    txt.labels_display_onoff = 0;
    EXPECT_EQ(entry_for(kMenuLabels), "Show labels(T)");

    // A spin flag other than 0 or 1 has no entry; the rest keep their order.
    spin.jitenornot = 2;
    EXPECT_EQ(entry_for(kMenuSpin), "(none)");
    EXPECT_EQ(menu_entries().applications.size(), 7u);
    EXPECT_EQ(menu_entries().applications[2].text, "Show labels(T)");
}

TEST_F(MenuTexts, SpeedLinesFollowTheKeys)
{
    character_key('+', false);
    character_key('<', false);
    MenuLayout m = menu_entries();
    EXPECT_EQ(m.information[2].text, "Play speed 9; fast(+), slow(-)");
    EXPECT_EQ(m.information[3].text, "Spin speed 5; fast(>), slow(<)");

    play.animsokudo = -30;
    spin.jitensokudo = -200;
    m = menu_entries();
    EXPECT_EQ(m.information[2].text, "Play speed -30; fast(+), slow(-)");
    EXPECT_EQ(m.information[3].text, "Spin speed -200; fast(>), slow(<)");
}
