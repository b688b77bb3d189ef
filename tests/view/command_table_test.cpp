// command_table_test.cpp — the command table and its key bindings: every entry
// sits at its own value, every key reaches one command per mode, and the full
// screen command that only the icon has.
#include "view/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/state_fixture.h"
#include "view/key_actions.h"

namespace {

using Commands = StateTest;

CommandResponse run(Command c)
{
    return run_command(c, CommandInput{});
}

} // namespace

TEST_F(Commands, EveryEntrySitsAtItsValueWithAUniqueName)
{
    std::set<std::string> names;
    for (int i = 0; i < static_cast<int>(Command::kCount); i++) {
        const CommandEntry* e = command_entry(static_cast<Command>(i));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(static_cast<int>(e->command), i) << e->name;
        EXPECT_TRUE(names.insert(e->name).second) << "name used twice: " << e->name;
        EXPECT_NE(std::string(e->description), "") << e->name;
    }
    EXPECT_EQ(command_entry(Command::kCount), nullptr);
    EXPECT_EQ(command_entry(static_cast<Command>(-1)), nullptr);
    CommandResponse none = run_command(Command::kCount, {});
    EXPECT_FALSE(none.quit || none.redisplay || none.rebuild_menu);
}

TEST_F(Commands, EveryKeyHasOneCommandPerMode)
{
    for (const KeyBinding& b : key_bindings()) {
        ASSERT_NE(command_entry(b.command), nullptr) << b.key_name;
        EXPECT_NE(std::string(b.key_name), "");
        // A second binding of the key in the same mode would never be
        // reached; only a lesson's bindings may put others aside, and only
        // while a lesson is loaded.
        for (bool presentation : {false, true}) {
            for (bool lesson : {false, true}) {
                bool holds = (b.mode == KeyMode::kAny ||
                              (b.mode == KeyMode::kPresentation) == presentation) &&
                             (lesson || !b.lesson);
                const KeyBinding* found = find_key_binding(b.key, b.special, presentation, lesson);
                if (holds && (b.lesson || !lesson)) {
                    EXPECT_EQ(found, &b) << b.key_name << " shadowed";
                }
                if (holds && lesson && !b.lesson && found != &b) {
                    EXPECT_TRUE(found->lesson) << b.key_name;
                }
            }
        }
    }
    EXPECT_EQ(find_key_binding('g', false, false), nullptr);
    // With a lesson the clicker keys step it; the map steps keep their letters.
    EXPECT_EQ(find_key_binding(kKeyPageDown, true, false, true)->command, Command::kNextStep);
    EXPECT_EQ(find_key_binding(kKeyRight, true, true, true)->command, Command::kNextStep);
    EXPECT_EQ(find_key_binding(kKeyRight, true, false, true)->command, Command::kTurnRight);
    EXPECT_EQ(find_key_binding('a', false, false, true)->command, Command::kNextFrame);
    // Character 'd' (100) and the Left arrow (100) are different keys.
    EXPECT_EQ(find_key_binding(100, false, false)->command, Command::kStrokes);
    EXPECT_EQ(find_key_binding(100, true, false)->command, Command::kTurnLeft);
}

TEST_F(Commands, FullScreenByClickCarriesThePointerToTheRestoredSize)
{
    // A click at (960, 540) of a 1920 x 1080 full screen; the window goes
    // back to 800 x 600.
    wnd.fullscreen = 1;
    wnd.sx[0] = 1.0 / 1920;
    wnd.sy[0] = 1.0 / 1080;
    view.cx = 960;
    view.cy = 540;
    CommandResponse r = run(Command::kFullScreenClick);
    EXPECT_TRUE(r.leave_full_screen && r.rebuild_menu && r.redisplay);
    EXPECT_EQ(view.cx, 400);
    EXPECT_EQ(view.cy, 300);

    // Entering full screen, and the key's version, leave the pointer alone.
    r = run(Command::kFullScreenClick);
    EXPECT_TRUE(r.enter_full_screen);
    EXPECT_EQ(view.cx, 400);
    run(Command::kFullScreen);
    EXPECT_EQ(wnd.fullscreen, 0);
    EXPECT_EQ(view.cx, 400);
}
