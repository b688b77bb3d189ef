// orientation_test.cpp — initial view, north-up, view-space turns, the
// two-globe invariant, inertia, spin and the view reset.
#include "view/orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/clock.h"
#include "render/sphere_mesh.h"
#include "support/state_fixture.h"
#include "view/quaternion.h"

namespace {

const double kPi = 3.141592653589793;

class Orientation : public StateTest {
  protected:
    void TearDown() override
    {
        set_test_clock(-1);
        StateTest::TearDown();
    }
};

// What the configuration stores for "#Latitude" / "#Longitude" (and the "2" keys).
void set_view_centre(double lat, double lon, bool globe2 = false)
{
    (globe2 ? view.rad_latitude2 : view.rad_latitude) = (90 - lat) * 3.14159265359 / 180;
    (globe2 ? view.rad_longitude2 : view.rad_longitude) = (lon + 180) * 3.14159265359 / 180;
}

// The globe-2 tilt as the configuration forms it.
void set_tilt(double degrees, double ax, double ay)
{
    double a = degrees * kPi / 180;
    const double q[4] = {std::cos(a / 2), ax * std::sin(a / 2), ay * std::sin(a / 2), 0};
    const double qi[4] = {std::cos(-a / 2), ax * std::sin(-a / 2), ay * std::sin(-a / 2), 0};
    for (int i = 0; i < 4; i++) {
        view.qzure[i] = q[i];
        view.qzure_inv[i] = qi[i];
    }
}

// The model position the mesh gives the map pixel of (lat, lon): the vertex
// whose texture coordinates are s = (lon + 180) / 360, t = (90 - lat) / 180.
void map_point(double lat, double lon, double p[3])
{
    p[0] = p[1] = p[2] = 0;
    double s = (lon + 180) / 360, t = (90 - lat) / 180;
    for (const SphereCell& c : unit_sphere_mesh().cell) {
        for (int k = 0; k < 4; k++) {
            if (std::fabs(c.tex[k][0] - s) < 1e-9 && std::fabs(c.tex[k][1] - t) < 1e-9) {
                for (int i = 0; i < 3; i++)
                    p[i] = c.corner[k][i];
                return;
            }
        }
    }
    ADD_FAILURE() << "no mesh vertex at " << lat << ", " << lon;
}

void apply(const double m[16], const double v[3], double out[3])
{
    for (int r = 0; r < 3; r++)
        out[r] = m[r] * v[0] + m[4 + r] * v[1] + m[8 + r] * v[2];
}

// Where the map point (lat, lon) appears in view space on globe 1 / globe 2.
void shown_at(const double m[16], double lat, double lon, double out[3])
{
    double p[3];
    map_point(lat, lon, p);
    apply(m, p, out);
}

void expect_vec(const double got[3], double x, double y, double z, double tolerance = 1e-6)
{
    EXPECT_NEAR(got[0], x, tolerance);
    EXPECT_NEAR(got[1], y, tolerance);
    EXPECT_NEAR(got[2], z, tolerance);
}

void expect_matrix_of(const double m[16], const double q[4])
{
    double expected[16];
    qrot(expected, q);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(m[i], expected[i], 1e-12) << "element " << i;
}

void expect_synchronised()
{
    double expected[4];
    qmul(expected, view.qzure, view.cq);
    for (int i = 0; i < 4; i++)
        EXPECT_NEAR(view.cq2[i], expected[i], 1e-12) << "component " << i;
    expect_matrix_of(view.rt, view.cq);
    expect_matrix_of(view.rt2, view.cq2);
}

// Turns globe 1's committed orientation about the line of sight (test set-up).
void twist_globe1(double angle)
{
    const double d[4] = {std::cos(angle / 2), 0, 0, std::sin(angle / 2)};
    double q[4];
    qmul(q, d, view.cq);
    for (int i = 0; i < 4; i++)
        view.cq[i] = view.tq[i] = q[i];
    qrot(view.rt, view.cq);
}

void start_coasting(double half_angle, double dx, double dy)
{
    inertia.arhozon = inertia.arhozon2 = half_angle;
    inertia.dxhozon = dx;
    inertia.dyhozon = dy;
    inertia.ahozon = std::sqrt(dx * dx + dy * dy);
}

} // namespace

