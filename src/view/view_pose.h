// view_pose.h — a globe's orientation from the point at the centre of the
// view and the heading, and back. No GL here.
//
// Conventions as in orientation.h. The view centre is held as the
// configuration stores it: the polar angle from the north pole and the
// longitude + 180 degrees, both in radians. The heading is the compass
// direction that points up on the screen, in radians clockwise from north: 0
// keeps north up, pi/2 puts east up (north then points left).
#pragma once

struct ViewAngles {
    double rad_latitude = 0;  // polar angle of the view centre, 0 .. pi
    double rad_longitude = 0; // longitude + 180 degrees, 0 .. 2 pi
    double heading = 0;       // -pi .. pi
};

// The orientation that shows `angles`: the start-up turn of init_rotate (a
// turn about the polar axis, then about the screen's horizontal axis) and
// then the heading as a turn about the line of sight. With the eye at a
// negative distance (`ez` < 0) both start-up turns go half a turn further,
// as init_rotate does.
void orientation_of_view(const ViewAngles& angles, double ez, double q[4]);

// The angles whose orientation is `q` (a unit quaternion): the inverse of
// orientation_of_view. With the view centre on a pole the heading is 0 and
// the longitude takes the whole turn about the line of sight.
ViewAngles view_of_orientation(const double q[4], double ez);

// Degrees of latitude and longitude to the stored angles and back, with the
// configuration's value of pi. Longitudes come back in -180 .. 180.
double latitude_to_polar_angle(double degrees);
double longitude_to_radians(double degrees);
double polar_angle_to_latitude(double polar_angle);
double radians_to_longitude(double radians);

// The quaternion of a turn by `degrees` about the globe's own polar axis:
// the spin that the frame applies after the orientation.
void spin_turn(double degrees, double q[4]);
