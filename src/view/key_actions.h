// key_actions.h — what every character key and special key does to the state.
// No GL or GLUT here: the callbacks in keyboard.cpp call these and then carry
// out the window work that the returned KeyResponse asks for.
#pragma once

// GLUT's special-key codes (checked against GLUT's own in keyboard.cpp).
constexpr int kKeyF1 = 1, kKeyF2 = 2, kKeyF3 = 3, kKeyF4 = 4, kKeyF5 = 5;
constexpr int kKeyLeft = 100, kKeyUp = 101, kKeyRight = 102, kKeyDown = 103;

// Window work left to the GLUT side after a key changed the state.
struct KeyResponse {
    bool quit = false;                // end the program with status 0
    bool rebuild_menu = false;        // a state or speed that the menu shows changed
    bool redisplay = false;           // redraw the current window
    bool enter_full_screen = false;   // the window goes full screen
    bool leave_full_screen = false;   // the window goes back to its configured size
    bool request_full_reload = false; // reload_texture_init_file(): releases images and textures
    bool toggle_icons = false;        // show or hide the icon palette
};

// A character key from window 1 (second_window false) or window 2.
KeyResponse character_key(unsigned char key, bool second_window);

// A special key (function or arrow key) from window 1 or window 2. Arrow and
// F1-F4 turns are committed at once, so repeated presses add up in every
// rotation mode.
KeyResponse special_key(int key, bool second_window);