TEST_F(Orientation, ConfiguredPointFacesTheEyeWithNorthUp)
{
    const double centres[][2] = {{35, 135}, {0, 0},      {-45, -90}, {80, 175},
                                 {10, 180}, {-20, -180}, {-60, 45}};
    for (const auto& c : centres) {
        SCOPED_TRACE(testing::Message() << "lat " << c[0] << " lon " << c[1]);
        set_view_centre(c[0], c[1]);
        init_rotate();
        double at[3];
        shown_at(view.rt, c[0], c[1], at);
        expect_vec(at, 0, 0, 1);
        // The rotated polar axis points straight up on the screen.
        EXPECT_NEAR(view.rt[8], 0, 1e-6);
        EXPECT_GT(view.rt[9], 0);
        // Not mirrored: east lies to the right, north above.
        double east[3], north[3];
        shown_at(view.rt, c[0], c[1] + 5 > 180 ? c[1] - 355 : c[1] + 5, east);
        shown_at(view.rt, c[0] + 5, c[1], north);
        EXPECT_GT(east[0], 0.01);
        EXPECT_NEAR(east[1], 0, 0.01);
        EXPECT_GT(north[1], 0.05);
        EXPECT_NEAR(north[0], 0, 1e-6);
    }
}

TEST_F(Orientation, DateLineAndPoles)
{
    // Both ends of the map show the same meridian.
    set_view_centre(10, 180);
    init_rotate();
    double east_end[16];
    for (int i = 0; i < 16; i++)
        east_end[i] = view.rt[i];
    set_view_centre(10, -180);
    init_rotate();
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(view.rt[i], east_end[i], 1e-6);

    double at[3];
    set_view_centre(90, 30);
    init_rotate();
    shown_at(view.rt, 90, 0, at);
    expect_vec(at, 0, 0, 1);
    EXPECT_NEAR(std::hypot(view.rt[8], view.rt[9]), 0, 1e-6); // pole at the eye

    set_view_centre(-90, 30);
    init_rotate();
    shown_at(view.rt, -90, 0, at);
    expect_vec(at, 0, 0, 1);
    shown_at(view.rt, 90, 0, at);
    expect_vec(at, 0, 0, -1);
}

TEST_F(Orientation, SecondGlobeAtStartUpFollowsTheSynchronisationMode)
{
    set_view_centre(35, 135);
    set_view_centre(-30, 60, true);
    double at[3];

    view.rotsynch = 0;
    wnd.nsphere = 2;
    init_rotate();
    shown_at(view.rt2, -30, 60, at);
    expect_vec(at, 0, 0, 1);
    expect_matrix_of(view.rt2, view.tq2);

    reset_viewer_state();
    set_view_centre(-30, 60, true);
    view.rotsynch = 0; // one globe: globe 2 has no view of its own
    init_rotate();
    EXPECT_EQ(view.cq2[0], 1);

    reset_viewer_state();
    set_view_centre(35, 135);
    set_tilt(30, 0.6, 0.8);
    init_rotate();
    expect_synchronised();

    // rotsynch 2: globe 2 starts at its identity orientation, with a real
    // matrix and working quaternion, so committing it keeps a valid rotation.
    reset_viewer_state();
    view.rotsynch = 2;
    wnd.nsphere = 2;
    init_rotate();
    expect_matrix_of(view.rt2, view.cq2);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(view.tq2[i], view.cq2[i]);
    EXPECT_EQ(view.rt2[0], 1);
}

TEST_F(Orientation, NorthUpBringsALowerLeftPoleUpAndKeepsTheCentre)
{
    for (int rotsynch : {0, 1}) {
        for (bool second : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "rotsynch " << rotsynch << " window " << (second ? 2 : 1));
            reset_viewer_state();
            view.rotsynch = rotsynch;
            wnd.nsphere = 2;
            set_tilt(rotsynch == 1 ? 25 : 0, 1, 0);
            set_view_centre(35, 135);
            set_view_centre(35, 135, true);
            init_rotate();
            double upright[16];
            for (int i = 0; i < 16; i++)
                upright[i] = view.rt[i];

            twist_globe1(135 * kPi / 180);
            if (rotsynch == 1) {
                qmul(view.cq2, view.qzure, view.cq);
                qrot(view.rt2, view.cq2);
            } else {
                for (int i = 0; i < 4; i++)
                    view.cq2[i] = view.cq[i];
                qrot(view.rt2, view.cq2);
            }
            const double* m = second ? view.rt2 : view.rt;
            ASSERT_LT(m[8], 0);
            ASSERT_LT(m[9], 0);

            north_up(second);
            EXPECT_NEAR(m[8], 0, 1e-9);
            EXPECT_GT(m[9], 0);
            if (!second || rotsynch == 0) {
                // Globe 1 (or the independent globe 2) is back at its upright view.
                for (int i = 0; i < 16; i++)
                    EXPECT_NEAR(m[i], upright[i], 1e-9);
                double at[3];
                shown_at(m, 35, 135, at);
                expect_vec(at, 0, 0, 1);
            }
            if (rotsynch == 1) {
                expect_synchronised();
            } else if (second) {
                // Globe 1 stays twisted.
                EXPECT_NEAR(view.rt[9], -std::sqrt(0.5) * upright[9], 1e-9);
            }
        }
    }
}

