// view_pose.cpp — orientation from view centre and heading, and back.
#include "view/view_pose.h"

#include <cmath>

#include "view/quaternion.h"

namespace {

// The configuration's degrees-to-radians value of pi, and init_rotate's
// quarter turn, so that a view built here equals the start-up one exactly.
constexpr double kDegreesPi = 3.14159265359;
constexpr double kQuarterTurn = 1.5707963;
const double kPi = 4 * std::atan(1.0);

// Angle in -pi .. pi.
double wrapped(double a)
{
    a = std::remainder(a, 2 * kPi);
    return a;
}

// Angle in 0 .. 2 pi.
double wrapped_positive(double a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

} // namespace

void orientation_of_view(const ViewAngles& angles, double ez, double q[4])
{
    double t1 = -angles.rad_latitude, t2 = -kQuarterTurn - angles.rad_longitude;
    if (ez < 0) {
        t1 += kPi;
        t2 += kPi;
    }
    const double a[4] = {std::cos(t1 / 2), std::sin(t1 / 2), 0, 0};
    const double b[4] = {std::cos(t2 / 2), 0, 0, std::sin(t2 / 2)};
    const double h[4] = {std::cos(angles.heading / 2), 0, 0, std::sin(angles.heading / 2)};
    double ab[4];
    qmul(ab, a, b);
    qmul(q, h, ab);
}

ViewAngles view_of_orientation(const double q[4], double ez)
{
    // The orientation is Rz(heading) Rx(t1) Rz(t2): proper Euler angles
    // z-x-z, read from the matrix. t1 lies in -pi .. 0 for a positive eye
    // distance and in 0 .. pi for a negative one, which picks one of the two
    // solutions.
    double m[16];
    qrot(m, q);
    const double r02 = m[8], r12 = m[9], r20 = m[2], r21 = m[6], r22 = m[10];
    const double sign = ez < 0 ? 1 : -1; // the sign of sin(t1)
    double t1 = sign * std::acos(std::fmax(-1.0, std::fmin(1.0, r22)));
    double heading, t2;
    if (std::sqrt(r02 * r02 + r12 * r12) > 1e-9) {
        heading = std::atan2(sign * r02, -sign * r12);
        t2 = std::atan2(sign * r20, sign * r21);
    } else {
        // A pole faces the eye: the two turns about z are one; the heading is
        // taken as 0.
        heading = 0;
        const double r00 = m[0], r10 = m[1];
        t2 = r22 > 0 ? std::atan2(r10, r00) : std::atan2(-r10, r00);
    }
    ViewAngles angles;
    angles.rad_latitude = ez < 0 ? kPi - t1 : -t1;
    angles.rad_longitude = wrapped_positive(-kQuarterTurn - t2 + (ez < 0 ? kPi : 0));
    angles.heading = wrapped(heading);
    return angles;
}

double latitude_to_polar_angle(double degrees)
{
    return (90 - degrees) * kDegreesPi / 180;
}

double longitude_to_radians(double degrees)
{
    return (degrees + 180) * kDegreesPi / 180;
}

double polar_angle_to_latitude(double polar_angle)
{
    return 90 - polar_angle * 180 / kDegreesPi;
}

double radians_to_longitude(double radians)
{
    double degrees = std::remainder(radians * 180 / kDegreesPi - 180, 360.0);
    return degrees == 180 ? -180 : degrees;
}

void spin_turn(double degrees, double q[4])
{
    const double half = degrees * kPi / 360;
    q[0] = std::cos(half);
    q[1] = q[2] = 0;
    q[3] = std::sin(half);
}
