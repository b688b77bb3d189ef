// mouse_drag_test.cpp — left-button gestures without a display: turn, zoom
// and shift drags, coasting records, the jump correction, icon clicks and the
// commit on release, in window 1 and in window 2 on its own.
#include "view/mouse_drag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "support/state_fixture.h"
#include "view/orientation.h"

namespace {

const double kPi = 3.141592653589793;

std::vector<int> icons_run;
void record_icon(int i)
{
    icons_run.push_back(i);
}

// Two 800 x 600 windows as the reshape handler leaves them, with the start-up view.
class MouseDrag : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        icons_run.clear();
        wnd.sx[0] = wnd.sx[1] = 1.0 / 800;
        wnd.sy[0] = wnd.sy[1] = 1.0 / 600;
        init_rotate();
    }
};

// A whole gesture: press at the first position, one motion event for each
// further one, release at the last.
void gesture(const std::vector<std::pair<int, int>>& path, bool second_window = false,
             int modifiers = 0)
{
    take_modifier_flags(modifiers);
    press_left_button(path.front().first, path.front().second, second_window, 1);
    for (size_t i = 1; i < path.size(); i++)
        drag_pointer(path[i].first, path[i].second, second_window);
    take_modifier_flags(modifiers);
    release_left_button(path.back().first, path.back().second, second_window, record_icon);
}

// Where the model point that faced the eye in `before` appears under `after`.
void front_moves_to(const double before[16], const double after[16], double out[3])
{
    const double m[3] = {before[2], before[6], before[10]}; // row 2: the inverse turn of +z
    for (int r = 0; r < 3; r++)
        out[r] = after[r] * m[0] + after[4 + r] * m[1] + after[8 + r] * m[2];
}

void copy16(double dst[16], const double src[16])
{
    for (int i = 0; i < 16; i++)
        dst[i] = src[i];
}

void expect_same_quaternion(const double a[4], const double b[4])
{
    for (int i = 0; i < 4; i++)
        EXPECT_NEAR(a[i], b[i], 1e-12) << "component " << i;
}

bool same_quaternion(const double a[4], const double b[4])
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

} // namespace

TEST_F(MouseDrag, RightwardDragTurnsTheFrontRightAndDownwardDragTurnsItDown)
{
    double start[16], at[3];
    copy16(start, view.rt);
    gesture({{400, 300}, {430, 300}});
    // 30 pixels are 0.05 window heights: half-angle 0.05 pi, a turn of 0.1 pi.
    front_moves_to(start, view.rt, at);
    EXPECT_NEAR(at[0], std::sin(0.1 * kPi), 1e-9);
    EXPECT_NEAR(at[1], 0, 1e-9);
    EXPECT_NEAR(at[2], std::cos(0.1 * kPi), 1e-9);
    expect_same_quaternion(view.cq, view.tq);

    // Twice the zoom, half the turn; downwards on the screen is -y in view space.
    copy16(start, view.rt);
    view.scale_factor = 2;
    gesture({{400, 300}, {400, 330}});
    front_moves_to(start, view.rt, at);
    EXPECT_NEAR(at[0], 0, 1e-9);
    EXPECT_NEAR(at[1], -std::sin(0.05 * kPi), 1e-9);
}

