// icon_palette.h — the on-screen command icons.
#pragma once

// Draws the configured icons into window 1.
void show_icon();

// Runs the command of icon slot i after a completed click.
void effect_icon(int i);
