// menu_e2e_test.cpp — the real program's pop-up menu opened with the right
// button and driven with the pointer: choosing "Spin(s)" spins the globe.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/e2e.h"
#include "view/keyboard_e2e_helpers.h"

using namespace keys_e2e;

namespace {

// The pop-up menu windows that freeglut has on screen, in the order found.
std::vector<WindowGeometry> open_menus(TyxRun& run)
{
    std::vector<WindowGeometry> menus;
    std::istringstream ids(
        run_command("xdotool search --onlyvisible --name '^freeglut menu$' 2>/dev/null"));
    unsigned long id;
    while (ids >> id)
        menus.push_back(run.geometry(id));
    return menus;
}

// Waits until `count` menus are open; the one whose corner is (not) at `x`.
bool wait_menus(TyxRun& run, size_t count, std::vector<WindowGeometry>* menus)
{
    return wait_until([&] {
        *menus = open_menus(run);
        return menus->size() == count;
    });
}

// Centre of entry `index` of a menu with `entries` rows of equal height.
void entry_centre(const WindowGeometry& menu, int entries, int index, int* x, int* y)
{
    *x = menu.x + menu.width / 3;
    *y = menu.y + static_cast<int>((index + 0.5) * menu.height / entries);
}

} // namespace

using MenuEndToEnd = EndToEnd;

TEST_F(MenuEndToEnd, RightClickMenuStartsTheSpin)
{
    run.write("map/sample1.ppm", spot_map());
    run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n#SpinSpeed 60\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    double still = -1;
    ASSERT_GT(run.wait_for(window,
                           [&](const Screenshot& s) {
                               still = spot_centre(s, 300);
                               return still > 0;
                           })
                  .width,
              0);
    run.wait_frames(20);
    ASSERT_NEAR(spot_centre(run.grab(window), 300), still, 1) << "spinning before the menu";

    // The top-level menu opens at the pointer: "Applications" and four
    // information lines. Resting on "Applications" opens the submenu.
    std::string id = std::to_string(window);
    run_command("xdotool mousemove --window " + id + " 600 150 click 3");
    std::vector<WindowGeometry> menus;
    ASSERT_TRUE(wait_menus(run, 1, &menus)) << "no menu after the right click";
    WindowGeometry top = menus[0];
    EXPECT_EQ(top.x, 600);
    EXPECT_EQ(top.y, 150);
    int x, y;
    entry_centre(top, 5, 0, &x, &y);
    run_command("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
    ASSERT_TRUE(wait_menus(run, 2, &menus)) << "the submenu did not open";
    WindowGeometry sub = menus[0].x == top.x ? menus[1] : menus[0];
    EXPECT_GE(sub.x, top.x + top.width - 2) << "the submenu opens beside the menu";
    EXPECT_NEAR(sub.height * 5.0 / top.height, 8, 0.3) << "eight commands expected";

    // "Spin(s)" is the third command.
    entry_centre(sub, 8, 2, &x, &y);
    run_command("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
    run.wait_frames(3); // the entry under the pointer is highlighted
    run_command("xdotool click 1");
    ASSERT_TRUE(wait_menus(run, 0, &menus)) << "the menu stayed open";

    // The globe turns about its axis: the spot travels sideways.
    double moved = still;
    EXPECT_GT(run.wait_for(window,
                           [&](const Screenshot& s) {
                               moved = spot_centre(s, 300);
                               return std::fabs(moved - still) > 10 || moved < 0;
                           })
                  .width,
              0)
        << "spot centre stayed at " << moved;
    EXPECT_TRUE(run.running()) << run.output();
}
