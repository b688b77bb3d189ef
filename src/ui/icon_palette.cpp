// icon_palette.cpp — the icons' commands and the icon-display toggle.
#include "ui/icon_palette.h"

void effect_icon(int /*i*/) {}

void toggle_icon_display() {}