TEST_F(MouseDrag, FastLastStepLeavesCoastingAndSlowOneDoesNot)
{
    // 60 pixels in one event: half-angle 0.1 pi, above the 0.1 start threshold.
    gesture({{300, 300}, {330, 300}, {390, 300}});
    EXPECT_DOUBLE_EQ(inertia.arhozon, 0.1 * kPi);
    EXPECT_DOUBLE_EQ(inertia.arhozon2, 0.1 * kPi);
    EXPECT_DOUBLE_EQ(inertia.dxhozon, 0.1);
    EXPECT_DOUBLE_EQ(inertia.dyhozon, 0);
    EXPECT_DOUBLE_EQ(inertia.ahozon, 0.1);
    double before[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    step_inertia_globe1();
    EXPECT_FALSE(same_quaternion(before, view.cq)) << "the globe coasts after the release";

    // A fast drag that ends with a slow step (10 pixels, half-angle 0.0167 pi).
    gesture({{300, 300}, {360, 300}, {370, 300}});
    EXPECT_NEAR(inertia.arhozon, kPi / 60, 1e-12);
    double held[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    step_inertia_globe1();
    EXPECT_TRUE(same_quaternion(held, view.cq));
}

TEST_F(MouseDrag, PressStopsCoastingOfTheGlobesBeingDragged)
{
    auto coast_both = [] {
        inertia.arhozon = inertia.arhozon2 = inertia.arhozon_2 = inertia.arhozon2_2 = 0.3;
        inertia.dxhozon = inertia.dxhozon_2 = inertia.ahozon = inertia.ahozon_2 = 0.1;
    };
    coast_both();
    press_left_button(10, 10, true, 2);
    EXPECT_EQ(inertia.arhozon, 0) << "synchronised globes stop together";
    EXPECT_EQ(inertia.arhozon2_2, 0);
    EXPECT_EQ(inertia.ahozon, 0);

    view.rotsynch = 0;
    coast_both();
    press_left_button(10, 10, true, 2);
    EXPECT_EQ(inertia.arhozon_2, 0);
    EXPECT_EQ(inertia.dxhozon_2, 0);
    EXPECT_EQ(inertia.arhozon, 0.3) << "globe 1 keeps coasting";
    coast_both();
    press_left_button(10, 10, false, 1);
    EXPECT_EQ(inertia.arhozon, 0);
    EXPECT_EQ(inertia.arhozon_2, 0.3);
}

TEST_F(MouseDrag, StepAcrossTheWholeWindowCountsAsAJumpTheShortWayRound)
{
    // Reference: 20 pixels to the right, then 20 pixels down.
    gesture({{790, 300}, {810, 300}});
    double right[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    init_rotate();
    gesture({{400, 590}, {400, 610}});
    double down[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};

    // The pointer leaves on the right and comes back 20 pixels in on the left:
    // -780 pixels, corrected by one window width (800 / 600 heights).
    init_rotate();
    view.drag_dx = view.drag_dy = 0;
    gesture({{790, 300}, {10, 300}});
    expect_same_quaternion(view.cq, right);
    EXPECT_NEAR(view.drag_dx, 20.0 / 600, 1e-12) << "the corrected step is kept";
    EXPECT_NEAR(inertia.dxhozon, 20.0 / 600, 1e-12);

    // The same vertically, corrected by one window height.
    init_rotate();
    view.drag_dx = view.drag_dy = 0;
    gesture({{400, 590}, {400, 10}});
    expect_same_quaternion(view.cq, down);

    // A long step within seven tenths of the window is taken as it is.
    view.drag_dx = view.drag_dy = 0;
    gesture({{100, 300}, {640, 300}});
    EXPECT_NEAR(view.drag_dx, 0.9, 1e-12);
    // ...and so is a step like the previous one, however long.
    drag_pointer(1180, 300, false);
    EXPECT_NEAR(view.drag_dx, 0.9, 1e-12);
}

TEST_F(MouseDrag, JumpCorrectionComparesWithThePreviousStep)
{
    const double w = 4.0 / 3;
    double dx = 0.2, dy = -0.2;
    correct_drag_jump(-0.6, 0.6, w, &dx, &dy); // 0.8 apart: in x within 0.7 w, in y beyond 0.7
    EXPECT_DOUBLE_EQ(dx, 0.2);
    EXPECT_DOUBLE_EQ(dy, 0.8);
    dx = -0.5;
    dy = 0.5;
    correct_drag_jump(0.5, -0.1, w, &dx, &dy);
    EXPECT_DOUBLE_EQ(dx, -0.5 + w);
    EXPECT_DOUBLE_EQ(dy, 0.5) << "0.6 apart is no jump";
    dx = 0.95;
    dy = 0;
    correct_drag_jump(0, 0.71, w, &dx, &dy);
    EXPECT_DOUBLE_EQ(dx, 0.95 - w);
    EXPECT_DOUBLE_EQ(dy, 1);
}

TEST_F(MouseDrag, ShiftDragZoomsEvenWithAltHeld)
{
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    gesture({{400, 300}, {400, 240}}, false, kModifierShift | kModifierAlt);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.1f);
    EXPECT_EQ(view.trans[0], 0);
    EXPECT_EQ(view.trans[1], 0);
    expect_same_quaternion(view.cq, cq);
    EXPECT_EQ(view.cx, 400);
    EXPECT_EQ(view.cy, 240);

    // A drag upwards by the window's height doubles the zoom in one event.
    gesture({{400, 500}, {400, -100}}, false, kModifierShift);
    EXPECT_FLOAT_EQ(view.scale_factor, 2.2f);
    gesture({{400, 100}, {400, 400}}, false, kModifierShift);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.1f);
}

TEST_F(MouseDrag, ZoomDragStopsShortOfTheNearPlane)
{
    view.scale_factor = 19;
    gesture({{400, 500}, {400, 200}}, false, kModifierShift); // would be 28.5
    EXPECT_EQ(view.scale_factor, static_cast<float>(20.0 - 0.1));
    gesture({{400, 500}, {400, 450}}, false, kModifierShift);
    EXPECT_EQ(view.scale_factor, static_cast<float>(20.0 - 0.1));
    EXPECT_FLOAT_EQ(zoom_after_drag(9.0f, 300, 0, 1.0 / 600, 10.0, 0.5), 9.5f);

    // A negative eye position stores the zoom negated: the bound holds for the
    // magnitude, and a drag upwards still enlarges the globe.
    EXPECT_FLOAT_EQ(zoom_after_drag(-1.0f, 300, 240, 1.0 / 600, -20.0, 0.1), -1.1f);
    EXPECT_FLOAT_EQ(zoom_after_drag(-19.0f, 300, 0, 1.0 / 600, -20.0, 0.1), -19.9f);
}

TEST_F(MouseDrag, ZoomDragNeverReachesZeroOrFlipsTheGlobe)
{
    // One event down by the window's height (the pointer held outside the
    // window) would multiply by 0; by more, by a negative number.
    EXPECT_EQ(zoom_after_drag(1.0f, 0, 600, 1.0 / 600, 20.0, 0.1), kMinDragZoom);
    EXPECT_EQ(zoom_after_drag(1.0f, 0, 1500, 1.0 / 600, 20.0, 0.1), kMinDragZoom);
    EXPECT_EQ(zoom_after_drag(-1.0f, 0, 1500, 1.0 / 600, -20.0, 0.1), -kMinDragZoom);
    // A zoom already below the floor (zoom keys) is not raised by a drag down.
    EXPECT_EQ(zoom_after_drag(0.004f, 0, 300, 1.0 / 600, 20.0, 0.1), 0.004f);
    EXPECT_FLOAT_EQ(zoom_after_drag(0.004f, 300, 0, 1.0 / 600, 20.0, 0.1), 0.006f);

    // The globe can be turned and zoomed back after such an event.
    gesture({{400, 0}, {400, 900}}, false, kModifierShift);
    EXPECT_EQ(view.scale_factor, kMinDragZoom);
    gesture({{400, 300}, {400, 0}}, false, kModifierShift);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.5f * kMinDragZoom);
    gesture({{400, 300}, {401, 300}});
    for (double c : view.cq)
        EXPECT_TRUE(std::isfinite(c));
}

