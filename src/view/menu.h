// menu.h — the right-button pop-up menu.
#pragma once

// Builds a fresh menu for the current window from the current state.
void init_glut_menu();
void app_menu_func(int value);
void menu_func(int value);
