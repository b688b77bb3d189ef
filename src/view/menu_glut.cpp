// menu_glut.cpp — builds the GLUT pop-up menus of each window and runs their
// commands.
//
// freeglut refuses every menu change (creating, filling, attaching,
// destroying) while a menu is open and ends the program instead. Keys still
// arrive while a menu is open, so a rebuild asked for then is held back and
// made as soon as the menu closes. The "menu closed" notice comes from inside
// freeglut's menu handling, before the chosen entry's command runs; the held
// rebuild therefore waits for a zero-delay timer, when freeglut no longer
// uses the closed menu.
#include "view/menu.h"

#include <GL/freeglut.h>

#include <vector>

#include "view/command_table.h"
#include "view/menu_entries.h"

namespace {

// The menus of one window's latest build.
struct WindowMenus {
    int window = 0;       // GLUT window identifier
    int submenu = 0;      // "Applications"
    int top = 0;          // attached to the right button
    bool waiting = false; // a rebuild was asked for while a menu was open
    MenuState shown;      // the state the texts were chosen from
};

std::vector<WindowMenus> built_menus; // one record per window, in order of first build
bool menu_open = false;
bool rebuild_timer_set = false;

WindowMenus& menus_of(int window)
{
    for (WindowMenus& m : built_menus)
        if (m.window == window)
            return m;
    built_menus.push_back({});
    built_menus.back().window = window;
    return built_menus.back();
}

// Builds the current window's menus and destroys those they replace. No menu
// may be open.
void build_menus(WindowMenus& m)
{
    m.shown = menu_state();
    MenuLayout layout = menu_entries();
    int submenu = glutCreateMenu(app_menu_func);
    for (const MenuEntry& e : layout.applications)
        glutAddMenuEntry(e.text.c_str(), e.value);
    int top = glutCreateMenu(menu_func);
    glutAddSubMenu(layout.submenu_title.c_str(), submenu);
    for (const MenuEntry& e : layout.information)
        glutAddMenuEntry(e.text.c_str(), e.value);
    glutAttachMenu(GLUT_RIGHT_BUTTON);

    // The old pair is attached nowhere now; without this every command would
    // leave two menus behind for the rest of a long presentation.
    if (m.top != 0)
        glutDestroyMenu(m.top);
    if (m.submenu != 0)
        glutDestroyMenu(m.submenu);
    m.top = top;
    m.submenu = submenu;
    m.waiting = false;
}

// Timer callback: the rebuilds held back while a menu was open.
void rebuild_waiting_menus(int /*value*/)
{
    rebuild_timer_set = false;
    if (menu_open)
        return; // opened again; its closing sets the timer anew
    int previous = glutGetWindow();
    for (WindowMenus& m : built_menus) {
        if (!m.waiting)
            continue;
        glutSetWindow(m.window);
        if (glutGetWindow() == m.window)
            build_menus(m);
        m.waiting = false;
    }
    if (previous != 0)
        glutSetWindow(previous);
}

// Menu status callback of freeglut (one for the whole program).
void menu_status(int status, int /*x*/, int /*y*/)
{
    menu_open = status == GLUT_MENU_IN_USE;
    if (menu_open || rebuild_timer_set)
        return;
    for (const WindowMenus& m : built_menus) {
        if (m.waiting) {
            rebuild_timer_set = true;
            glutTimerFunc(0, rebuild_waiting_menus, 0);
            return;
        }
    }
}

} // namespace

void init_glut_menu()
{
    int window = glutGetWindow();
    if (window == 0)
        return;
    glutMenuStatusFunc(menu_status);
    WindowMenus& m = menus_of(window);
    if (menu_open) {
        m.waiting = true;
        return;
    }
    build_menus(m);
}

void renew_stale_menu()
{
    int window = glutGetWindow();
    for (WindowMenus& m : built_menus) {
        if (m.window != window)
            continue;
        if (!m.waiting && m.shown != menu_state())
            init_glut_menu();
        return;
    }
}

void app_menu_func(int value)
{
    Command command;
    if (command_for_menu_value(value, &command))
        perform_command(command);
}

void menu_func(int /*value*/)
{
    // The top-level menu's own lines only inform.
}

int attached_menu_of_current_window()
{
    int window = glutGetWindow();
    for (const WindowMenus& m : built_menus)
        if (m.window == window)
            return m.top;
    return 0;
}

bool pop_up_menu_in_use()
{
    return menu_open;
}