TEST_F(MouseDrag, AltDragShiftsByTwiceTheFractionOverTheZoom)
{
    view.scale_factor = 2;
    view.trans[0] = 0.5f;
    view.trans[1] = 0.25f;
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    // 80 pixels right and 60 down: a tenth of the width and of the height.
    gesture({{400, 300}, {480, 360}}, false, kModifierAlt);
    EXPECT_FLOAT_EQ(view.trans[0], 0.6f);
    EXPECT_FLOAT_EQ(view.trans[1], 0.15f);
    EXPECT_FLOAT_EQ(view.scale_factor, 2);
    expect_same_quaternion(view.cq, cq);
    EXPECT_DOUBLE_EQ(view.drag_dx, 0.1) << "a shift step becomes the previous drag step";
    EXPECT_DOUBLE_EQ(view.drag_dy, 0.1);
}

TEST_F(MouseDrag, NoMouseDragBlocksTurnZoomAndShiftButNotClicks)
{
    view.nomousedrag = 1;
    icons.icon_onoff[0] = 1;
    icons.icon_posi_x_window[0][0][0] = 100;
    icons.icon_posi_x_window[0][0][1] = 150;
    icons.icon_posi_y_window[0][0][0] = 200;
    icons.icon_posi_y_window[0][0][1] = 250;
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    for (int modifiers : {0, kModifierShift, kModifierAlt}) {
        SCOPED_TRACE(modifiers);
        take_modifier_flags(modifiers);
        press_left_button(400, 300, false, 1);
        EXPECT_FALSE(drag_pointer(500, 100, false));
        release_left_button(500, 100, false, record_icon);
        expect_same_quaternion(view.cq, cq);
        EXPECT_EQ(view.scale_factor, 1);
        EXPECT_EQ(view.trans[0], 0);
        EXPECT_EQ(view.trans[1], 0);
        EXPECT_EQ(inertia.arhozon, 0);
    }
    gesture({{120, 220}, {125, 225}});
    EXPECT_EQ(icons_run, std::vector<int>{0});

    // In drawing mode a drag draws, and the stroke is shown at once.
    drawing.drawing_onoff = 1;
    EXPECT_TRUE(drag_pointer(400, 300, false));
    EXPECT_EQ(drawing.line_continue, 1);
}

