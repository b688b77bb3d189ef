// platform_e2e_test.cpp — the real program on the X server: the click lock
// turns the globe with the bare pointer until F12, windows can ask for no
// decorations, and a second copy hands over to the first.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>
#include <string>

#include "support/e2e.h"
#include "view/keyboard_e2e_helpers.h"

using namespace keys_e2e;

namespace {

std::string motif_hints(unsigned long window)
{
    return run_command("xprop -id " + std::to_string(window) + " _MOTIF_WM_HINTS 2>&1");
}

// Moves the pointer, in window pixels, through the given columns of row y.
void sweep(unsigned long window, std::initializer_list<int> columns, int y)
{
    std::string line = "xdotool";
    for (int x : columns)
        line += " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
                std::to_string(y);
    run_command(line);
}

} // namespace

using PlatformEndToEnd = EndToEnd;

TEST_F(PlatformEndToEnd, ClickLockTurnsTheGlobeWithTheBarePointerUntilF12)
{
    run.write("map/sample1.ppm", spot_map());
    // No coasting, so the globe moves only while the pointer does.
    run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n#ClickLock 1\n#Icon 0\n"
                                         "#InertiaOfRotation 100 100 0.04 0.995\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    double spot = -1;
    auto spot_at = [&](double lo, double hi) {
        return [&spot, lo, hi](const Screenshot& s) {
            spot = spot_centre(s, 300);
            return spot >= lo && spot <= hi;
        };
    };
    ASSERT_GT(run.wait_for(window, spot_at(390, 410)).width, 0) << "spot at " << spot;

    // The first position only anchors the turn; 30 pixels to the right then
    // carry the spot about 47 pixels along (not a turn from anywhere else).
    sweep(window, {400, 410, 420, 430}, 300);
    EXPECT_GT(run.wait_for(window, spot_at(430, 470)).width, 0) << "spot at " << spot;
    run.wait_frames(2);
    double turned = spot_centre(run.grab(window), 300);

    run.key(window, "F12");
    ASSERT_TRUE(run.wait_frames(2));
    sweep(window, {450, 470, 490}, 300);
    EXPECT_TRUE(run.stays(
        window, [&](const Screenshot& s) { return std::abs(spot_centre(s, 300) - turned) <= 1; },
        0.5))
        << "the globe turned after F12";

    // F12 again, from the keyboard with the pointer over the window: the turn
    // starts over from where the pointer now is.
    run_command("xdotool key F12 2>/dev/null");
    ASSERT_TRUE(run.wait_frames(2));
    sweep(window, {500, 510, 520}, 300);
    EXPECT_GT(run.wait_for(window, spot_at(turned + 15, turned + 65)).width, 0)
        << "spot at " << spot << ", was " << turned;
    EXPECT_TRUE(run.running()) << run.output();
}

TEST_F(PlatformEndToEnd, EveryWindowAsksForNoDecorations)
{
    run.write("data/conf/init_conf.txt", "#NoTitleBar_Windows 1\n#NumberOfEarth 2\n");
    unsigned long window1 = start();
    ASSERT_NE(window1, 0u);
    unsigned long window2 = run.wait_window("TYX 1.27(2)");
    ASSERT_NE(window2, 0u);
    // Flags 2 (decorations given), decorations 0.
    for (unsigned long w : {window1, window2})
        EXPECT_NE(motif_hints(w).find("= 0x2, 0x0, 0x0, 0x0, 0x0"), std::string::npos)
            << motif_hints(w);
}

TEST_F(PlatformEndToEnd, SecondCopyHandsOverToTheRunningOne)
{
    run.write("data/conf/init_conf.txt", "#SingleInstance 1\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    EXPECT_NE(motif_hints(window).find("not found"), std::string::npos)
        << "decorations are left alone without the key";

    auto began = std::chrono::steady_clock::now();
    std::string status = run_command("cd '" + run.folder().path() + "' && timeout 10 " +
                                     TYX_BINARY + " >/dev/null 2>&1; echo $?");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_EQ(status, "0\n");
    EXPECT_LT(seconds, 5);

    std::istringstream ids(
        run_command("xdotool search --onlyvisible --name '^TYX 1\\.27$' 2>/dev/null"));
    int windows = 0;
    for (unsigned long id; ids >> id;)
        windows++;
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(run.running()) << run.output();
}
