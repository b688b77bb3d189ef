// orientation.cpp — orientation state changes of the two globes (no GL here).
#include "view/orientation.h"

#include <cmath>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "view/quaternion.h"
#include "view/view_pose.h"

namespace {

void copy4(double dst[4], const double src[4])
{
    for (int i = 0; i < 4; i++)
        dst[i] = src[i];
}

bool is_zero(const double q[4])
{
    return q[0] == 0 && q[1] == 0 && q[2] == 0 && q[3] == 0;
}

// Applies the view-space change d to the globe of the given window. With
// rotsynch 1 the other globe follows through the tilt and both are committed;
// otherwise only that globe changes and is committed on request.
void apply_turn(bool second_window, const double d[4], bool commit)
{
    if (view.rotsynch == 1) {
        if (second_window) {
            qmul(view.tq2, d, view.cq2);
            qmul(view.tq, view.qzure_inv, view.tq2);
        } else {
            qmul(view.tq, d, view.cq);
            qmul(view.tq2, view.qzure, view.tq);
        }
        copy4(view.cq, view.tq);
        copy4(view.cq2, view.tq2);
        qrot(view.rt, view.tq);
        qrot(view.rt2, view.tq2);
    } else if (second_window) {
        qmul(view.tq2, d, view.cq2);
        qrot(view.rt2, view.tq2);
        if (commit)
            copy4(view.cq2, view.tq2);
    } else {
        qmul(view.tq, d, view.cq);
        qrot(view.rt, view.tq);
        if (commit)
            copy4(view.cq, view.tq);
    }
}

// One globe's coasting set, named so both globes share one step.
struct InertiaSet {
    double& arhozon;
    double& arhozon2;
    double& dxhozon;
    double& dyhozon;
    double& ahozon;
};

void step_inertia(InertiaSet s, bool second_window)
{
    if (std::fabs(s.arhozon) <= inertia.minkanseikaiten)
        return;
    // A set without a direction cannot coast (the turn axis would be 0/0); the
    // drag handler never records one, so this only guards odd state.
    if (std::fabs(s.arhozon2) <= inertia.minkanseikaitenstop || s.ahozon == 0) {
        s.arhozon = s.arhozon2 = s.dxhozon = s.dyhozon = 0;
        return;
    }
    double h = s.arhozon2 * inertia.strengthkanseikaiten;
    double f = std::sin(h) / s.ahozon;
    const double d[4] = {std::cos(h), s.dyhozon * f, s.dxhozon * f, 0};
    apply_turn(second_window, d, true);
    s.arhozon2 *= inertia.gensuikanseikaiten;
}

// Everything the two resets share.
void reset_orientation_zoom_shift()
{
    init_rotate();
    spin.thetajiten = 0;
    view.scale_factor = view.init_scale_factor;
    view.scale_factor2 = view.init_scale_factor2;
    view.trans[0] = static_cast<float>(view.trans_x);
    view.trans[1] = static_cast<float>(view.trans_y);
    view.trans2[0] = static_cast<float>(view.trans_x2);
    view.trans2[1] = static_cast<float>(view.trans_y2);
}

} // namespace

void init_rotate()
{
    const double pi = 4 * std::atan(1.0);
    // theta2 turns the configured meridian (at mesh angle rad_longitude) about
    // the pole onto -y; theta1 then tilts the globe about x by the polar angle,
    // which lifts the configured point onto +z with the pole above it. An eye
    // on the far side gets both turns half a turn further. The heading then
    // turns globe 1 about the line of sight.
    double t1 = -view.rad_latitude, t2 = -1.5707963 - view.rad_longitude;
    double t1_2 = -view.rad_latitude2, t2_2 = -1.5707963 - view.rad_longitude2;
    if (wnd.ez < 0) {
        t1 += pi;
        t2 += pi;
        t1_2 += pi;
        t2_2 += pi;
    }
    view.theta1 = t1;
    view.theta2 = t2;
    view.theta1_2 = t1_2;
    view.theta2_2 = t2_2;

    const double heading = view.heading * pi / 180;
    orientation_of_view({view.rad_latitude, view.rad_longitude, heading}, wnd.ez, view.cq);
    copy4(view.tq, view.cq);
    qrot(view.rt, view.cq);

    if (view.rotsynch == 0 && wnd.nsphere == 2) {
        orientation_of_view({view.rad_latitude2, view.rad_longitude2, 0}, wnd.ez, view.cq2);
        copy4(view.tq2, view.cq2);
        qrot(view.rt2, view.cq2);
    } else if (view.rotsynch == 1) {
        qmul(view.tq2, view.qzure, view.tq);
        copy4(view.cq2, view.tq2);
        qrot(view.rt2, view.tq2);
    } else if (view.rotsynch == 2 && is_zero(view.tq2)) {
        // Globe 2 keeps its orientation across resets in this mode, but at
        // start-up its working quaternion and matrix were never formed: a
        // release in window 2 would commit the zero quaternion and the globe
        // would be drawn with a zero matrix.
        copy4(view.tq2, view.cq2);
        qrot(view.rt2, view.cq2);
    }
}

void north_up(bool second_window)
{
    const double* m = second_window ? view.rt2 : view.rt;
    double m8 = m[8], m9 = m[9];
    double r = std::sqrt(m8 * m8 + m9 * m9);
    double phi = r < 1e-13 ? 0 : std::acos(m9 / r);
    if (wnd.ez < 0)
        phi += 4 * std::atan(1.0); // the camera's up vector is -y
    if (m8 < 0)
        phi = -phi;
    const double d[4] = {std::cos(phi / 2), 0, 0, std::sin(phi / 2)};
    apply_turn(second_window, d, true);
}

void view_turn(bool second_window, double dx, double dy, double a, double h, bool commit)
{
    if (!(a > 0))
        return;
    double f = std::sin(h) / a;
    const double d[4] = {std::cos(h), dy * f, dx * f, 0};
    apply_turn(second_window, d, commit);
}

void step_inertia_globe1()
{
    step_inertia(
        {inertia.arhozon, inertia.arhozon2, inertia.dxhozon, inertia.dyhozon, inertia.ahozon},
        false);
}

void step_inertia_globe2()
{
    step_inertia({inertia.arhozon_2, inertia.arhozon2_2, inertia.dxhozon_2, inertia.dyhozon_2,
                  inertia.ahozon_2},
                 true);
}

void step_spin(double now)
{
    if (spin.jitenornot != 1)
        return;
    spin.jitenjikan2 = now;
    if (spin.jitenjikan2 - spin.jitenjikan1 > spin.jiten_speed) {
        spin.thetajiten += spin.jiten_kankaku / 100 * spin.jitensokudo;
        spin.jitenjikan1 = now;
    }
}

void set_globe1_orientation(const double q[4])
{
    copy4(view.cq, q);
    copy4(view.tq, q);
    qrot(view.rt, q);
    if (view.rotsynch == 1) {
        qmul(view.tq2, view.qzure, view.tq);
        copy4(view.cq2, view.tq2);
        qrot(view.rt2, view.tq2);
    }
}

void reset_view()
{
    reset_orientation_zoom_shift();
    play.ntime = 0;
    play.jikan1 = elapsed_seconds();
}

void reset_view_keep_frame()
{
    reset_orientation_zoom_shift();
}
