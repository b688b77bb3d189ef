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
    kMenuLabels = 20,
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

// What the menu's texts are chosen from: a menu built from another state
// offers the wrong commands ("Stop play" for a stopped series).
struct MenuState {
    int anim = 0, jitenornot = 0, perspec = 0, fullscreen = 0;
    int animsokudo = 0, jitensokudo = 0;
    bool operator==(const MenuState& o) const
    {
        return anim == o.anim && jitenornot == o.jitenornot && perspec == o.perspec &&
               fullscreen == o.fullscreen && animsokudo == o.animsokudo &&
               jitensokudo == o.jitensokudo;
    }
    bool operator!=(const MenuState& o) const { return !(*this == o); }
};
MenuState menu_state();

// The command of a submenu entry's value; false for the information lines
// and any value the menu does not use. Called by app_menu_func.
bool command_for_menu_value(int value, Command* command);