TEST_F(MouseDrag, IconRunsOnlyWhenPressedAndReleasedStrictlyInsideIt)
{
    icons.int_button = 3;
    for (int i = 0; i < 3; i++) {
        icons.icon_onoff[i] = 1;
        icons.icon_posi_x_window[0][i][0] = 100 + 60 * i;
        icons.icon_posi_x_window[0][i][1] = 150 + 60 * i;
        icons.icon_posi_y_window[0][i][0] = 200;
        icons.icon_posi_y_window[0][i][1] = 250;
    }
    icons.icon_onoff[2] = 0;

    take_modifier_flags(0);
    press_left_button(120, 220, false, 7);
    EXPECT_EQ(icons.pushbutton[0], 1) << "pressed look while held";
    EXPECT_EQ(icons.pushwindow, 7);
    release_left_button(130, 240, false, record_icon);
    EXPECT_EQ(icons_run, std::vector<int>{0});
    EXPECT_EQ(icons.pushbutton[0], 0);
    EXPECT_EQ(icons.pushedbutton[0], 0);

    icons_run.clear();
    gesture({{120, 220}, {300, 400}}); // left the icon before the release
    gesture({{120, 220}, {190, 220}}); // released on another icon
    gesture({{100, 220}, {100, 220}}); // on the left border
    gesture({{125, 250}, {125, 250}}); // on the bottom border
    gesture({{250, 220}, {250, 220}}); // icon switched off
    gesture({{300, 400}, {120, 220}}); // pressed outside, released inside
    EXPECT_TRUE(icons_run.empty()) << "ran icon " << icons_run.front();
    for (int i = 0; i < kIconPlaces; i++)
        EXPECT_EQ(icons.pushbutton[i], 0);

    // Only the places below "#Icon" count.
    icons.int_button = 1;
    gesture({{180, 220}, {180, 220}});
    EXPECT_TRUE(icons_run.empty());

    // Each window answers with its own rectangles: window 2's, from its own
    // size, and not window 1's.
    icons.icon_posi_x_window[1][0][0] = icons.icon_posi_y_window[1][0][0] = 50;
    icons.icon_posi_x_window[1][0][1] = icons.icon_posi_y_window[1][0][1] = 75;
    gesture({{120, 220}, {121, 221}}, true);
    EXPECT_TRUE(icons_run.empty());
    gesture({{60, 60}, {61, 61}}, true);
    EXPECT_EQ(icons_run, std::vector<int>{0});
}

