// drawing_palette.h — the sixteen-colour pen palette.
#pragma once

// Draws the palette strip into window 1 while drawing mode is on.
void show_drawing_palette();
