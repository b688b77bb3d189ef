// stroke_capture.cpp — turns drag samples into stroke points on globe 1: from
// the window to the globe's projected disc, and from the disc back through the
// globe's rotation into its own frame.
#include <cmath>
#include <cstdio>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "view/quaternion.h"

namespace {

constexpr double kDegreesToRadians = 0.01745329251;

// Window pixel (px, py) in globe 1's projected disc. The frame draws a disc
// point v at c * zoom * (shift + v) in view units, where c is -1 when a
// negative eye position turns the camera upside down (and 1 otherwise); this
// is that mapping undone.
void window_to_disc(int px, int py, int which, double* x, double* y)
{
    double w = 1.0 / wnd.sx[which], h = 1.0 / wnd.sy[which];
    double c = wnd.ez < 0 ? -1.0 : 1.0;
    double zoom = view.scale_factor;
    *x = c * wnd.size_ortho * (2 * px - w) / h / zoom - view.trans[0];
    *y = c * wnd.size_ortho * (h - 2 * py) / h / zoom - view.trans[1];
}

// The inverse of the rotation the frame applies to globe 1 (its orientation,
// then the spin about the polar axis), into rt_moji; read by rows.
void form_inverse_rotation()
{
    double half = spin.thetajiten * kDegreesToRadians / 2;
    const double s[4] = {std::cos(half), 0, 0, std::sin(half)};
    double q[4];
    // The orientation drawn is the working one: it differs from the committed
    // one after an arrow-key turn that no release has committed yet.
    qmul(q, view.tq, s);
    qrot_minus(view.rt_moji, q);
}

void report_full_store()
{
    if (drawing.store_full_reported == 1)
        return;
    drawing.store_full_reported = 1;
    std::fprintf(stderr,
                 "tyx: drawing: the stroke store is full (%d points, %d strokes); "
                 "undo strokes to draw more\n",
                 kMaxDrawPoints, kMaxStrokes);
}

// Opens stroke linenum at the next free point; false when the store is full.
bool start_stroke()
{
    if (drawing.linenum >= kMaxStrokes || drawing.pointnum >= kMaxDrawPoints) {
        report_full_store();
        return false;
    }
    drawing.store_full_reported = 0;
    drawing.max_saved_num_line_undo = 0;
    // Strokes undone before this one cannot come back: this stroke takes
    // their places in the store.
    drawing.max_linenum_undo = drawing.linenum;
    drawing.line_continue = 1;
    drawing.lines[drawing.linenum][0] = drawing.pointnum;
    return true;
}

// Appends disc point (x, y) to the stroke in progress; false when the store
// has no room left.
bool store_point(double x, double y)
{
    if (drawing.pointnum >= kMaxDrawPoints) {
        report_full_store();
        return false;
    }
    // The hemisphere that face culling shows, +z, whatever the zoom's sign:
    // a negative zoom (a negative eye position) mirrors the globe in depth
    // only, so the frame keeps the same faces and draws them with the depth
    // order reversed (display_earth).
    double depth = 1 - x * x - y * y;
    double z = depth > 0 ? std::sqrt(depth) : 0;
    const double v[3] = {x * drawing.d_radius, y * drawing.d_radius, z * drawing.d_radius};
    double* p = drawing.d_zahyo[drawing.pointnum];
    for (int i = 0; i < 3; i++)
        p[i] = view.rt_moji[4 * i] * v[0] + view.rt_moji[4 * i + 1] * v[1] +
               view.rt_moji[4 * i + 2] * v[2];
    drawing.lines[drawing.linenum][1] = drawing.pointnum;
    drawing.pointnum++;
    return true;
}

} // namespace

void capture_stroke_sample(int px, int py, bool second_window)
{
    int which = second_window ? 1 : 0;
    if (!(wnd.sx[which] > 0 && wnd.sy[which] > 0)) // no reshape yet: no window size
        return;
    double x, y;
    window_to_disc(px, py, which, &x, &y);
    double x0 = drawing.prev_x, y0 = drawing.prev_y;
    drawing.prev_x = x;
    drawing.prev_y = y;

    // Off the globe (a not-a-number position included, from a zero zoom).
    if (!(1 - (x * x + y * y) > 0)) {
        end_stroke();
        return;
    }
    int n = 1;
    if (drawing.line_continue == 1) {
        // Both ends lie on the disc, so n is at most 21.
        n = static_cast<int>(std::floor(std::hypot(x - x0, y - y0) / kStrokeStep)) + 1;
    } else if (!start_stroke()) {
        return;
    }
    form_inverse_rotation();
    for (int i = 0; i < n; i++) {
        double xi = ((i + 1) * x + (n - 1 - i) * x0) / n;
        double yi = ((i + 1) * y + (n - 1 - i) * y0) / n;
        if (!store_point(xi, yi))
            return;
    }
}