TEST_F(Orientation, NorthUpLeavesAPoleAtTheEyeAndFlipsForAnEyeBehind)
{
    init_rotate(); // "#Latitude" 90: the pole faces the eye
    double before[4];
    for (int i = 0; i < 4; i++)
        before[i] = view.cq[i];
    north_up(false);
    for (int i = 0; i < 4; i++)
        EXPECT_NEAR(view.cq[i], before[i], 1e-15);

    // An eye on -z looks with the up vector -y: north must end on -y.
    reset_viewer_state();
    set_view_centre(35, 135);
    init_rotate();
    twist_globe1(-0.3);
    wnd.ez = -20;
    north_up(false);
    EXPECT_NEAR(view.rt[8], 0, 1e-9);
    EXPECT_LT(view.rt[9], 0);
}

TEST_F(Orientation, ViewTurnMovesTheFrontWithThePointer)
{
    set_view_centre(35, 135);
    init_rotate();
    // Right by 0.1 window heights, half-angle 0.2: the front turns 0.4 rad right.
    view_turn(false, 0.1, 0, 0.1, 0.2, true);
    double at[3];
    shown_at(view.rt, 35, 135, at);
    expect_vec(at, std::sin(0.4), 0, std::cos(0.4));

    init_rotate();
    view_turn(false, 0, 0.1, 0.1, 0.2, true); // downwards
    shown_at(view.rt, 35, 135, at);
    expect_vec(at, 0, -std::sin(0.4), std::cos(0.4));

    // A zero-length step turns nothing.
    init_rotate();
    double before[16];
    for (int i = 0; i < 16; i++)
        before[i] = view.rt[i];
    view_turn(false, 0, 0, 0, 0, true);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(view.rt[i], before[i]);
}

TEST_F(Orientation, IndependentTurnCommitsOnlyWhenAsked)
{
    view.rotsynch = 0;
    wnd.nsphere = 2;
    set_view_centre(35, 135);
    set_view_centre(-10, 20, true);
    init_rotate();
    double cq[4], cq2[4];
    for (int i = 0; i < 4; i++) {
        cq[i] = view.cq[i];
        cq2[i] = view.cq2[i];
    }

    view_turn(true, 0.1, 0, 0.1, 0.2, false); // arrow key in window 2
    expect_matrix_of(view.rt2, view.tq2);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(view.cq2[i], cq2[i]);
        EXPECT_EQ(view.cq[i], cq[i]);
        EXPECT_EQ(view.tq[i], cq[i]);
    }
    double at[3];
    shown_at(view.rt2, -10, 20, at);
    expect_vec(at, std::sin(0.4), 0, std::cos(0.4));

    view_turn(true, 0.1, 0, 0.1, 0.2, true); // drag: turns from cq2 again, then commits
    shown_at(view.rt2, -10, 20, at);
    expect_vec(at, std::sin(0.4), 0, std::cos(0.4));
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(view.cq2[i], view.tq2[i]);

    view_turn(false, 0.1, 0, 0.1, 0.2, true); // globe 1 alone
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(view.cq2[i], view.tq2[i]);
    shown_at(view.rt2, -10, 20, at);
    expect_vec(at, std::sin(0.4), 0, std::cos(0.4));
}

