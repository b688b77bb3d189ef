// key_actions.h — which command every character key and special key runs.
// No GL or GLUT here: the callbacks in keyboard_glut.cpp call these and then
// carry out the window work of the returned response.
#pragma once

#include <vector>

#include "view/command_table.h"

// GLUT's special-key codes (checked against GLUT's own in keyboard_glut.cpp).
constexpr int kKeyF1 = 1, kKeyF2 = 2, kKeyF3 = 3, kKeyF4 = 4, kKeyF5 = 5;
constexpr int kKeyLeft = 100, kKeyUp = 101, kKeyRight = 102, kKeyDown = 103;

// Window work left to the GLUT side after a key ran its command.
using KeyResponse = CommandResponse;

// A few keys mean something else with a presentation clicker
// ("#PresentaionRemoteMode" 1), whose buttons send Esc, F5, Left and Right.
enum class KeyMode { kAny, kNormal, kPresentation };

// One key binding. The list of bindings is what help texts show.
struct KeyBinding {
    int key;              // character code, or GLUT special-key code when `special`
    bool special;         // a function or arrow key
    KeyMode mode;         // the mode the binding holds in
    const char* key_name; // the key as a user reads it: "Space", "Esc", "F5", "Left", "a"
    Command command;
};

// Every binding, in the order a key table lists them.
const std::vector<KeyBinding>& key_bindings();

// The binding a key has in the given mode; null for a key without one.
const KeyBinding* find_key_binding(int key, bool special, bool presentation_mode);

// A character key from window 1 (second_window false) or window 2: runs the
// key's command; nothing for a key without one.
KeyResponse character_key(unsigned char key, bool second_window);

// A special key (function or arrow key) from window 1 or window 2. Arrow and
// F1-F4 turns are committed at once, so repeated presses add up in every
// rotation mode.
KeyResponse special_key(int key, bool second_window);
