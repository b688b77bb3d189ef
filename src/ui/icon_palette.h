// icon_palette.h — the on-screen command icons: which command each slot runs,
// which picture it shows in which state, and the icon-display toggle.
//
// Slot i is configuration icon i + 1 ("#IconScaleXY" is slot 0,
// "#Icon2ScaleXY" slot 1, …). Pictures are indices into img.icon and
// img.icontexName. Everything above the GL section runs without a display.
#pragma once

#include "view/command_table.h"

constexpr int kIconToggleSlot = 22; // hides and shows the others; never hidden itself
constexpr int kEraseIconSlot = 24;  // undo; drawn only in drawing mode
constexpr int kSaveIconSlot = 25;   // save the drawing; drawn only in drawing mode
// The layer icons (second layer; second layer and one map forward) switch
// between texture sets and are off without a second one.
constexpr int kLayerIconSlot = 20;
constexpr int kLayerStepIconSlot = 26;

// Icon places drawn and tested: "#Icon" kept within 0 .. kIconPlaces.
int icon_places_in_use();

// The command that a click on icon slot i runs; Command::kCount (no
// command) for a slot outside 0 .. kIconPlaces - 1.
Command icon_command(int slot);

// The picture icon slot i shows now, or -1 when it is not drawn: beyond the
// places in use, switched off (icon_onoff), or an erase or save icon outside
// drawing mode. Pictures of state icons mostly show the command a click
// gives (the pause picture while playing); the drawing icon shows the state.
int icon_picture(int slot);

// Whether icon slot i shows its pressed look in the GLUT window `window`:
// pressed there and the button still down.
bool icon_shows_pressed(int slot, int window);

// Hides every icon but the toggle itself, which also hides the time bar; or
// shows the configured icons again (the erase and save icons only in
// drawing mode, the layer icons only with a second texture set). The
// command of icon slot 22 and key C.
void toggle_icon_display();

// Switches the layer icons off while there is a single texture set. Called
// when the icon pictures are read and when the palette is shown again.
void switch_off_layer_icons();

// The erase and save icons follow drawing mode: shown as configured when it
// starts, hidden when it ends. Called by the drawing-mode toggle.
void show_drawing_icons(bool on);

// ---------------------------------------------------------------------------
// GLUT side (icon_palette_glut.cpp).

// Runs the command of icon slot i for the current window. Called by the
// mouse handler on a click pressed and released inside the icon.
void effect_icon(int i);

// ---------------------------------------------------------------------------
// GL side (icon_palette_gl.cpp).

// Draws the palette into window 1, after the globe; once per frame.
void show_icon();
