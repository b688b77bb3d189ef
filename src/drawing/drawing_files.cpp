// drawing_files.cpp — the drawing files: the protected layer and the user's
// strokes read at start-up, and the text a save writes.
#include <cmath>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kRadiansToDegrees = 57.2957795131;

bool within_half_turn(double angle)
{
    return angle >= 0 && angle <= kPi; // false for not-a-number
}

// Latitude, longitude (degrees) and height (globe radii) of a stored point.
// The guards settle the poles and rounding just past the ends of acos.
void point_to_lat_lon(const double p[3], double out[3])
{
    double x = p[0], y = p[1], z = p[2];
    double r = std::sqrt(x * x + y * y + z * z);
    double theta = std::acos(z / r);
    if (!within_half_turn(theta))
        theta = z >= 0 ? 0 : kPi;
    double phi;
    if (y >= 0) {
        phi = std::acos(x / (std::sin(theta) * r));
        if (!within_half_turn(phi))
            phi = x >= 0 ? 0 : kPi;
    } else {
        double back = std::acos(-x / (std::sin(theta) * r));
        if (!within_half_turn(back))
            back = x >= 0 ? kPi : 0;
        phi = kPi + back;
    }
    out[0] = 90 - theta * kRadiansToDegrees;
    out[1] = phi * kRadiansToDegrees - 180;
    out[2] = r / drawing.d_radius;
}

} // namespace

LineStore drawing_line_store()
{
    LineStore store;
    store.points = drawing.d_zahyo;
    store.ranges = drawing.lines;
    store.widths = drawing.mat_line_width_drawing;
    store.colors = drawing.mat_color_drawing;
    store.point_count = &drawing.pointnum;
    store.line_count = &drawing.linenum;
    // The whole store: capture refuses to start a stroke once it is full.
    store.point_capacity = kMaxDrawPoints;
    store.line_capacity = kMaxStrokes;
    return store;
}

void read_drawing_files()
{
    read_lines(kProtectedDrawingFile, drawing_line_store(), drawing.d_radius);
    drawing.min_linenum_undo = drawing.linenum;
    const PlotReadOutcome user =
        read_lines(kUserDrawingFile, drawing_line_store(), drawing.d_radius);
    drawing.saved_num_line = drawing.linenum;
    if (!user.opened || (user.left_out == 0 && !user.stopped))
        return;
    // Saving what was loaded over this file would lose the rest for good.
    drawing.user_file_partial = 1;
    if (user.left_out > 0)
        std::fprintf(stderr, "tyx: %s: %d line%s could not be read (the first is line %d); ",
                     kUserDrawingFile, user.left_out, user.left_out == 1 ? "" : "s",
                     user.first_left_out);
    else
        std::fprintf(stderr, "tyx: %s: not all of it was loaded; ", kUserDrawingFile);
    std::fprintf(stderr, "saves go to a new file beside it and leave it as it is\n");
}

bool write_drawings(FILE* out)
{
    int n = drawing.linenum + (drawing.line_continue == 1 ? 1 : 0);
    if (n > kMaxStrokes)
        n = kMaxStrokes;
    for (int k = drawing.min_linenum_undo; k < n; k++) {
        float width, color[4];
        stroke_pen(k, &width, color);
        std::fprintf(out, "#, %g,%g,%g,%g,%g\n", width, color[0], color[1], color[2], color[3]);
        int first = drawing.lines[k][0] < 0 ? 0 : drawing.lines[k][0];
        int last = drawing.lines[k][1] < kMaxDrawPoints ? drawing.lines[k][1] : kMaxDrawPoints - 1;
        for (int i = first; i <= last; i++) {
            double place[3];
            point_to_lat_lon(drawing.d_zahyo[i], place);
            std::fprintf(out, " %g,%g,%g\n", place[0], place[1], place[2]);
        }
        std::fputs("/\n", out);
    }
    return std::ferror(out) == 0;
}
