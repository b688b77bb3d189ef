// globe_state.cpp — the per-globe state step of the frame.
#include "render/globe_state.h"

#include "core/tyxparam.h"
#include "lesson/flight_control.h"
#include "view/orientation.h"

void advance_globe_state(double now)
{
    step_inertia_globe1();
    step_inertia_globe2();
    step_spin(now);
    step_flight(now);
    if (view.synch == 1)
        view.scale_factor2 = view.scale_factor;
    if (wnd.perspec == 1)
        overlay.isenkeisenornot = 0;
}
