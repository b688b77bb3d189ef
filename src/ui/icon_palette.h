// icon_palette.h — the on-screen command icons.
#pragma once

// Runs the command of icon slot i after a completed click. Not built yet:
// does nothing until the icon palette is built.
void effect_icon(int i);

// Hides all icons but the toggle itself, or shows the configured ones again
// (icon 22, key C). Hiding the icons also hides the time bar. Not built yet:
// does nothing until the icon palette is built.
void toggle_icon_display();

// ---------------------------------------------------------------------------
// GL side (icon_palette_gl.cpp).

// Draws the configured icons into window 1. Not built yet: draws nothing.
void show_icon();
