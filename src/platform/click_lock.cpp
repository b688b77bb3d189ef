// click_lock.cpp — the click lock's rewriting of pointer events into mouse and
// motion callback calls, and its switch (no GLUT here).
#include "platform/click_lock.h"

#include "core/tyxparam.h"

namespace {

PointerCalls none()
{
    return {};
}

PointerCalls one(PointerCall c)
{
    PointerCalls calls;
    calls.call[calls.count++] = c;
    return calls;
}

PointerCall mouse_call(int button, int state, int x, int y)
{
    PointerCall c;
    c.target = PointerCall::kMouse;
    c.button = button;
    c.state = state;
    c.x = x;
    c.y = y;
    return c;
}

PointerCall motion_call(int x, int y)
{
    PointerCall c;
    c.target = PointerCall::kMotion;
    c.x = x;
    c.y = y;
    return c;
}

} // namespace

void glutSetClickLock(int on)
{
    icons.click_lock = on == 1 ? 1 : 0;
    icons.click_lock_pending = icons.click_lock;
}

PointerCalls click_lock_button(int button, int state, int x, int y)
{
    if (button == kLeftButton)
        icons.click_lock_pending = 0; // a real press or release anchors the gesture
    if (icons.click_lock != 1 || button != kLeftButton || state != kButtonUp)
        return one(mouse_call(button, state, x, y));
    PointerCalls calls;
    calls.call[calls.count++] = mouse_call(kLeftButton, kButtonDown, x, y);
    calls.call[calls.count++] = mouse_call(kLeftButton, kButtonUp, x, y);
    return calls;
}

PointerCalls click_lock_move(int x, int y, bool button_held)
{
    if (icons.click_lock != 1)
        return button_held ? one(motion_call(x, y)) : none();
    if (icons.click_lock_pending == 1) {
        icons.click_lock_pending = 0;
        return one(mouse_call(kLeftButton, kButtonDown, x, y));
    }
    return one(motion_call(x, y));
}

bool toggle_click_lock()
{
    icons.click_lock = icons.click_lock == 1 ? 0 : 1;
    icons.click_lock_pending = 0;
    return icons.click_lock == 1;
}
