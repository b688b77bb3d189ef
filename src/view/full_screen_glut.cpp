// full_screen_glut.cpp — full screen through freeglut.
//
// With a window manager that offers the full-screen state freeglut asks it,
// and it puts the window back where it was afterwards. On a bare X server
// freeglut sizes the window to the screen itself and moves it by minus its
// position (meant to hide a frame there is none of), which covers the screen
// only for a window at the origin, and leaving full screen restores only the
// size. There the window is placed at the origin on the way in and back at
// its configured place on the way out. glutReshapeWindow and
// glutPositionWindow first leave full screen.
#include "view/full_screen.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>

#include "view/commands.h"
#include "view/orientation.h"

namespace {

// Whether the root window names the full-screen state among the ones a
// running window manager supports, which is when freeglut asks for it.
bool window_manager_does_full_screen()
{
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr)
        return false;
    Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    Atom full_screen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", True);
    if (supported == None || full_screen == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 1024, False, XA_ATOM,
                           &type, &format, &count, &left, &data) != Success)
        return false;
    bool found = false;
    if (data != nullptr && type == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; i++)
            found = atoms[i] == full_screen;
    }
    if (data != nullptr)
        XFree(data);
    return found;
}

} // namespace

void enter_full_screen()
{
    glutFullScreen();
    if (!window_manager_does_full_screen())
        glutPositionWindow(0, 0);
}

void leave_full_screen()
{
    bool second = current_window_is_second();
    WindowSize size = configured_window_size(second);
    glutReshapeWindow(size.width, size.height);
    if (!window_manager_does_full_screen()) {
        WindowPosition place = configured_window_position(second);
        glutPositionWindow(place.x, place.y);
    }
}
