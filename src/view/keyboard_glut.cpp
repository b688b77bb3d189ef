// keyboard_glut.cpp — the GLUT key callbacks of both windows: they hand the key to
// the key tables (key_actions.cpp) and do the window work asked for.
#include "view/keyboard.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "config/reload.h"
#include "platform/platform.h"
#include "ui/icon_palette.h"
#include "view/full_screen.h"
#include "view/key_actions.h"
#include "view/menu.h"
#include "view/orientation.h"

static_assert(kKeyF1 == GLUT_KEY_F1 && kKeyF2 == GLUT_KEY_F2 && kKeyF3 == GLUT_KEY_F3 &&
                  kKeyF4 == GLUT_KEY_F4 && kKeyF5 == GLUT_KEY_F5,
              "function-key codes must be GLUT's");
static_assert(kKeyLeft == GLUT_KEY_LEFT && kKeyUp == GLUT_KEY_UP && kKeyRight == GLUT_KEY_RIGHT &&
                  kKeyDown == GLUT_KEY_DOWN,
              "arrow-key codes must be GLUT's");

namespace {
void carry_out(const KeyResponse& r)
{
    if (r.quit)
        std::exit(0);
    if (r.request_full_reload)
        reload_texture_init_file();
    if (r.toggle_icons)
        toggle_icon_display();
    if (r.enter_full_screen)
        enter_full_screen();
    if (r.leave_full_screen)
        leave_full_screen();
    if (r.rebuild_menu)
        init_glut_menu();
    if (r.redisplay)
        glutPostRedisplay();
}
} // namespace

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    carry_out(character_key(key, current_window_is_second()));
}

void spkeyboard(int key, int x, int y)
{
    click_lock_special_key(key, x, y); // F12 flips the click lock
    carry_out(special_key(key, current_window_is_second()));
}
