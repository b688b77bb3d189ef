// timebar_gl.cpp — draws the time bar (end caps, knob, groove).
#include "render/timebar.h"

void functimebar() {}
