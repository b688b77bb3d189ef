// platform.h — behaviour that only one platform build has. This build has no
// hand-off to a running copy and no click lock yet.
#pragma once

// 1 when another copy is running and was brought to the front. Returns 0:
// the hand-off is not built yet.
int run_or_focus();

// ---------------------------------------------------------------------------
// GLUT side (platform_glut.cpp).

// Sets the click lock of the window layer. Does nothing: not built yet.
void glutSetClickLock(int on);
