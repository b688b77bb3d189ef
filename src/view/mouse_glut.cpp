// mouse_glut.cpp — the GLUT mouse and motion callbacks: they read the modifiers and
// the current window, then hand the event to the gesture handlers (mouse_drag).
#include "view/mouse.h"

#include <GL/freeglut.h>

#include "core/window.h"
#include "render/timebar.h"
#include "ui/icon_palette.h"
#include "view/command_table.h"
#include "view/key_actions.h"
#include "view/mouse_drag.h"
#include "view/orientation.h"

static_assert(kModifierShift == GLUT_ACTIVE_SHIFT && kModifierAlt == GLUT_ACTIVE_ALT,
              "the gesture handlers test the modifier bits as GLUT reports them");

// Registered for both windows. The left button does the gestures and the
// wheel's notches (reported as button presses) zoom; every button event
// renews the Shift and Alt flags for the drag that follows.
void mouse(int button, int state, int x, int y)
{
    take_modifier_flags(glutGetModifiers());
    if (state == GLUT_DOWN && button != GLUT_LEFT_BUTTON) {
        carry_out_command(pointer_button(button, current_window_is_second()));
        return;
    }
    if (button != GLUT_LEFT_BUTTON)
        return;
    bool second = current_window_is_second();
    if (state == GLUT_DOWN) {
        // One redisplay at once, so the pressed icon shows without waiting.
        glutTimerFunc(0, idle, 0);
        // A press on the time bar sets the frame and never reaches the globe.
        if (press_time_bar(second ? 1 : 0, x, y))
            return;
        press_left_button(x, y, second, glutGetWindow());
    } else if (state == GLUT_UP) {
        release_time_bar();
        release_left_button(x, y, second, effect_icon);
        glutIdleFunc(nullptr);
    }
}

// Registered for both windows where GLUT reports the wheel apart from the
// buttons: one call per notch, direction 1 up and -1 down.
void mouse_wheel(int /*wheel*/, int direction, int x, int y)
{
    mouse(direction > 0 ? kWheelUpButton : kWheelDownButton, GLUT_DOWN, x, y);
}

// Registered for both windows; GLUT calls it only while a button is held.
void motion(int x, int y)
{
    if (drag_time_bar(x)) {
        glutPostRedisplay();
        return;
    }
    if (drag_pointer(x, y, current_window_is_second()))
        glutPostRedisplay();
}
