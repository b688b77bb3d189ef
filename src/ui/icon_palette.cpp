// icon_palette.cpp — draws the icons and runs their commands.
#include "ui/icon_palette.h"

void show_icon() {}

void effect_icon(int /*i*/) {}

void toggle_icon_display() {}
