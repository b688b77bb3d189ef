// orientation_glut.cpp — the GLUT side of the orientation commands: which
// window is current, and the redisplay requests.
#include <GL/freeglut.h>

#include "core/tyxparam.h"
#include "view/orientation.h"

bool current_window_is_second()
{
    return glutGetWindow() != wnd.window1;
}

void latitude_rotate()
{
    north_up(current_window_is_second());
    glutPostRedisplay();
}

void view_reset()
{
    reset_view();
    glutPostRedisplay();
}

void view_reset_keep_frame()
{
    reset_view_keep_frame();
    glutPostRedisplay();
}