TEST_F(Orientation, SynchronisedGlobesKeepTheirTiltThroughEveryChange)
{
    set_tilt(30, 0.6, 0.8);
    set_view_centre(35, 135);
    init_rotate();
    expect_synchronised();

    view_turn(false, 0.02, -0.01, std::hypot(0.02, 0.01), 0.05, true);
    expect_synchronised();
    view_turn(true, -0.03, 0.04, 0.05, 0.08, true);
    expect_synchronised();
    // An arrow key still commits both globes when synchronised.
    view_turn(false, 0.01, 0, 0.01, 0.03, false);
    expect_synchronised();
    view_turn(true, 0, 0.01, 0.01, 0.03, false);
    expect_synchronised();
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(view.cq[i], view.tq[i]);
        EXPECT_EQ(view.cq2[i], view.tq2[i]);
    }

    start_coasting(0.3, 0.1, 0.2);
    inertia.arhozon_2 = inertia.arhozon2_2 = 0.4;
    inertia.dxhozon_2 = -0.2;
    inertia.dyhozon_2 = 0.1;
    inertia.ahozon_2 = std::hypot(0.2, 0.1);
    for (int frame = 0; frame < 20; frame++) {
        step_inertia_globe1();
        step_inertia_globe2();
        expect_synchronised();
    }

    twist_globe1(2.0);
    qmul(view.cq2, view.qzure, view.cq);
    qrot(view.rt2, view.cq2);
    north_up(false);
    expect_synchronised();
    twist_globe1(-2.5);
    qmul(view.cq2, view.qzure, view.cq);
    qrot(view.rt2, view.cq2);
    north_up(true);
    expect_synchronised();
    EXPECT_NEAR(view.rt2[8], 0, 1e-9);
}

