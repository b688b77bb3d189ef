// flight_control.cpp — setting out, stepping and ending the flight.
#include "lesson/flight_control.h"

#include <cmath>

#include "lesson/flight.h"
#include "view/orientation.h"
#include "view/quaternion.h"
#include "view/view_pose.h"

namespace {

bool same_pose(const FlightEnd& a, const FlightEnd& b)
{
    // q and -q are the same orientation.
    double d = 0;
    for (int i = 0; i < 4; i++)
        d += a.q[i] * b.q[i];
    return std::fabs(std::fabs(d) - 1) < 1e-12 && a.scale == b.scale && a.trans[0] == b.trans[0] &&
           a.trans[1] == b.trans[1];
}

} // namespace

FlightEnd current_globe_pose()
{
    FlightEnd pose;
    // The working orientation is what is drawn; it is all zeros only in
    // a state no window was made for.
    const double* q = view.tq;
    if (q[0] == 0 && q[1] == 0 && q[2] == 0 && q[3] == 0)
        q = view.cq;
    double turn[4];
    spin_turn(spin.thetajiten, turn);
    qmul(pose.q, q, turn);
    pose.scale = view.scale_factor;
    pose.trans[0] = view.trans[0];
    pose.trans[1] = view.trans[1];
    return pose;
}

void set_globe_pose(const FlightEnd& pose)
{
    set_globe1_orientation(pose.q);
    spin.thetajiten = 0;
    view.scale_factor = static_cast<float>(pose.scale);
    view.trans[0] = static_cast<float>(pose.trans[0]);
    view.trans[1] = static_cast<float>(pose.trans[1]);
}

void fly_between(const FlightEnd& from, const FlightEnd& to)
{
    set_globe_pose(from);
    // Coasting would turn the globe away from the path.
    inertia.arhozon = inertia.arhozon2 = 0;
    if (view.rotsynch == 1)
        inertia.arhozon_2 = inertia.arhozon2_2 = 0;
    if (same_pose(from, to)) {
        lesson.flight = 0;
        return;
    }
    lesson.flight_from = from;
    lesson.flight_to = to;
    lesson.flight_follows_centre = flight_follows_centre(from.q, to.q, wnd.ez) ? 1 : 0;
    lesson.flight = 1;
}

void step_flight(double now)
{
    if (lesson.flight == 0)
        return;
    if (lesson.flight == 1) {
        lesson.flight_start = now;
        lesson.flight = 2;
    }
    double done = flight_fraction(lesson.flight_start, lesson.flight_seconds, now);
    set_globe_pose(flight_pose(lesson.flight_from, lesson.flight_to,
                               lesson.flight_follows_centre == 1, wnd.ez, ease_in_out(done)));
    if (done >= 1)
        lesson.flight = 0;
}

void end_flight()
{
    lesson.flight = 0;
}

bool flight_under_way()
{
    return lesson.flight != 0;
}
