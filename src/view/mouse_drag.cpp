// mouse_drag.cpp — left-button gestures on the state block: icon and swatch
// clicks, zoom, shift and turn drags, coasting records (no GL here).
#include "view/mouse_drag.h"

#include <cmath>

#include "core/tyxparam.h"
#include "drawing/drawing_palette.h"
#include "drawing/drawing_store.h"
#include "lesson/flight_control.h"
#include "ui/icon_palette.h"
#include "view/orientation.h"

namespace {

// Zoom and shift of the globe a drag changes: globe 1 for window 1 or when
// globe 2 follows globe 1's zoom and shift, else globe 2.
float& dragged_zoom(bool second_window)
{
    return second_window && view.synch != 1 ? view.scale_factor2 : view.scale_factor;
}

float* dragged_shift(bool second_window)
{
    return second_window && view.synch != 1 ? view.trans2 : view.trans;
}

void clear_coasting_globe1()
{
    inertia.arhozon = inertia.arhozon2 = 0;
    inertia.dxhozon = inertia.dyhozon = inertia.ahozon = 0;
}

void clear_coasting_globe2()
{
    inertia.arhozon_2 = inertia.arhozon2_2 = 0;
    inertia.dxhozon_2 = inertia.dyhozon_2 = inertia.ahozon_2 = 0;
}

// The step that coasting continues from once the drag slows or ends.
void record_coasting(bool second_window, double dx, double dy, double a, double h)
{
    if (second_window) {
        inertia.arhozon_2 = inertia.arhozon2_2 = h;
        inertia.dxhozon_2 = dx;
        inertia.dyhozon_2 = dy;
        inertia.ahozon_2 = a;
    } else {
        inertia.arhozon = inertia.arhozon2 = h;
        inertia.dxhozon = dx;
        inertia.dyhozon = dy;
        inertia.ahozon = a;
    }
}

// Reciprocal width and height of the window a drag comes from.
double width_scale(bool second_window)
{
    return wnd.sx[second_window ? 1 : 0];
}

double height_scale(bool second_window)
{
    return wnd.sy[second_window ? 1 : 0];
}

void zoom_step(int x, int y, bool second_window)
{
    float& zoom = dragged_zoom(second_window);
    zoom = zoom_after_drag(zoom, view.cy, y, height_scale(second_window), wnd.ez, wnd.nearlimit);
    view.cx = x;
    view.cy = y;
}

void shift_step(int x, int y, bool second_window)
{
    double dx = (x - view.cx) * width_scale(second_window);
    double dy = (y - view.cy) * height_scale(second_window);
    double zoom = dragged_zoom(second_window);
    float* shift = dragged_shift(second_window);
    shift[0] = static_cast<float>(shift[0] + 2 * dx / zoom);
    shift[1] = static_cast<float>(shift[1] - 2 * dy / zoom);
    view.cx = x;
    view.cy = y;
    // A shift step counts as the previous step for the jump correction of the
    // next turn, even though it is measured in widths rather than heights.
    view.drag_dx = dx;
    view.drag_dy = dy;
}

void turn_step(int x, int y, bool second_window)
{
    double sx = width_scale(second_window), sy = height_scale(second_window);
    double dx = (x - view.cx) * sy;
    double dy = (y - view.cy) * sy;
    view.cx = x;
    view.cy = y;
    correct_drag_jump(view.drag_dx, view.drag_dy, sy / sx, &dx, &dy);
    view.drag_dx = dx;
    view.drag_dy = dy;

    double a = std::sqrt(dx * dx + dy * dy);
    if (a == 0)
        return;
    double h = drag_half_angle(a, dragged_zoom(second_window));
    // A zero zoom (configured "#Scale 0") gives no finite angle; turning by it
    // would leave the orientation not-a-number for good.
    if (!std::isfinite(h))
        return;
    record_coasting(second_window, dx, dy, a, h);
    view_turn(second_window, dx, dy, a, h, true);
}

// Icon slot i's rectangle in the window the event came from.
bool on_icon(int i, int x, int y, bool second_window)
{
    int which = second_window ? 1 : 0;
    return strictly_inside(icons.icon_posi_x_window[which][i], icons.icon_posi_y_window[which][i],
                           x, y);
}

// `next`, the zoom that a drag or wheel step computed from `zoom`, held within
// the drag bounds; see zoom_after_drag.
float hold_zoom_bounds(float zoom, float next, double ez, double nearlimit)
{
    float sign = zoom < 0 ? -1.0f : 1.0f;
    float magnitude = next * sign; // negative when the factor crossed zero
    float ceiling = static_cast<float>(std::fabs(ez) - nearlimit);
    if (ceiling > 0 && magnitude > ceiling)
        magnitude = ceiling;
    float floor = std::fabs(zoom) < kMinDragZoom ? std::fabs(zoom) : kMinDragZoom;
    if (!(magnitude >= floor)) // also catches a not-a-number result
        magnitude = floor;
    return sign * magnitude;
}

} // namespace

