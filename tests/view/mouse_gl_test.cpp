// mouse_gl_test.cpp — the mouse and motion callbacks in real windows, fed by
// real pointer and key events (xdotool through XTEST): the modifiers come from
// glutGetModifiers and the globe from the window that got the event.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>
#include <string>
#include <thread>

#include "core/window.h"
#include "support/e2e.h"
#include "support/gl_fixture.h"
#include "view/mouse.h"
#include "view/orientation.h"

namespace {

const double kPi = 3.141592653589793;

// X id of the visible window with exactly this title; 0 if there is none.
unsigned long x_window(const std::string& title)
{
    std::istringstream ids(
        run_command("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null"));
    unsigned long id = 0;
    ids >> id;
    return id;
}

// Lets GLUT dispatch what the X server has queued for this program.
void pump_events()
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < until) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Runs one xdotool command line whose "W" words name the window, then
// dispatches the events it caused.
void xdotool(unsigned long window, const std::string& commands)
{
    std::string line, word;
    std::istringstream in(commands);
    while (in >> word)
        line += " " + (word == "W" ? std::to_string(window) : word);
    run_command("xdotool" + line);
    pump_events();
}

// The test window with the program's mouse callbacks; any other window a
// case opens is destroyed afterwards.
class MouseCallbacks : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        glutMouseFunc(mouse);
        glutMotionFunc(motion);
        pump_events(); // the reshape's configure events
        window = x_window("tyx test");
        ASSERT_NE(window, 0u) << "test window not found";
    }
    void TearDown() override
    {
        // Let no modifier stay held for the next case.
        run_command("xdotool keyup shift keyup alt");
        if (second != 0)
            glutDestroyWindow(second);
        glutSetWindow(wnd.window1);
        glutMouseFunc(nullptr);
        glutMotionFunc(nullptr);
        pump_events();
        GlTest::TearDown();
    }
    unsigned long window = 0;
    int second = 0;
};

bool same(const double a[4], const double b[4])
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

} // namespace

TEST_F(MouseCallbacks, DragTurnsTheGlobeAndAFastOneLeavesItCoasting)
{
    double start[16];
    for (int i = 0; i < 16; i++)
        start[i] = view.rt[i];
    // Three steps of 20 pixels (half-angle pi / 30 each), then one of 60.
    xdotool(window, "mousemove --window W 300 300 mousedown 1 "
                    "mousemove --window W 320 300 mousemove --window W 340 300 "
                    "mousemove --window W 360 300 mousemove --window W 420 300 mouseup 1");
    // The point that faced the eye has turned right by 2 (3 pi/30 + pi/10).
    const double m[3] = {start[2], start[6], start[10]};
    double x = view.rt[0] * m[0] + view.rt[4] * m[1] + view.rt[8] * m[2];
    double y = view.rt[1] * m[0] + view.rt[5] * m[1] + view.rt[9] * m[2];
    EXPECT_NEAR(x, std::sin(0.4 * kPi), 1e-6);
    EXPECT_NEAR(y, 0, 1e-6);
    EXPECT_NEAR(inertia.arhozon, 0.1 * kPi, 1e-12) << "the last step is kept for coasting";
    EXPECT_EQ(view.cx, 420);
    EXPECT_EQ(view.scaling, 0);
    EXPECT_EQ(view.parallel, 0);

    // The next press stops it.
    xdotool(window, "mousedown 1 mouseup 1");
    EXPECT_EQ(inertia.arhozon, 0);
}

TEST_F(MouseCallbacks, ShiftAndAltHeldTogetherZoom)
{
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    xdotool(window, "mousemove --window W 400 400 keydown shift keydown alt mousedown 1 "
                    "mousemove --window W 400 370 mousemove --window W 400 340 "
                    "mouseup 1 keyup alt keyup shift");
    EXPECT_EQ(view.scaling, 1);
    EXPECT_EQ(view.parallel, 1);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.05f * 1.05f);
    EXPECT_EQ(view.trans[0], 0);
    EXPECT_EQ(view.trans[1], 0);
    EXPECT_TRUE(same(view.cq, cq));
}

TEST_F(MouseCallbacks, AltDragShiftsAndModifiersHoldUntilTheNextButtonEvent)
{
    // Alt is let go during the drag: the drag goes on shifting.
    xdotool(window, "mousemove --window W 400 300 keydown alt mousedown 1 keyup alt "
                    "mousemove --window W 480 360 mouseup 1");
    EXPECT_FLOAT_EQ(view.trans[0], 0.2f);
    EXPECT_FLOAT_EQ(view.trans[1], -0.2f);
    EXPECT_EQ(view.scale_factor, 1);
    EXPECT_EQ(view.parallel, 0) << "the release took the modifiers again";
}

TEST_F(MouseCallbacks, DragInWindowTwoTurnsGlobe2Only)
{
    wnd.nsphere = 2;
    view.rotsynch = 0;
    view.synch = 0;
    glutInitWindowSize(400, 300);
    glutInitWindowPosition(1100, 40);
    second = glutCreateWindow("tyx test 2");
    glutDisplayFunc([] {});
    glutReshapeFunc(resize);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    wnd.window2 = second;
    init_rotate();
    pump_events();
    unsigned long window2 = x_window("tyx test 2");
    ASSERT_NE(window2, 0u);

    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    double cq2[4] = {view.cq2[0], view.cq2[1], view.cq2[2], view.cq2[3]};
    xdotool(window2, "mousemove --window W 100 150 mousedown 1 mousemove --window W 160 150 "
                     "mouseup 1");
    EXPECT_TRUE(same(view.cq, cq));
    EXPECT_FALSE(same(view.cq2, cq2));
    // Measured in window 2's own height of 300 pixels: 60 pixels, 0.2 pi.
    EXPECT_NEAR(inertia.arhozon_2, 0.2 * kPi, 1e-12);
    EXPECT_EQ(inertia.arhozon, 0);

    xdotool(window2, "keydown shift mousedown 1 mousemove --window W 160 90 mouseup 1 "
                     "keyup shift");
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.2f);
    EXPECT_EQ(view.scale_factor, 1);
}
