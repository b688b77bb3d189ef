// platform.cpp — the hand-off to a running copy. This build has none yet.
#include "platform/platform.h"

int run_or_focus()
{
    return 0;
}
