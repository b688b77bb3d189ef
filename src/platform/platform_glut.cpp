// platform_glut.cpp — the click lock of the window layer. This build has
// none yet.
#include "platform/platform.h"

void glutSetClickLock(int /*on*/) {}
