// menu.cpp — builds the pop-up menu and runs its commands.
#include "view/menu.h"

void init_glut_menu() {}

void app_menu_func(int /*value*/) {}

void menu_func(int /*value*/) {}
