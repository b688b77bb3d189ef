// timebar.cpp — geometry of the time bar (sizes, knob position, frame under
// the pointer, hit rectangles) and the press and drag that scrub the series.
// No GL here; timebar_gl.cpp draws from these numbers.
#include "render/timebar.h"

#include <cmath>

#include "core/tyxparam.h"

namespace {

// The bar's hit rectangle of window `which` as the last reshape left it.
bool inside_bar(int which, int x, int y)
{
    const double* xs = overlay.time_posi_x_window[which];
    const double* ys = overlay.time_posi_y_window[which];
    return xs[0] < x && x < xs[1] && ys[0] < y && y < ys[1];
}

// Frame under pixel column x of window `which`: the rectangle spans the bar
// from its left edge to the right cap's right edge, so the column maps back
// to screen units linearly.
int frame_at_column(int which, int x)
{
    const double* xs = overlay.time_posi_x_window[which];
    if (!(xs[1] > xs[0]))
        return -1;
    TimebarShape shape = timebar_shape(overlay.time_scale);
    double units = overlay.time_x + (x - xs[0]) / (xs[1] - xs[0]) * (shape.length + shape.cap);
    return timebar_frame_at(units, play.ntimemax, overlay.time_x, overlay.time_scale);
}

void scrub_to(int frame)
{
    if (frame < 0)
        return;
    play.ntime = frame;
    play.anim = 0;
}

bool valid_window_index(int which)
{
    return which == 0 || which == 1;
}

} // namespace

TimebarShape timebar_shape(double s)
{
    return {1.0 * s, 0.125 * s, 5.0 * s, 0.2 * s, 0.6 * s, 0.125 * s};
}

bool timebar_has_size(double s)
{
    return s > 0 && std::isfinite(s);
}

double timebar_knob_offset(int ntime, int frames, double s)
{
    if (frames <= 1 || ntime <= 0)
        return 0;
    TimebarShape shape = timebar_shape(s);
    double travel = shape.length - shape.knob_width + shape.cap;
    if (ntime >= frames - 1)
        return travel;
    return static_cast<double>(ntime) / (frames - 1) * travel;
}

int timebar_frame_at(double x, int frames, double time_x, double s)
{
    if (frames < 1 || !timebar_has_size(s))
        return -1;
    if (frames == 1)
        return 0;
    TimebarShape shape = timebar_shape(s);
    double travel = shape.length - shape.knob_width + shape.cap;
    double offset = x - time_x - shape.knob_width / 2;
    double frame = std::round(offset / travel * (frames - 1));
    if (!(frame > 0)) // also a pointer far off to the left, or not a number
        return 0;
    if (frame >= frames - 1)
        return frames - 1;
    return static_cast<int>(frame);
}

void compute_timebar_rectangle(int which, int width, int height)
{
    if (!valid_window_index(which))
        return;
    double* xs = overlay.time_posi_x_window[which];
    double* ys = overlay.time_posi_y_window[which];
    double s = overlay.time_scale;
    if (!timebar_has_size(s) || width < 1 || height < 1) {
        xs[0] = xs[1] = ys[0] = ys[1] = 0; // nothing is strictly inside
        return;
    }
    // The icons' conversion: the view spans y from -2 to 2 whatever its size.
    double aspect = static_cast<double>(width) / height;
    double quarter = height / 4.0;
    auto column = [&](double x) { return (x + 2 * aspect) * quarter; };
    auto row = [&](double y) { return (2 - y) * quarter; };
    TimebarShape shape = timebar_shape(s);
    double middle = overlay.time_y - shape.height / 2;
    xs[0] = column(overlay.time_x);
    xs[1] = column(overlay.time_x + shape.length + shape.cap);
    ys[0] = row(middle + shape.knob_height / 2);
    ys[1] = row(middle - shape.knob_height / 2);
}

bool press_time_bar(int which, int x, int y)
{
    overlay.time_drag_window = -1;
    if (overlay.time_scrub != 1 || overlay.icon_hyoji_onoff != 1 || play.ntimemax < 1 ||
        !valid_window_index(which) || !timebar_has_size(overlay.time_scale) ||
        !inside_bar(which, x, y))
        return false;
    overlay.time_drag_window = which;
    scrub_to(frame_at_column(which, x));
    return true;
}

bool drag_time_bar(int x)
{
    int which = overlay.time_drag_window;
    if (!valid_window_index(which))
        return false;
    // A reload may have emptied the series during the drag.
    if (play.ntimemax >= 1)
        scrub_to(frame_at_column(which, x));
    return true;
}

void release_time_bar()
{
    overlay.time_drag_window = -1;
}