TEST_F(MouseDrag, ReleaseCommitsTheWorkingOrientationExceptAfterNorthUp)
{
    view.rotsynch = 0;
    wnd.nsphere = 2;
    init_rotate();
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    double cq2[4] = {view.cq2[0], view.cq2[1], view.cq2[2], view.cq2[3]};

    // An arrow-key turn leaves the working orientation uncommitted.
    view_turn(false, 0.1, 0, 0.1, 0.2, false);
    take_modifier_flags(0);
    press_left_button(10, 10, false, 1);
    release_left_button(10, 10, false, record_icon);
    expect_same_quaternion(view.cq, view.tq);
    EXPECT_FALSE(same_quaternion(view.cq, cq));
    expect_same_quaternion(view.cq2, cq2);

    // In window 2 the release commits globe 2 only.
    view_turn(true, 0, 0.1, 0.1, 0.2, false);
    double cq_now[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    press_left_button(10, 10, true, 2);
    release_left_button(10, 10, true, record_icon);
    expect_same_quaternion(view.cq2, view.tq2);
    EXPECT_FALSE(same_quaternion(view.cq2, cq2));
    expect_same_quaternion(view.cq, cq_now);

    // The north-up icon sets the orientation itself: the release keeps it.
    icons.int_button = 10;
    icons.icon_onoff[9] = 1;
    icons.icon_posi_x_window[0][9][0] = icons.icon_posi_y_window[0][9][0] = 100;
    icons.icon_posi_x_window[0][9][1] = icons.icon_posi_y_window[0][9][1] = 150;
    view_turn(false, 0.1, 0, 0.1, 0.2, false);
    double kept[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    gesture({{120, 120}, {120, 120}});
    EXPECT_EQ(icons_run, std::vector<int>{9});
    expect_same_quaternion(view.cq, kept);
    EXPECT_EQ(icons.pushedbutton[9], 0);
}

TEST_F(MouseDrag, WindowTwoWithoutSynchronisationMovesOnlyGlobe2)
{
    wnd.nsphere = 2;
    view.rotsynch = 0;
    view.synch = 0;
    init_rotate();
    double cq[4] = {view.cq[0], view.cq[1], view.cq[2], view.cq[3]};
    double start2[16], at[3];
    copy16(start2, view.rt2);

    gesture({{400, 300}, {460, 300}}, true);
    expect_same_quaternion(view.cq, cq);
    front_moves_to(start2, view.rt2, at);
    EXPECT_NEAR(at[0], std::sin(0.2 * kPi), 1e-9);
    expect_same_quaternion(view.cq2, view.tq2);
    EXPECT_DOUBLE_EQ(inertia.arhozon_2, 0.1 * kPi);
    EXPECT_DOUBLE_EQ(inertia.dxhozon_2, 0.1);
    EXPECT_EQ(inertia.arhozon, 0) << "globe 1's set stays empty";

    gesture({{400, 300}, {400, 240}}, true, kModifierShift);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.1f);
    EXPECT_EQ(view.scale_factor, 1);
    gesture({{400, 300}, {480, 300}}, true, kModifierAlt);
    EXPECT_FLOAT_EQ(view.trans2[0], 0.2f / 1.1f);
    EXPECT_EQ(view.trans[0], 0);

    // With synch 1 zoom and shift from window 2 go to globe 1.
    view.synch = 1;
    gesture({{400, 300}, {400, 240}}, true, kModifierShift);
    EXPECT_FLOAT_EQ(view.scale_factor, 1.1f);
    EXPECT_FLOAT_EQ(view.scale_factor2, 1.1f);
}
