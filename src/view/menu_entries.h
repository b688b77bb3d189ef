// menu_entries.h — the texts and values of the right-button pop-up menu, chosen
// from the current state. No GLUT here: menu.cpp turns the list into menus.
#pragma once

#include <string>
#include <vector>

#include "view/command_table.h"

// Values of the entries of the "Applications" submenu; app_menu_func runs
// the command of the value it receives (command_for_menu_value).
enum MenuValue : int {
    kMenuQuit = 1,
    kMenuReset = 3,
    kMenuProjection = 5,
    kMenuPlay = 8,
    kMenuReverse = 9,
    kMenuFullScreen = 14,
    kMenuSpin = 16,
    kMenuInformation = -1, // lines that only inform
};

struct MenuEntry {
    std::string text;
    int value = kMenuInformation;
};

struct MenuLayout {
    std::string submenu_title;           // the submenu's entry in the top-level menu
    std::vector<MenuEntry> applications; // submenu entries, in order
    std::vector<MenuEntry> information;  // top-level lines after the submenu
};

// The menu as the current state shows it. Called by init_glut_menu at every
// rebuild.
MenuLayout menu_entries();

// The command of a submenu entry's value; false for the information lines
// and any value the menu does not use. Called by app_menu_func.
bool command_for_menu_value(int value, Command* command);
