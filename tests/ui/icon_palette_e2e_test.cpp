// icon_palette_e2e_test.cpp — the real program with the shipped configuration
// under real clicks and keys: the play icon starts the series and turns into
// pause, also beside a second window of another size, a press released
// elsewhere runs nothing, key C hides the palette but its own icon, and the
// time bar with it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/readinitfile.h"
#include "core/hit_rects.h"
#include "core/tyxparam.h"
#include "support/e2e.h"
#include "ui/icon_palette.h"

namespace {

const Colour kRed = {200, 30, 30}, kGreen = {30, 200, 30};
const Colour kRim = {150, 160, 176}; // the outline of every icon picture

struct Rect {
    int left, top, right, bottom; // window pixels
};

std::string shipped_configuration()
{
    std::ifstream in(TYX_SOURCE_DIR "/data/conf/init_conf.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Maps red then green under the shipped configuration (800 x 600 window,
// animation stopped, 27 icon places).
class IconPaletteEndToEnd : public EndToEnd {
  protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        run.write("data/conf/init_conf.txt", shipped_configuration());
        run.write("map/sample1.ppm", solid_ppm(kRed));
        run.write("map/sample2.ppm", solid_ppm(kGreen));
        read_icon_layout();
        window = start();
        ASSERT_NE(window, 0u);
        ASSERT_GT(run.wait_for(window, [&](const Screenshot& s) { return shows_play(s); }).width, 0)
            << "the play icon never showed";
    }
    void TearDown() override { reset_viewer_state(); }

    // Where the shipped configuration puts the icons, and which ones the
    // program draws at start (drawing mode off).
    void read_icon_layout()
    {
        reset_viewer_state();
        series.init_file[kBaseConfig] = TYX_SOURCE_DIR "/data/conf/init_conf.txt";
        series.init_file[kFolderConfig] = series.init_file[kLanguageConfig] = "";
        func_readinit_file();
        for (int i = 0; i < kIconPlaces; i++)
            icons.icon_onoff[i] = icons.icon_onoff_permanent[i];
        compute_hit_rectangles(0, 800, 600);
        for (int i = 0; i < kIconPlaces; i++) {
            rect[i] = {static_cast<int>(icons.icon_posi_x_window[0][i][0]),
                       static_cast<int>(icons.icon_posi_y_window[0][i][0]),
                       static_cast<int>(icons.icon_posi_x_window[0][i][1]),
                       static_cast<int>(icons.icon_posi_y_window[0][i][1])};
            if (icon_picture(i) >= 0)
                drawn.push_back(i);
        }
        timebar = {static_cast<int>((overlay.time_x + 8.0 / 3) * 150) + 2,
                   static_cast<int>((2 - overlay.time_y) * 150) + 2,
                   static_cast<int>((overlay.time_x + 5.125 * overlay.time_scale + 8.0 / 3) * 150),
                   static_cast<int>((2 - overlay.time_y + overlay.time_scale) * 150)};
    }

    int centre_x(int slot) const { return (rect[slot].left + rect[slot].right) / 2; }
    int centre_y(int slot) const { return (rect[slot].top + rect[slot].bottom) / 2; }

    // The icon's outline is there.
    bool shows_icon(const Screenshot& s, int slot) const
    {
        int rim = 0;
        for (int y = rect[slot].top; y < rect[slot].bottom; y++)
            for (int x = rect[slot].left; x < rect[slot].right; x++)
                rim += near(s, x, y, kRim, 24);
        return rim > 50;
    }
    // The play picture has its triangle in the middle; pause has a gap there.
    bool shows_play(const Screenshot& s) const
    {
        return shows_icon(s, 0) && near(s, centre_x(0), centre_y(0), {236, 238, 242}, 30);
    }
    bool shows_pause(const Screenshot& s) const
    {
        return shows_icon(s, 0) && near(s, centre_x(0), centre_y(0), {22, 26, 34}, 30);
    }
    static bool globe_is(const Screenshot& s, Colour c) { return near(s, 400, 300, c); }

    std::string at(int x, int y) const
    {
        return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
               std::to_string(y);
    }

    unsigned long window = 0;
    Rect rect[kIconPlaces] = {};
    std::vector<int> drawn;
    Rect timebar = {};
};

} // namespace

TEST_F(IconPaletteEndToEnd, ClickOnPlayStartsTheSeriesAndShowsPause)
{
    ASSERT_TRUE(run.stays(
        window, [&](const Screenshot& s) { return globe_is(s, kRed); }, 0.6))
        << "the series played before the click";
    run_command("xdotool" + at(centre_x(0), centre_y(0)) + " click 1");
    Screenshot shot = run.wait_for(
        window, [&](const Screenshot& s) { return shows_pause(s) && globe_is(s, kGreen); });
    EXPECT_GT(shot.width, 0) << "no pause picture over a playing series";
}

TEST_F(IconPaletteEndToEnd, PlayAnswersWhereItIsDrawnBesideASmallerWindowTwo)
{
    run.key(window, "q");
    ASSERT_EQ(run.wait_exit(10), 0);
    run.write("data/conf/conf.txt", "#NumberOfEarth 2\n#WindowSizeXY2 400 300\n");
    window = start();
    ASSERT_NE(window, 0u);
    unsigned long second = run.wait_window("TYX 1.27(2)");
    ASSERT_NE(second, 0u);
    // Window 2 is reshaped last.
    run_command("xdotool windowsize " + std::to_string(second) + " 420 300");
    ASSERT_TRUE(wait_until([&] { return run.geometry(second).width == 420; }));
    ASSERT_TRUE(run.wait_frames(2, true));
    run_command("xdotool" + at(centre_x(0), centre_y(0)) + " click 1");
    EXPECT_GT(run.wait_for(window, [&](const Screenshot& s) { return globe_is(s, kGreen); }).width,
              0)
        << "the click on the play icon did not play";
}

TEST_F(IconPaletteEndToEnd, PressReleasedOutsideTheIconRunsNothing)
{
    run_command("xdotool" + at(centre_x(0), centre_y(0)) + " mousedown 1" + at(300, 150) +
                " mouseup 1");
    ASSERT_TRUE(run.wait_frames());
    EXPECT_TRUE(run.stays(
        window, [&](const Screenshot& s) { return shows_play(s) && globe_is(s, kRed); }, 1.0));
}

TEST_F(IconPaletteEndToEnd, KeyCHidesAllButItsOwnIconAndTheTimeBar)
{
    ASSERT_GE(drawn.size(), 12u);
    Screenshot before = run.screenshot(window);
    for (int slot : drawn)
        EXPECT_TRUE(shows_icon(before, slot)) << "icon slot " << slot << " not drawn";

    run.key(window, "C");
    auto hidden = [&](const Screenshot& s) {
        for (int slot : drawn)
            if (shows_icon(s, slot) != (slot == kIconToggleSlot))
                return false;
        return true;
    };
    Screenshot after = run.wait_for(window, hidden);
    ASSERT_GT(after.width, 0) << "the palette did not hide";
    for (int y = timebar.top; y < timebar.bottom; y++)
        for (int x = timebar.left; x < timebar.right; x++)
            ASSERT_TRUE(after.dark(x, y)) << "time bar still drawn at " << x << ", " << y;
}
