// icon_palette.h — the on-screen command icons.
#pragma once

// Draws the configured icons into window 1.
void show_icon();

// Runs the command of icon slot i after a completed click.
void effect_icon(int i);

// Hides all icons but the toggle itself, or shows the configured ones again
// (icon 22, key C). Hiding the icons also hides the time bar.
void toggle_icon_display();