TEST_F(Orientation, CoastingDecaysAndEndsAfterTheDefaultStepCount)
{
    set_view_centre(35, 135);
    init_rotate();
    start_coasting(0.5, 0.3, 0.4);

    // First frame: 4 % of the step, along the drag, then 0.5 % slower.
    step_inertia_globe1();
    double at[3];
    shown_at(view.rt, 35, 135, at);
    expect_vec(at, 0.6 * std::sin(0.04), -0.8 * std::sin(0.04), std::cos(0.04));
    EXPECT_DOUBLE_EQ(inertia.arhozon2, 0.5 * 0.995);

    int turns = 1;
    for (int frame = 0; frame < 2000 && inertia.arhozon != 0; frame++) {
        double before[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
        step_inertia_globe1();
        if (!std::equal(before, before + 4, view.cq))
            turns++;
    }
    EXPECT_EQ(turns, 781);
    EXPECT_EQ(inertia.arhozon2, 0);
    EXPECT_EQ(inertia.dxhozon, 0);
    EXPECT_EQ(inertia.dyhozon, 0);
    EXPECT_EQ(inertia.ahozon, 0.5); // the length is kept

    double after[4];
    for (int i = 0; i < 4; i++)
        after[i] = view.cq[i];
    step_inertia_globe1();
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(view.cq[i], after[i]);
}

TEST_F(Orientation, CoastingNeedsAStepAboveTheThreshold)
{
    // Globe 1 starts at the identity orientation of the state block.
    for (double h : {0.1, -0.1, 0.05}) {
        start_coasting(h, 0.3, 0.4);
        step_inertia_globe1();
        EXPECT_EQ(inertia.arhozon2, h) << h;
        EXPECT_EQ(view.cq[0], 1) << h;
    }
    start_coasting(-0.2, 0.3, 0.4); // a large step either way coasts
    step_inertia_globe1();
    EXPECT_DOUBLE_EQ(inertia.arhozon2, -0.2 * 0.995);
    EXPECT_LT(view.cq[0], 1);

    // A set without a direction ends instead of turning by 0/0.
    view.cq[0] = 1;
    view.cq[1] = view.cq[2] = view.cq[3] = 0;
    start_coasting(0.5, 0, 0);
    step_inertia_globe1();
    EXPECT_EQ(inertia.arhozon, 0);
    EXPECT_EQ(view.cq[0], 1);
}

TEST_F(Orientation, IndependentCoastingTurnsOnlyItsGlobe)
{
    view.rotsynch = 0;
    wnd.nsphere = 2;
    inertia.arhozon_2 = inertia.arhozon2_2 = 0.5;
    inertia.dxhozon_2 = 1;
    inertia.ahozon_2 = 1;
    step_inertia_globe1();
    step_inertia_globe2();
    EXPECT_EQ(view.cq[0], 1);
    EXPECT_NEAR(view.cq2[0], std::cos(0.02), 1e-15);
    EXPECT_NEAR(view.cq2[2], std::sin(0.02), 1e-15); // about the view y axis
    expect_matrix_of(view.rt2, view.cq2);
}

TEST_F(Orientation, SpinStepsAtMostOncePerCallInTheLevelsDirection)
{
    step_spin(100); // spin off
    EXPECT_EQ(spin.thetajiten, 0);
    EXPECT_EQ(spin.jitenjikan2, 0);

    spin.jitenornot = 1;
    step_spin(100); // long overdue: still one step
    EXPECT_NEAR(spin.thetajiten, 0.018, 1e-12);
    EXPECT_EQ(spin.jitenjikan1, 100);
    step_spin(100); // no time passed
    EXPECT_NEAR(spin.thetajiten, 0.018, 1e-12);
    step_spin(100.001);
    EXPECT_NEAR(spin.thetajiten, 0.036, 1e-12);

    spin.thetajiten = 0;
    spin.jitensokudo = 0;
    step_spin(200);
    EXPECT_EQ(spin.thetajiten, 0);

    spin.jitensokudo = -6;
    step_spin(300);
    EXPECT_NEAR(spin.thetajiten, -0.018, 1e-12);

    // The interval must be exceeded, not just reached.
    spin.thetajiten = 0;
    spin.jiten_speed = 0.5;
    spin.jitenjikan1 = 10;
    step_spin(10.5);
    EXPECT_EQ(spin.thetajiten, 0);
    EXPECT_EQ(spin.jitenjikan2, 10.5);
    step_spin(10.75);
    EXPECT_NE(spin.thetajiten, 0);
}

TEST_F(Orientation, ResetRestoresViewAndOptionallyTheFrame)
{
    set_view_centre(35, 135);
    view.init_scale_factor = 1.5f;
    view.init_scale_factor2 = 0.7f;
    view.trans_x = 0.25;
    view.trans_y = -0.1;
    view.trans_x2 = 0.3;
    view.trans_y2 = 0.4;
    init_rotate();
    double start[4];
    for (int i = 0; i < 4; i++)
        start[i] = view.cq[i];

    auto disturb = [] {
        view_turn(false, 0.1, 0.2, std::hypot(0.1, 0.2), 0.3, true);
        spin.thetajiten = 12;
        spin.jitenornot = 1;
        view.scale_factor = view.scale_factor2 = 3;
        view.trans[0] = view.trans2[1] = 9;
        play.ntime = 7;
        play.jikan1 = 5;
    };

    disturb();
    set_test_clock(42);
    reset_view();
    for (int i = 0; i < 4; i++) {
        EXPECT_NEAR(view.cq[i], start[i], 1e-15);
        EXPECT_NEAR(view.tq[i], start[i], 1e-15);
    }
    EXPECT_EQ(spin.thetajiten, 0);
    EXPECT_EQ(spin.jitenornot, 1); // spinning goes on from angle 0
    EXPECT_EQ(view.scale_factor, 1.5f);
    EXPECT_EQ(view.scale_factor2, 0.7f);
    EXPECT_EQ(view.trans[0], 0.25f);
    EXPECT_EQ(view.trans[1], -0.1f);
    EXPECT_EQ(view.trans2[0], 0.3f);
    EXPECT_EQ(view.trans2[1], 0.4f);
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.jikan1, 42);

    disturb();
    reset_view_keep_frame();
    EXPECT_NEAR(view.cq[0], start[0], 1e-15);
    EXPECT_EQ(spin.thetajiten, 0);
    EXPECT_EQ(view.scale_factor, 1.5f);
    EXPECT_EQ(view.trans2[1], 0.4f);
    EXPECT_EQ(play.ntime, 7);
    EXPECT_EQ(play.jikan1, 5);
}

TEST_F(Orientation, ResetKeepsGlobeTwoInTheKeepingMode)
{
    view.rotsynch = 2;
    wnd.nsphere = 2;
    set_view_centre(35, 135, true);
    init_rotate();
    view_turn(true, 0.1, 0, 0.1, 0.2, true);
    double turned[4];
    for (int i = 0; i < 4; i++)
        turned[i] = view.cq2[i];
    reset_view();
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(view.cq2[i], turned[i]);
        EXPECT_EQ(view.tq2[i], turned[i]);
    }
    expect_matrix_of(view.rt2, turned);

    // Mode 0 gives globe 2 its own initial view back.
    view.rotsynch = 0;
    reset_view();
    double at[3];
    shown_at(view.rt2, 35, 135, at);
    expect_vec(at, 0, 0, 1);
}
