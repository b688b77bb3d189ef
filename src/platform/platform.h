// platform.h — behaviour that only one platform build has. This build has no
// hand-off to a running copy and no click lock.
#pragma once

// 1 when another copy is running and was brought to the front.
int run_or_focus();

// Sets the click lock of the window layer.
void glutSetClickLock(int on);
