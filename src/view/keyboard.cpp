// keyboard.cpp — every command's key.
#include "view/keyboard.h"

#include <cstdlib>

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    if (key == 'q' || key == 'Q')
        std::exit(0);
}

void spkeyboard(int /*key*/, int /*x*/, int /*y*/) {}
