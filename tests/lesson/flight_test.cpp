// flight_test.cpp — views from centre and heading, the flight between two
// views, and which settings change the maps shown.
#include "lesson/flight.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lesson/series_identity.h"
#include "support/state_fixture.h"
#include "view/orientation.h"
#include "view/view_pose.h"

namespace {

const double kPi = 4 * std::atan(1.0);

ViewAngles place(double latitude, double longitude, double heading_degrees = 0)
{
    return {latitude_to_polar_angle(latitude), longitude_to_radians(longitude),
            heading_degrees * kPi / 180};
}

FlightEnd pose_at(double latitude, double longitude, double heading = 0, double scale = 1,
                  double ez = 1)
{
    FlightEnd pose;
    orientation_of_view(place(latitude, longitude, heading), ez, pose.q);
    pose.scale = scale;
    return pose;
}

// Latitude, longitude and heading in degrees of orientation q.
struct Degrees {
    double latitude, longitude, heading;
};
Degrees degrees_of(const double q[4], double ez = 1)
{
    ViewAngles v = view_of_orientation(q, ez);
    return {polar_angle_to_latitude(v.rad_latitude), radians_to_longitude(v.rad_longitude),
            v.heading * 180 / kPi};
}

void expect_same_turn(const double a[4], const double b[4])
{
    double d = 0;
    for (int i = 0; i < 4; i++)
        d += a[i] * b[i];
    EXPECT_NEAR(std::fabs(d), 1, 1e-9);
}

} // namespace

TEST(ViewPose, CentreAndHeadingComeBackFromTheOrientation)
{
    struct Case {
        double latitude, longitude, heading, ez;
    } cases[] = {
        {0, 0, 0, 1},       {35.7, 139.7, 0, 1}, {-33.9, -70.6, 45, 1},
        {60, 179, -120, 1}, {10, 20, 170, -1},   {-80, -100, 0, -1},
    };
    for (const Case& c : cases) {
        double q[4];
        orientation_of_view(place(c.latitude, c.longitude, c.heading), c.ez, q);
        Degrees back = degrees_of(q, c.ez);
        EXPECT_NEAR(back.latitude, c.latitude, 1e-6) << c.latitude << " " << c.ez;
        EXPECT_NEAR(back.longitude, c.longitude, 1e-6) << c.longitude << " " << c.ez;
        EXPECT_NEAR(back.heading, c.heading, 1e-6) << c.heading << " " << c.ez;
    }
}

TEST_F(StateTest, StartUpOrientationIsTheViewOfTheConfiguredPlace)
{
    for (double ez : {5.0, -5.0}) {
        reset_viewer_state();
        wnd.ez = ez;
        view.rad_latitude = latitude_to_polar_angle(48);
        view.rad_longitude = longitude_to_radians(12);
        view.heading = 30;
        init_rotate();
        double q[4];
        orientation_of_view(place(48, 12, 30), ez, q);
        expect_same_turn(view.cq, q);
    }
}

