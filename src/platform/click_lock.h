// click_lock.h — the click lock: while it is on, the globe follows the pointer
// without a held button. Decides which mouse and motion callback calls each
// pointer event becomes; platform_glut.cpp makes the calls. No GLUT here.
//
// Conventions: positions are window pixels of the window the event came from
// (y downwards); button and state codes are GLUT's.
#pragma once

constexpr int kLeftButton = 0; // GLUT_LEFT_BUTTON
constexpr int kButtonDown = 0; // GLUT_DOWN
constexpr int kButtonUp = 1;   // GLUT_UP

// One call of the mouse callback (button, state, x, y) or of the motion
// callback (x, y).
struct PointerCall {
    enum Target { kMouse, kMotion } target = kMotion;
    int button = 0, state = 0; // mouse calls only
    int x = 0, y = 0;
};

// The calls one event turns into, in order.
struct PointerCalls {
    int count = 0;
    PointerCall call[2];
};

// Sets the lock flag. Called once by start-up with ClickLock, before any
// window exists. Turned on this way, the lock reports the first pointer
// position it meets as a left-button press, so that the globe starts turning
// from there instead of from wherever the last press was.
void glutSetClickLock(int on);

// A button event: passed on as it is, except a left-button release while the
// lock is on, which becomes a press and then the release at the same place
// (so that an icon click still works).
PointerCalls click_lock_button(int button, int state, int x, int y);

// A pointer move, with (`button_held`) or without a button: with a button it
// goes to the motion callback as always; without one it goes there only while
// the lock is on. The first move after the lock was set at start-up becomes a
// left-button press instead.
PointerCalls click_lock_move(int x, int y, bool button_held);

// Flips the lock and returns true when it is now on. Run by the click-lock
// command (key F12), which then reports a left-button press at the pointer so
// that the following moves continue from there.
bool toggle_click_lock();
