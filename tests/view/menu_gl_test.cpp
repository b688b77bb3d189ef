// menu_gl_test.cpp — the pop-up menus on a real window: rebuilds replace and
// destroy the old menus, the commands, the projection switch over two
// windows, and keys pressed while a menu is open.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "render/frame_pacing.h"
#include "render/timebar.h"
#include "support/e2e.h"
#include "support/gl_fixture.h"
#include "view/keyboard.h"
#include "view/menu.h"
#include "view/menu_entries.h"

namespace {

class MenuGl : public GlTest {
  protected:
    void TearDown() override
    {
        if (second_ != 0) {
            glutDestroyWindow(second_);
            pump_events();
        }
        glutSetWindow(wnd.window1);
        GlTest::TearDown();
    }

    // A second window beside the test window, away from where end-to-end
    // tests put the program's windows.
    int open_second_window(int width, int height)
    {
        int first = glutGetWindow();
        glutInitWindowSize(width, height);
        glutInitWindowPosition(1500, 60);
        second_ = glutCreateWindow("tyx test 2");
        glutDisplayFunc([] {});
        pump_events();
        glutSetWindow(first);
        return second_;
    }

    static void pump_events()
    {
        for (int i = 0; i < 20; i++)
            glutMainLoopEvent();
    }

    // Processes events until `done` holds; false after `seconds`.
    static bool pump_until(const std::function<bool()>& done, double seconds = 5)
    {
        auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until) {
            glutMainLoopEvent();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    int second_ = 0;
};

// The projection matrix and viewport of the window's context.
struct Projection {
    double m[16];
    int viewport[4];
    bool perspective() const { return m[11] == -1 && m[15] == 0; }
    bool orthographic() const { return m[11] == 0 && m[15] == 1; }
};

Projection projection_of(int window)
{
    int previous = glutGetWindow();
    glutSetWindow(window);
    Projection p;
    glGetDoublev(GL_PROJECTION_MATRIX, p.m);
    glGetIntegerv(GL_VIEWPORT, p.viewport);
    glutSetWindow(previous);
    return p;
}

} // namespace

TEST_F(MenuGl, RebuildsReplaceAndDestroyTheWindowsMenus)
{
    int first = attached_menu_of_current_window();
    ASSERT_NE(first, 0) << "init builds the menu";
    keyboard('+', 0, 0);
    int second = attached_menu_of_current_window();
    EXPECT_NE(second, first);
    // The old top-level menu is gone: selecting it is ignored.
    glutSetMenu(second);
    glutSetMenu(first);
    EXPECT_EQ(glutGetMenu(), second);

    // A long run of rebuilds leaves only the latest pair (submenu, then
    // top-level menu) of all the menus made for this window.
    for (int i = 0; i < 50; i++)
        init_glut_menu();
    int last = attached_menu_of_current_window();
    EXPECT_EQ(last, second + 100);
    glutSetMenu(last);
    for (int id = first - 1; id < last - 1; id++) {
        glutSetMenu(id);
        ASSERT_EQ(glutGetMenu(), last) << "menu " << id << " outlived its rebuild";
    }
    // A key that changes nothing the menu shows keeps it.
    keyboard('1', 0, 0);
    EXPECT_EQ(attached_menu_of_current_window(), last);
}

TEST_F(MenuGl, CommandsChangeTheStateAndRebuild)
{
    int before = attached_menu_of_current_window();
    app_menu_func(kMenuPlay);
    EXPECT_EQ(play.anim, 1);
    EXPECT_NE(attached_menu_of_current_window(), before);
    app_menu_func(kMenuReverse); // straight to backward play
    EXPECT_EQ(play.anim, -1);
    app_menu_func(kMenuSpin);
    EXPECT_EQ(spin.jitenornot, 1);
    app_menu_func(kMenuSpin);
    EXPECT_EQ(spin.jitenornot, 0);

    // The reset: view and frame, no rebuild.
    play.ntime = 4;
    view.scale_factor = 2.5f;
    before = attached_menu_of_current_window();
    app_menu_func(kMenuReset);
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(view.scale_factor, view.init_scale_factor);
    EXPECT_EQ(attached_menu_of_current_window(), before);

    // Information lines and unknown values change nothing.
    app_menu_func(kMenuInformation);
    app_menu_func(7);
    menu_func(kMenuPlay);
    EXPECT_EQ(play.anim, -1);
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_EQ(attached_menu_of_current_window(), before);
}

TEST_F(MenuGl, TheNextFrameRenewsAMenuThatAScrubLeftBehind)
{
    // Playing: the menu offers "Stop play". A press on the time bar stops
    // the animation without a command.
    series.readinit_file = series.readtextureornot = 0;
    wnd.frame_rate_limit = 0;
    overlay.time_scrub = 1;
    play.ntimemax = 5;
    play.anim = 1;
    init_glut_menu();
    int playing = attached_menu_of_current_window();
    paced_display();
    EXPECT_EQ(attached_menu_of_current_window(), playing) << "nothing new to show";
    compute_timebar_rectangle(0, 800, 600);
    ASSERT_TRUE(press_time_bar(0, 300, 525));
    paced_display();
    EXPECT_NE(attached_menu_of_current_window(), playing);
}

TEST_F(MenuGl, ProjectionSwitchSetsUpEveryWindowAtItsOwnSize)
{
    int w1 = wnd.window1;
    wnd.window2 = open_second_window(400, 300);
    ASSERT_EQ(glutGetWindow(), w1);
    int menu2 = 0;
    EXPECT_TRUE(projection_of(w1).orthographic());

    app_menu_func(kMenuProjection);
    EXPECT_EQ(wnd.perspec, 1);
    EXPECT_EQ(wnd.perspec_radio, 1);
    EXPECT_EQ(glutGetWindow(), w1) << "the window of the menu stays current";
    for (int w : {w1, wnd.window2}) {
        Projection p = projection_of(w);
        EXPECT_TRUE(p.perspective()) << "window " << w;
        EXPECT_EQ(p.viewport[2], w == w1 ? 800 : 400);
        EXPECT_EQ(p.viewport[3], w == w1 ? 600 : 300);
    }
    // Each window's aspect is its own (4:3 for both here), and so are its
    // reshape values.
    EXPECT_DOUBLE_EQ(wnd.sx[0], 1.0 / 800);
    EXPECT_DOUBLE_EQ(wnd.sy[0], 1.0 / 600);
    EXPECT_DOUBLE_EQ(wnd.sx[1], 1.0 / 400);
    EXPECT_DOUBLE_EQ(wnd.sy[1], 1.0 / 300);
    glutSetWindow(wnd.window2);
    menu2 = attached_menu_of_current_window();
    EXPECT_NE(menu2, 0) << "window 2 got its menu";
    glutSetWindow(w1);

    app_menu_func(kMenuProjection);
    EXPECT_EQ(wnd.perspec, 0);
    EXPECT_TRUE(projection_of(w1).orthographic());
    EXPECT_TRUE(projection_of(wnd.window2).orthographic());
    glutSetWindow(wnd.window2);
    EXPECT_NE(attached_menu_of_current_window(), menu2);

    // Switched from window 2, window 2 stays current.
    app_menu_func(kMenuProjection);
    EXPECT_EQ(glutGetWindow(), wnd.window2);
    glutSetWindow(w1);
    wnd.window2 = 0;
}

TEST_F(MenuGl, ProjectionSwitchWithOneWindow)
{
    size_window(640, 480);
    wnd.perspec = 1;
    app_menu_func(kMenuProjection);
    Projection p = projection_of(wnd.window1);
    EXPECT_TRUE(p.orthographic());
    EXPECT_EQ(p.viewport[2], 640);
    EXPECT_EQ(p.viewport[3], 480);
    EXPECT_EQ(glutGetWindow(), wnd.window1);
    // Orthographic half-height 2 with the window's aspect.
    EXPECT_NEAR(p.m[0], 1 / (2.0 * 640 / 480), 1e-9);
}

TEST_F(MenuGl, KeysWhileTheMenuIsOpenRebuildItOnceItCloses)
{
    std::string window = run_command("xdotool search --name '^tyx test$' | head -1");
    ASSERT_FALSE(window.empty());
    window.pop_back(); // line end
    pump_events();
    run_command("xdotool mousemove --window " + window + " 400 300 click 3");
    ASSERT_TRUE(pump_until([] { return pop_up_menu_in_use(); })) << "the menu did not open";

    // freeglut would end the program on a menu change now.
    int before = attached_menu_of_current_window();
    keyboard('+', 0, 0);
    keyboard(' ', 0, 0);
    EXPECT_EQ(play.animsokudo, 9);
    EXPECT_EQ(play.anim, 1);
    EXPECT_EQ(attached_menu_of_current_window(), before);

    // A click beside the menu closes it; the held rebuild follows.
    run_command("xdotool mousemove --window " + window + " 30 570 click 1");
    EXPECT_TRUE(pump_until([&] {
        return !pop_up_menu_in_use() && attached_menu_of_current_window() != before;
    })) << "no rebuild after the menu closed";
    EXPECT_EQ(glutGetWindow(), wnd.window1);
}
