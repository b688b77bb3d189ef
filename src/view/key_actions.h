// key_actions.h — which command every character key and special key runs.
// No GL or GLUT here: the callbacks in keyboard_glut.cpp call these and then
// carry out the window work of the returned response.
#pragma once

#include <vector>

#include "view/command_table.h"

// GLUT's special-key codes (checked against GLUT's own in keyboard_glut.cpp).
constexpr int kKeyF1 = 1, kKeyF2 = 2, kKeyF3 = 3, kKeyF4 = 4, kKeyF5 = 5, kKeyF9 = 9, kKeyF12 = 12;
constexpr int kKeyLeft = 100, kKeyUp = 101, kKeyRight = 102, kKeyDown = 103;
constexpr int kKeyPageUp = 104, kKeyPageDown = 105, kKeyHome = 106, kKeyEnd = 107;

// GLUT's mouse-button numbers of the wheel: one press per notch.
constexpr int kWheelUpButton = 3, kWheelDownButton = 4;

// Window work left to the GLUT side after a key ran its command.
using KeyResponse = CommandResponse;

// A few keys mean something else in presentation-remote mode
// ("#PresentaionRemoteMode" 1), for clickers whose buttons send Esc, F5, Left
// and Right. PageUp, PageDown, Home, End and "." serve the other clickers in
// every mode.
enum class KeyMode { kAny, kNormal, kPresentation };

// One key binding. The list of bindings is what help texts show.
struct KeyBinding {
    int key;              // character code, or GLUT special-key code when `special`
    bool special;         // a function or arrow key
    KeyMode mode;         // the mode the binding holds in
    const char* key_name; // the key as a user reads it: "Space", "Esc", "F5", "Left", "a"
    Command command;
    bool lesson = false; // holds only while a lesson is loaded, and then comes first
};

// Every binding, in the order a key table lists them.
const std::vector<KeyBinding>& key_bindings();

// A mouse button that runs a command (the wheel's notches).
struct PointerBinding {
    int button;       // GLUT mouse-button number
    const char* name; // "Wheel up"
    Command command;
};

// Every pointer binding, in the order a help text lists them.
const std::vector<PointerBinding>& pointer_bindings();

// The binding a key has in the given mode, with or without a lesson loaded;
// null for a key without one.
const KeyBinding* find_key_binding(int key, bool special, bool presentation_mode,
                                   bool lesson_loaded = false);

// True when `b` is the binding its key has in that mode: it holds there and
// no other binding of the key comes first.
bool binding_holds(const KeyBinding& b, bool presentation_mode, bool lesson_loaded);

// A character key from window 1 (second_window false) or window 2: runs the
// key's command; nothing for a key without one. Every key, bound or not,
// ends a flight between lesson views where it is.
KeyResponse character_key(unsigned char key, bool second_window);

// A special key (function, arrow or page key) from window 1 or window 2, with
// the pointer at (x, y) in that window. Arrow and F1-F4 turns are committed
// at once, so repeated presses add up in every rotation mode.
KeyResponse special_key(int key, bool second_window, int x = 0, int y = 0);

// A press of mouse button `button` in window 1 or window 2: runs the button's
// command (the wheel zooms the globe of that window); nothing for the others.
KeyResponse pointer_button(int button, bool second_window);
