// keyboard_glut.cpp — the GLUT key callbacks of both windows: they hand the key to
// the key bindings (key_actions.cpp) and carry out the window work asked for.
#include "view/keyboard.h"

#include <GL/freeglut.h>

#include "view/command_table.h"
#include "view/key_actions.h"
#include "view/orientation.h"

static_assert(kKeyF1 == GLUT_KEY_F1 && kKeyF2 == GLUT_KEY_F2 && kKeyF3 == GLUT_KEY_F3 &&
                  kKeyF4 == GLUT_KEY_F4 && kKeyF5 == GLUT_KEY_F5 && kKeyF9 == GLUT_KEY_F9 &&
                  kKeyF12 == GLUT_KEY_F12,
              "function-key codes must be GLUT's");
static_assert(kKeyLeft == GLUT_KEY_LEFT && kKeyUp == GLUT_KEY_UP && kKeyRight == GLUT_KEY_RIGHT &&
                  kKeyDown == GLUT_KEY_DOWN,
              "arrow-key codes must be GLUT's");
static_assert(kKeyPageUp == GLUT_KEY_PAGE_UP && kKeyPageDown == GLUT_KEY_PAGE_DOWN &&
                  kKeyHome == GLUT_KEY_HOME && kKeyEnd == GLUT_KEY_END,
              "page-key codes must be GLUT's");

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    carry_out_command(character_key(key, current_window_is_second()));
}

void spkeyboard(int key, int x, int y)
{
    carry_out_command(special_key(key, current_window_is_second(), x, y));
}
