// window_glut.cpp — window creation, the registration of every GLUT callback,
// init, reshape and the redisplay timer.
#include "core/window.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "core/clock.h"
#include "core/hit_rects.h"
#include "core/tyxparam.h"
#include "platform/platform.h"
#include "render/display.h"
#include "render/frame_pacing.h"
#include "render/timebar.h"
#include "view/full_screen.h"
#include "view/keyboard.h"
#include "view/menu.h"
#include "view/mouse.h"
#include "view/orientation.h"

void create_globe_window(int which, const char* initial_title)
{
    bool second = which == 2;
    glutInitWindowSize(second ? wnd.pixsize2_x : wnd.pixsize_x,
                       second ? wnd.pixsize2_y : wnd.pixsize_y);
    glutInitWindowPosition(second ? wnd.pixposition2_x : wnd.pixposition_x,
                           second ? wnd.pixposition2_y : wnd.pixposition_y);
    int id = glutCreateWindow(initial_title);
    if (second)
        wnd.window2 = id;
    else
        wnd.window1 = id;
    request_swap_interval();

    // display() and display2() reached through the frame-rate limit.
    glutDisplayFunc(second ? paced_display2 : paced_display);
    glutReshapeFunc(resize);
    // mouse() and motion() are reached through the click lock, which also
    // takes the pointer moves made without a button.
    glutMouseFunc(locked_mouse);
    glutMotionFunc(locked_motion);
    glutPassiveMotionFunc(locked_passive_motion);
    glutMouseWheelFunc(mouse_wheel);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(spkeyboard);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    init(id);
    if (wnd.no_title_bar == 1)
        remove_title_bar();
    if ((second ? wnd.fullscreen2 : wnd.fullscreen) == 1) {
        enter_full_screen();
        glutPostRedisplay();
    }
}

void init(int window)
{
    glClearColor(0, 0, 0, 0);
    if (window == wnd.window2 && wnd.window2 != 0) {
        wnd.window_title_2 = window2_title();
        glutSetWindowTitle(wnd.window_title_2.c_str());
    } else {
        glutSetWindowTitle(wnd.window_title_1.c_str());
    }
    glEnable(GL_CULL_FACE);
    init_glut_menu();
    init_rotate();
    play.jikan1 = play.jikan2 = elapsed_seconds();
    compute_projection_constants();
}

void resize(int width, int height)
{
    // A minimised window reports a zero size; keep the arithmetic finite.
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    int which = current_window_is_second() ? 1 : 0;
    wnd.sx[which] = 1.0 / width;
    wnd.sy[which] = 1.0 / height;
    double aspect = static_cast<double>(width) / height;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (wnd.perspec == 1) {
        gluPerspective(wnd.fovy, aspect, wnd.nearlimit, wnd.farlimit);
    } else {
        glOrtho(-wnd.size_ortho * aspect, wnd.size_ortho * aspect, -wnd.size_ortho, wnd.size_ortho,
                wnd.nearlimit, wnd.farlimit);
    }
    wnd.perspec_radio = wnd.perspec;
    glMatrixMode(GL_MODELVIEW);

    compute_hit_rectangles(which, width, height);
    compute_timebar_rectangle(which, width, height);
}

void idle(int /*value*/)
{
    glutPostRedisplay();
}
