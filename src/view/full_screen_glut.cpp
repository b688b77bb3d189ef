// full_screen_glut.cpp — full screen through freeglut.
//
// With a window manager freeglut asks it for the full-screen state. On a bare
// X server it sizes the window to the screen itself and moves it by minus its
// position (meant to hide a frame there is none of), which covers the screen
// only for a window at the origin, as the program's window 1 is by default.
// glutReshapeWindow first leaves full screen, then sizes the window.
#include "view/full_screen.h"

#include <GL/freeglut.h>

#include "view/commands.h"
#include "view/orientation.h"

void enter_full_screen()
{
    glutFullScreen();
}

void leave_full_screen()
{
    WindowSize size = configured_window_size(current_window_is_second());
    glutReshapeWindow(size.width, size.height);
}
