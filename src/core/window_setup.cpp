// window_setup.cpp — the arithmetic of the per-window set-up: window 2's
// title and the projection constants.
#include <cmath>

#include "core/tyxparam.h"
#include "core/window.h"

std::string window2_title()
{
    if (wnd.window_title_2 == "TYX 1.27(2)" && wnd.window_title_1 != "TYX 1.27")
        return wnd.window_title_1 + "(2)";
    return wnd.window_title_2;
}

void compute_projection_constants()
{
    // The camera stands at |ez| whatever the sign (a negative ez only turns
    // the view over), so the frustum is measured from there too; with the
    // signed value a negative ez clipped the whole globe away.
    double eye = std::fabs(wnd.ez);
    wnd.fovy = 2 * std::atan(wnd.size_ortho / eye) * 180 / 3.1415926;
    wnd.farlimit = eye + 20;
}
