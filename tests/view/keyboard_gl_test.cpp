// keyboard_gl_test.cpp — the key callbacks on real windows: the window a key
// comes from picks the globe and gets the new menu.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "support/gl_fixture.h"
#include "view/keyboard.h"
#include "view/menu.h"

namespace {

class KeyboardGl : public GlTest {
  protected:
    void TearDown() override
    {
        if (wnd.window2 != 0) {
            glutDestroyWindow(wnd.window2);
            for (int i = 0; i < 20; i++)
                glutMainLoopEvent();
        }
        glutSetWindow(wnd.window1);
        GlTest::TearDown();
    }

    // A second window, current afterwards.
    void open_second_window()
    {
        glutInitWindowSize(320, 240);
        glutInitWindowPosition(1500, 60);
        wnd.window2 = glutCreateWindow("tyx test 2");
        glutDisplayFunc([] {});
        for (int i = 0; i < 20; i++)
            glutMainLoopEvent();
    }
};

} // namespace

TEST_F(KeyboardGl, ZoomFromWindowTwoGoesToGlobeTwoWithoutSynch)
{
    open_second_window();
    view.synch = 0;
    keyboard('L', 0, 0);
    EXPECT_EQ(view.scale_factor, 1.0f);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.2f);

    glutSetWindow(wnd.window1);
    keyboard('L', 0, 0);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.2f);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.2f);

    view.synch = 1;
    glutSetWindow(wnd.window2);
    keyboard('H', 0, 0);
    EXPECT_NEAR(view.scale_factor, 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.2f);
}

TEST_F(KeyboardGl, OnlyTheKeysWindowGetsANewMenu)
{
    open_second_window();
    init_glut_menu();
    int menu2 = attached_menu_of_current_window();
    glutSetWindow(wnd.window1);
    int menu1 = attached_menu_of_current_window();

    keyboard('s', 0, 0);
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_NE(attached_menu_of_current_window(), menu1);
    glutSetWindow(wnd.window2);
    EXPECT_EQ(attached_menu_of_current_window(), menu2);
}
