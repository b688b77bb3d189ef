// command_table_glut.cpp — the window work of commands, through GLUT.
#include <GL/freeglut.h>

#include <cstdlib>

#include "config/reload.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "view/command_table.h"
#include "view/full_screen.h"
#include "view/menu.h"
#include "view/mouse.h"
#include "view/orientation.h"

namespace {

// After a projection switch every window's projection is set up again from
// its own size. The current window stays current.
void set_up_projections()
{
    int previous = glutGetWindow();
    for (int window : {wnd.window2, wnd.window1}) {
        if (window == 0)
            continue;
        glutSetWindow(window);
        resize(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        init_glut_menu();
        glutPostRedisplay();
    }
    if (previous != 0)
        glutSetWindow(previous);
}

} // namespace

void carry_out_command(const CommandResponse& r)
{
    if (r.quit)
        std::exit(0);
    if (r.request_full_reload)
        reload_texture_init_file();
    if (r.enter_full_screen)
        enter_full_screen();
    if (r.leave_full_screen)
        leave_full_screen();
    if (r.set_up_projections)
        set_up_projections();
    if (r.press_at_pointer)
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, r.x, r.y);
    if (r.rebuild_menu)
        init_glut_menu();
    if (r.redisplay)
        glutPostRedisplay();
}

void perform_command(Command command)
{
    CommandInput input;
    input.second_window = current_window_is_second();
    carry_out_command(run_command(command, input));
}