float zoom_after_drag(float zoom, int cy, int y, double sy, double ez, double nearlimit)
{
    float next = zoom * (1.0f + static_cast<float>(cy - y) * static_cast<float>(sy));
    return hold_zoom_bounds(zoom, next, ez, nearlimit);
}

float zoom_after_wheel(float zoom, double factor, double ez, double nearlimit)
{
    float next = static_cast<float>(static_cast<double>(zoom) * factor);
    return hold_zoom_bounds(zoom, next, ez, nearlimit);
}

void correct_drag_jump(double pdx, double pdy, double w, double* dx, double* dy)
{
    if (pdx - *dx > 0.7 * w)
        *dx += w;
    else if (pdx - *dx < -0.7 * w)
        *dx -= w;
    if (pdy - *dy > 0.7)
        *dy += 1;
    else if (pdy - *dy < -0.7)
        *dy -= 1;
}

double drag_half_angle(double a, double zoom)
{
    return a * 6.283185307179586 * 0.5 / zoom;
}

bool strictly_inside(const double xs[2], const double ys[2], int x, int y)
{
    return xs[0] < x && x < xs[1] && ys[0] < y && y < ys[1];
}

void take_modifier_flags(int modifiers)
{
    view.scaling = (modifiers & kModifierShift) != 0 ? 1 : 0;
    view.parallel = (modifiers & kModifierAlt) != 0 ? 1 : 0;
}

void press_left_button(int x, int y, bool second_window, int window)
{
    // A drag takes the globe over from a flight between lesson views.
    end_flight();
    view.cx = x;
    view.cy = y;

    if (view.rotsynch == 1) {
        clear_coasting_globe1();
        clear_coasting_globe2();
    } else if (second_window) {
        clear_coasting_globe2();
    } else {
        clear_coasting_globe1();
    }

    for (int i = 0; i < icon_places_in_use(); i++) {
        if (icons.icon_onoff[i] == 1 && on_icon(i, x, y, second_window)) {
            icons.pushbutton[i] = 1;
            icons.pushwindow = window;
        }
    }

    if (drawing.drawing_onoff == 1)
        press_palette(x, y, second_window);
}

void release_left_button(int x, int y, bool second_window, void (*run_icon)(int))
{
    if (drawing.drawing_onoff == 1 && drawing.line_continue == 1)
        end_stroke();

    for (int i = 0; i < icon_places_in_use(); i++) {
        if (icons.pushbutton[i] == 1 && icons.icon_onoff[i] == 1 &&
            on_icon(i, x, y, second_window)) {
            icons.pushedbutton[i] = 1;
            run_icon(i);
            icons.pushbutton[i] = 0;
        }
    }
    for (int i = 0; i < icon_places_in_use(); i++)
        icons.pushbutton[i] = 0;

    if (drawing.drawing_onoff == 1)
        release_palette(x, y, second_window);

    // The north-up icon (slot 9) has just set the orientation itself; leave it
    // as that turn made it.
    if (icons.pushedbutton[9] != 1) {
        if (!second_window || view.rotsynch == 1) {
            for (int k = 0; k < 4; k++)
                view.cq[k] = view.tq[k];
        } else {
            for (int k = 0; k < 4; k++)
                view.cq2[k] = view.tq2[k];
        }
    }
    for (int i = 0; i < icon_places_in_use(); i++)
        icons.pushedbutton[i] = 0;
}

bool drag_pointer(int x, int y, bool second_window)
{
    bool drawn = false;
    if (drawing.drawing_onoff == 1) {
        capture_stroke_sample(x, y, second_window);
        // The stroke follows the pointer at the full frame rate.
        drawn = true;
    }

    if (view.scaling == 1 && view.nomousedrag == 0) {
        zoom_step(x, y, second_window);
        return true;
    }
    if (view.parallel == 1 && view.nomousedrag == 0) {
        shift_step(x, y, second_window);
        return true;
    }
    if (view.nomousedrag != 1) {
        turn_step(x, y, second_window);
        return true;
    }
    return drawn;
}
