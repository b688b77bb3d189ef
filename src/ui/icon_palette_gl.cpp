// icon_palette_gl.cpp — draws the icon palette.
#include "ui/icon_palette.h"

void show_icon() {}
