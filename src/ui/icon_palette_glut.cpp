// icon_palette_glut.cpp — runs an icon's command in the window of the click.
#include "ui/icon_palette.h"

void effect_icon(int i)
{
    perform_command(icon_command(i));
}
