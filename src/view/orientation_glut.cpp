// orientation_glut.cpp — the GLUT side of orientation: which window an input
// came from.
#include <GL/freeglut.h>

#include "core/tyxparam.h"
#include "view/orientation.h"

bool current_window_is_second()
{
    return glutGetWindow() != wnd.window1;
}
