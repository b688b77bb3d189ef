// plot_visibility.cpp — the globe as an occluder of its own overlays.
//
// The set of points that a ball hides (those whose way to the eye passes
// through it) is convex, for an eye at a point as for one at infinity. So a
// segment whose two ends are hidden is hidden all along, and a point hidden
// by the ball shrunk by d has everything within d of it hidden by the full
// ball. The ball sits at 99 % of the globe's radius, inside the mesh, whose
// faces lie at least 99.8 % out; the mesh face where a hidden point's way to
// the eye leaves the globe faces the eye, so it is drawn and covers the point.
#include "plot/plot_visibility.h"

#include <algorithm>
#include <cmath>

#include "render/line_width.h"

namespace {

constexpr double kInnerBall = 0.99;    // of the globe's radius
constexpr double kTrianglePixels = 2;  // rounding of corners to pixels
constexpr double kLineExtraPixels = 2; // antialiased edge beyond the width

void to_eye(const GlobeOccluder& o, const float* p, double* q)
{
    const double* m = o.transform;
    for (int r = 0; r < 3; r++)
        q[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}

double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Whether the eye-space point lies in the shadow of the ball shrunk by `reach`.
bool in_shadow(const GlobeOccluder& o, const double* q, double reach)
{
    const double r = o.radius - reach;
    if (!(r > 0))
        return false;
    const double d[3] = {q[0] - o.centre[0], q[1] - o.centre[1], q[2] - o.centre[2]};
    if (!o.perspective) {
        // The way to the eye runs along +z.
        const double across = d[0] * d[0] + d[1] * d[1];
        return across < r * r && d[2] < std::sqrt(r * r - across);
    }
    // The way to the eye is the segment from q to the origin: its point
    // nearest the centre must lie inside the ball.
    const double qq = dot(q, q);
    if (!(qq > 0))
        return false;
    const double u = std::clamp(dot(q, o.centre) / qq, 0.0, 1.0);
    const double e[3] = {u * q[0] - o.centre[0], u * q[1] - o.centre[1], u * q[2] - o.centre[2]};
    return dot(e, e) < r * r;
}

// Eye units per pixel at the depth of the eye-space z.
double pixel_at(const GlobeOccluder& o, double z)
{
    return o.perspective ? o.pixel * std::fabs(z) : o.pixel;
}

} // namespace

GlobeOccluder globe_occluder(const GlobeView& view)
{
    GlobeOccluder o;
    const double* m = view.model_to_eye;
    const double* p = view.projection;
    const double* axis[3] = {m, m + 4, m + 8};
    double length[3];
    for (int k = 0; k < 3; k++)
        length[k] = std::sqrt(dot(axis[k], axis[k]));
    const double shortest = std::min({length[0], length[1], length[2]});
    const double longest = std::max({length[0], length[1], length[2]});
    const double cross[3] = {axis[1][1] * axis[2][2] - axis[1][2] * axis[2][1],
                             axis[1][2] * axis[2][0] - axis[1][0] * axis[2][2],
                             axis[1][0] * axis[2][1] - axis[1][1] * axis[2][0]};
    // Mirrored (negative zoom): the globe's back faces are drawn instead.
    if (!(dot(axis[0], cross) > 0) || !(shortest > 0))
        return o;
    // The axes must stay square to each other for the globe to hold the ball.
    const double square = 1e-6 * longest * longest;
    if (std::fabs(dot(axis[0], axis[1])) > square || std::fabs(dot(axis[0], axis[2])) > square ||
        std::fabs(dot(axis[1], axis[2])) > square)
        return o;
    const bool orthographic = p[3] == 0 && p[7] == 0 && p[11] == 0 && p[15] == 1;
    const bool perspective = p[3] == 0 && p[7] == 0 && p[11] == -1 && p[15] == 0;
    if ((!orthographic && !perspective) || p[0] == 0 || p[5] == 0 || view.viewport_width <= 0 ||
        view.viewport_height <= 0)
        return o;
    o.perspective = perspective;
    o.centre[0] = m[12];
    o.centre[1] = m[13];
    o.centre[2] = m[14];
    // An eye inside or at the globe sees the inside of its faces, which are
    // not drawn.
    if (perspective && dot(o.centre, o.centre) <= 1.05 * 1.05 * longest * longest)
        return o;
    o.radius = kInnerBall * shortest;
    o.scale = longest;
    o.pixel = std::max(2 / (std::fabs(p[0]) * view.viewport_width),
                       2 / (std::fabs(p[5]) * view.viewport_height));
    std::copy(m, m + 16, o.transform);
    o.active = true;
    return o;
}

bool point_hidden(const GlobeOccluder& o, const float* point, double reach_model,
                  double reach_pixels)
{
    if (!o.active)
        return false;
    double q[3];
    to_eye(o, point, q);
    const double reach = reach_model * o.scale;
    return in_shadow(o, q, reach + reach_pixels * pixel_at(o, std::fabs(q[2]) + reach));
}

bool segment_hidden(const GlobeOccluder& o, const float* a, const float* b, double reach_pixels)
{
    if (!o.active)
        return false;
    double qa[3], qb[3];
    to_eye(o, a, qa);
    to_eye(o, b, qb);
    // Depth runs linearly along the segment, so a pixel is largest at the
    // farther end.
    const double reach = reach_pixels * pixel_at(o, std::max(std::fabs(qa[2]), std::fabs(qb[2])));
    return in_shadow(o, qa, reach) && in_shadow(o, qb, reach);
}

void collect_visible_triangles(const TriangleArrays& t, const GlobeOccluder& o,
                               std::vector<unsigned>& visible)
{
    visible.clear();
    for (const TriangleItem& item : t.item)
        if (!point_hidden(o, item.centre, item.radius, kTrianglePixels))
            visible.insert(visible.end(), t.index.begin() + item.first,
                           t.index.begin() + item.first + item.count);
}

void collect_visible_segments(const LineArrays& l, const GlobeOccluder& o, float zoom,
                              std::vector<unsigned>& visible, std::vector<LineRun>& runs)
{
    visible.clear();
    runs.clear();
    for (const LineRun& run : l.run) {
        const float width = zoomed_line_width(run.width, zoom);
        if (!(width > 0))
            continue;
        // Wide lines reach out by half their width across and, drawn as
        // boxes, up to the width at their corners.
        const double reach = width + kLineExtraPixels;
        const size_t start = visible.size();
        for (int v = run.first; v + 1 < run.first + run.count; v += 2)
            if (!segment_hidden(o, &l.position[3 * v], &l.position[3 * v + 3], reach)) {
                visible.push_back(unsigned(v));
                visible.push_back(unsigned(v + 1));
            }
        if (visible.size() > start)
            runs.push_back({run.width, int(start), int(visible.size() - start)});
    }
}
