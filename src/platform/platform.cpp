// platform.cpp — the platform hooks of this build: both do nothing.
#include "platform/platform.h"

int run_or_focus()
{
    return 0;
}

void glutSetClickLock(int /*on*/) {}
