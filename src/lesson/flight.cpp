// flight.cpp — the path of a flight between two views.
#include "lesson/flight.h"

#include <algorithm>
#include <cmath>

#include "view/view_pose.h"

namespace {

const double kPi = 4 * std::atan(1.0);

// Samples of the centre's path checked against the pole margin.
constexpr int kPathSamples = 32;

struct Vec3 {
    double x, y, z;
};

double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 scaled(Vec3 a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}

Vec3 plus(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 unit(Vec3 a)
{
    double n = std::sqrt(dot(a, a));
    return n > 0 ? scaled(a, 1 / n) : Vec3{0, 0, 1};
}

// The view centre as a point of the unit globe (model axes, z to the north
// pole).
Vec3 centre_point(const ViewAngles& v)
{
    double s = std::sin(v.rad_latitude);
    return {s * std::cos(v.rad_longitude), s * std::sin(v.rad_longitude), std::cos(v.rad_latitude)};
}

// Share `t` along the great circle from unit vector a to b. Opposite points
// go by way of the equator when they can.
Vec3 slerp_point(Vec3 a, Vec3 b, double t)
{
    double c = std::clamp(dot(a, b), -1.0, 1.0);
    double angle = std::acos(c);
    if (angle < 1e-9)
        return a;
    Vec3 axis = cross(a, b);
    if (dot(axis, axis) < 1e-18) {
        axis = cross({0, 0, 1}, a);
        if (dot(axis, axis) < 1e-18)
            axis = {1, 0, 0};
    }
    axis = unit(axis);
    // Rodrigues' turn of a about the axis by t * angle; a is perpendicular
    // to the axis.
    double turn = t * angle;
    return plus(scaled(a, std::cos(turn)), scaled(cross(axis, a), std::sin(turn)));
}

ViewAngles angles_of_point(Vec3 p, double heading)
{
    ViewAngles v;
    v.rad_latitude = std::acos(std::clamp(p.z, -1.0, 1.0));
    double lon = std::atan2(p.y, p.x);
    v.rad_longitude = lon < 0 ? lon + 2 * kPi : lon;
    v.heading = heading;
    return v;
}

} // namespace

double ease_in_out(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return (1 - std::cos(kPi * t)) / 2;
}

double flight_fraction(double start, double seconds, double now)
{
    if (!(seconds > 0))
        return 1;
    return std::clamp((now - start) / seconds, 0.0, 1.0);
}

void slerp_quaternion(const double a[4], const double b[4], double t, double out[4])
{
    double c = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    // q and -q are the same turn: take the nearer one.
    double sign = c < 0 ? -1 : 1;
    c *= sign;
    double wa, wb;
    if (c > 0.9999995) {
        wa = 1 - t;
        wb = t;
    } else {
        double angle = std::acos(c);
        wa = std::sin((1 - t) * angle) / std::sin(angle);
        wb = std::sin(t * angle) / std::sin(angle);
    }
    double n = 0;
    for (int i = 0; i < 4; i++) {
        out[i] = wa * a[i] + sign * wb * b[i];
        n += out[i] * out[i];
    }
    n = std::sqrt(n);
    for (int i = 0; i < 4; i++)
        out[i] /= n;
}

bool flight_follows_centre(const double from[4], const double to[4], double ez)
{
    const Vec3 a = centre_point(view_of_orientation(from, ez));
    const Vec3 b = centre_point(view_of_orientation(to, ez));
    const double limit = std::cos(kFlightPoleMargin);
    for (int i = 0; i <= kPathSamples; i++)
        if (std::fabs(slerp_point(a, b, double(i) / kPathSamples).z) > limit)
            return false;
    return true;
}

FlightEnd flight_pose(const FlightEnd& from, const FlightEnd& to, bool follows_centre, double ez,
                      double e)
{
    FlightEnd at;
    if (e >= 1) {
        at = to;
    } else if (follows_centre) {
        const ViewAngles a = view_of_orientation(from.q, ez);
        const ViewAngles b = view_of_orientation(to.q, ez);
        const double heading = a.heading + e * std::remainder(b.heading - a.heading, 2 * kPi);
        const Vec3 centre = slerp_point(centre_point(a), centre_point(b), e);
        orientation_of_view(angles_of_point(centre, heading), ez, at.q);
    } else {
        slerp_quaternion(from.q, to.q, e, at.q);
    }
    if (e < 1) {
        // Equal factors of zoom per share of the flight, where both zooms
        // have the same sign.
        if (from.scale * to.scale > 0)
            at.scale = from.scale * std::pow(to.scale / from.scale, e);
        else
            at.scale = from.scale + e * (to.scale - from.scale);
        for (int i = 0; i < 2; i++)
            at.trans[i] = from.trans[i] + e * (to.trans[i] - from.trans[i]);
    }
    return at;
}