TEST(Flight, EaseIsSlowAtBothEndsAndTimeDoesNotDependOnTheFrames)
{
    EXPECT_DOUBLE_EQ(ease_in_out(0), 0);
    EXPECT_DOUBLE_EQ(ease_in_out(1), 1);
    EXPECT_NEAR(ease_in_out(0.5), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(ease_in_out(-1), 0);
    EXPECT_DOUBLE_EQ(ease_in_out(2), 1);
    // Near the ends far less happens than in the middle, and it never goes back.
    EXPECT_LT(ease_in_out(0.05), 0.05 / 4);
    EXPECT_GT(ease_in_out(0.95), 1 - 0.05 / 4);
    for (double t = 0; t < 1; t += 0.01)
        EXPECT_LE(ease_in_out(t), ease_in_out(t + 0.01));
    // The share done is wall-clock time over the length.
    EXPECT_DOUBLE_EQ(flight_fraction(10, 1.5, 10.75), 0.5);
    EXPECT_DOUBLE_EQ(flight_fraction(10, 1.5, 9), 0);
    EXPECT_DOUBLE_EQ(flight_fraction(10, 1.5, 20), 1);
    EXPECT_DOUBLE_EQ(flight_fraction(10, 0, 10), 1);
}

TEST(Flight, SlerpKeepsItsEndsAndTakesTheShorterWay)
{
    const FlightEnd a = pose_at(0, 0), b = pose_at(0, 90);
    double q[4];
    slerp_quaternion(a.q, b.q, 0, q);
    expect_same_turn(q, a.q);
    slerp_quaternion(a.q, b.q, 1, q);
    expect_same_turn(q, b.q);
    // -b is the same turn as b: halfway is the same either way.
    const double minus_b[4] = {-b.q[0], -b.q[1], -b.q[2], -b.q[3]};
    double half[4], half_minus[4];
    slerp_quaternion(a.q, b.q, 0.5, half);
    slerp_quaternion(a.q, minus_b, 0.5, half_minus);
    expect_same_turn(half, half_minus);
    EXPECT_NEAR(degrees_of(half).longitude, 45, 1e-6);
}

TEST(Flight, PosesRunFromStartToTargetWithNorthUpUnlessAHeadingIsSet)
{
    struct Case {
        FlightEnd from, to;
        double ez;
        double mid_heading; // degrees, halfway
    } cases[] = {
        {pose_at(10, 0), pose_at(50, 120), 5, 0},
        {pose_at(-30, -60, 0, 1, -5), pose_at(40, 30, 0, 1, -5), -5, 0},
        {pose_at(0, 0), pose_at(20, 40, 60), 5, 30},
    };
    for (const Case& c : cases) {
        const double ez = c.ez;
        ASSERT_TRUE(flight_follows_centre(c.from.q, c.to.q, ez));
        expect_same_turn(flight_pose(c.from, c.to, true, ez, 0).q, c.from.q);
        expect_same_turn(flight_pose(c.from, c.to, true, ez, 1).q, c.to.q);
        for (double e : {0.25, 0.5, 0.75}) {
            Degrees at = degrees_of(flight_pose(c.from, c.to, true, ez, e).q, ez);
            EXPECT_NEAR(at.heading, c.mid_heading * e / 0.5, 1e-6) << e;
        }
    }
}

TEST(Flight, APathOverAPoleIsSlerpedAndZoomAndShiftAreInterpolated)
{
    FlightEnd from = pose_at(70, 0, 0, 1), to = pose_at(70, 180, 0, 4);
    to.trans[0] = 2;
    EXPECT_FALSE(flight_follows_centre(from.q, to.q, 5));
    FlightEnd half = flight_pose(from, to, false, 5, 0.5);
    double q[4];
    slerp_quaternion(from.q, to.q, 0.5, q);
    expect_same_turn(half.q, q);
    EXPECT_NEAR(half.scale, 2, 1e-9); // equal factors: 1, 2, 4
    EXPECT_NEAR(half.trans[0], 1, 1e-9);
    // Zooms of opposite signs (an eye behind the globe) go in a line.
    from.scale = -1;
    EXPECT_NEAR(flight_pose(from, to, false, 5, 0.5).scale, 1.5, 1e-9);
    EXPECT_DOUBLE_EQ(flight_pose(from, to, false, 5, 1).scale, 4);
}

TEST(SeriesIdentity, OnlyTheSeriesShownDecideAReload)
{
    SeriesIdentity base;
    base.names[0] = "map/earth";
    base.names[1] = "jpg";
    base.number_of_textures = 1;
    base.nsphere = 1;
    struct Case {
        const char* what;
        void (*change)(SeriesIdentity&);
        bool differs;
    } cases[] = {
        {"nothing", [](SeriesIdentity&) {}, false},
        {"map name", [](SeriesIdentity& s) { s.names[0] = "map/sst"; }, true},
        {"screen suffix", [](SeriesIdentity& s) { s.names[3] = "png"; }, true},
        {"numbering", [](SeriesIdentity& s) { s.tex_end = 5; }, true},
        {"unused second layer", [](SeriesIdentity& s) { s.names[4] = "map/wind"; }, false},
        {"second layer on",
         [](SeriesIdentity& s) {
             s.names[4] = "map/wind";
             s.number_of_textures = 2;
         },
         true},
        {"globe 2 without its own maps", [](SeriesIdentity& s) { s.names[8] = "map/x"; }, false},
        {"globe 2 with its own maps",
         [](SeriesIdentity& s) {
             s.nsphere = 2;
             s.second_sphere_texture = 1;
         },
         true},
    };
    for (const Case& c : cases) {
        SeriesIdentity other = base;
        c.change(other);
        EXPECT_EQ(maps_differ(base, other), c.differs) << c.what;
        EXPECT_EQ(maps_differ(other, base), c.differs) << c.what;
    }
}
