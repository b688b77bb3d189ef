// platform_glut.cpp — the GLUT and X side of the platform behaviour: the
// click lock's callbacks and the removal of a window's decorations.
#include "platform/platform.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/click_lock.h"
#include "view/mouse.h"

static_assert(kLeftButton == GLUT_LEFT_BUTTON && kButtonDown == GLUT_DOWN && kButtonUp == GLUT_UP,
              "the click lock speaks GLUT's button and state codes");

namespace {
void make_calls(const PointerCalls& calls)
{
    for (int i = 0; i < calls.count; i++) {
        const PointerCall& c = calls.call[i];
        if (c.target == PointerCall::kMouse)
            mouse(c.button, c.state, c.x, c.y);
        else
            motion(c.x, c.y);
    }
}
} // namespace

void locked_mouse(int button, int state, int x, int y)
{
    make_calls(click_lock_button(button, state, x, y));
}

void locked_motion(int x, int y)
{
    make_calls(click_lock_move(x, y, true));
}

void locked_passive_motion(int x, int y)
{
    make_calls(click_lock_move(x, y, false));
}

void remove_title_bar()
{
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    // The Motif hints that window managers read for decorations: flags,
    // functions, decorations, input mode, status. Flag 2 says the decorations
    // field is set; 0 there asks for none.
    long hints[5] = {2, 0, 0, 0, 0};
    Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
}
