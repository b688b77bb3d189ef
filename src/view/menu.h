// menu.h — the right-button pop-up menu of each window.
#pragma once

// Builds a fresh menu for the current window from the current state (texts
// from menu_entries()) and attaches it to the right button; the menus of the
// window's previous build are destroyed. Called by init for each window, and
// after every command that changes a state or speed the menu shows. Only the
// current window's menu is renewed.
//
// While a menu is open freeglut ends the program on any menu change, so a
// rebuild asked for then (a key pressed with the menu open) waits until the
// menu closes.
void init_glut_menu();

// Rebuilds the current window's menu if the state its texts show changed
// since its last build without a rebuild: a press on the time bar, the
// animation stopping at the end of the series, a configuration reload, a
// command given in the other window. Called after every frame of each window.
void renew_stale_menu();

// Callback of the "Applications" submenu: runs the command of the entry's
// value in the window where the menu was opened.
void app_menu_func(int value);

// Callback of the top-level menu, whose own entries only inform.
void menu_func(int value);

// For tests: the top-level menu last attached to the current window (0 when
// none), and whether a menu is open.
int attached_menu_of_current_window();
bool pop_up_menu_in_use();
