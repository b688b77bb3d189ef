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
        return across < r * r && (d[2] < 0 || d[2] * d[2] < r * r - across);
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

// The edges of the view that the eye-space point lies beyond by more than
// `reach`, one bit each.
unsigned outside_edges(const GlobeOccluder& o, const double* q, double reach)
{
    unsigned edges = 0;
    for (int k = 0; k < 4; k++) {
        const double* s = o.side[k];
        if (s[0] * q[0] + s[1] * q[1] + s[2] * q[2] + s[3] < -reach)
            edges |= 1u << k;
    }
    return edges;
}

// Whether nothing within `reach_model` of the model-space point, nor within
// `reach_pixels` of that, can show.
bool ball_unseen(const GlobeOccluder& o, const float* point, double reach_model,
                 double reach_pixels)
{
    if (!o.framed)
        return false;
    double q[3];
    to_eye(o, point, q);
    const double model = reach_model * o.scale;
    const double reach = model + reach_pixels * pixel_at(o, std::fabs(q[2]) + model);
    return (o.active && in_shadow(o, q, reach)) || outside_edges(o, q, reach) != 0;
}

} // namespace

GlobeOccluder globe_occluder(const GlobeView& view)
{
    GlobeOccluder o;
    const double* m = view.model_to_eye;
    const double* p = view.projection;
    const bool orthographic = p[3] == 0 && p[7] == 0 && p[11] == 0 && p[15] == 1;
    const bool perspective = p[3] == 0 && p[7] == 0 && p[11] == -1 && p[15] == 0;
    if ((!orthographic && !perspective) || p[0] == 0 || p[5] == 0 || view.viewport_width <= 0 ||
        view.viewport_height <= 0)
        return o;
    const double* axis[3] = {m, m + 4, m + 8};
    double length[3];
    for (int k = 0; k < 3; k++)
        length[k] = std::sqrt(dot(axis[k], axis[k]));
    const double shortest = std::min({length[0], length[1], length[2]});
    const double longest = std::max({length[0], length[1], length[2]});
    o.perspective = perspective;
    o.scale = longest;
    o.pixel = std::max(2 / (std::fabs(p[0]) * view.viewport_width),
                       2 / (std::fabs(p[5]) * view.viewport_height));
    std::copy(m, m + 16, o.transform);
    // The edges of the view: rows 0 and 1 of the projection added to and
    // taken from row 3 (clip x and y against w).
    for (int k = 0; k < 4; k++) {
        const int row = k / 2;
        const double sign = k % 2 == 0 ? 1 : -1;
        double* plane = o.side[k];
        for (int c = 0; c < 4; c++)
            plane[c] = p[4 * c + 3] + sign * p[4 * c + row];
        const double n = std::sqrt(dot(plane, plane));
        if (!(n > 0))
            return o;
        for (double& c : o.side[k])
            c /= n;
    }
    o.framed = true;

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
    o.centre[0] = m[12];
    o.centre[1] = m[13];
    o.centre[2] = m[14];
    // An eye inside or at the globe sees the inside of its faces, which are
    // not drawn.
    if (perspective && dot(o.centre, o.centre) <= 1.05 * 1.05 * longest * longest)
        return o;
    o.radius = kInnerBall * shortest;
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

double model_units_per_pixel(const GlobeOccluder& o)
{
    if (!o.framed || !(o.scale > 0))
        return 0;
    if (!o.perspective)
        return o.pixel / o.scale;
    // The nearest depth of anything that floats a little above the globe.
    const double depth = std::sqrt(dot(o.transform + 12, o.transform + 12)) - 1.1 * o.scale;
    return depth > 0 ? o.pixel * depth / o.scale : 0;
}

bool point_outside_view(const GlobeOccluder& o, const float* point, double reach_model,
                        double reach_pixels)
{
    if (!o.framed)
        return false;
    double q[3];
    to_eye(o, point, q);
    const double model = reach_model * o.scale;
    return outside_edges(o, q, model + reach_pixels * pixel_at(o, std::fabs(q[2]) + model)) != 0;
}

void collect_visible_triangles(const TriangleArrays& t, const GlobeOccluder& o,
                               std::vector<unsigned>& visible)
{
    visible.clear();
    for (const TriangleItem& item : t.item)
        if (!ball_unseen(o, item.centre, item.radius, kTrianglePixels))
            visible.insert(visible.end(), t.index.begin() + item.first,
                           t.index.begin() + item.first + item.count);
}

size_t collect_visible_sprites(const SymbolSprites& s, const GlobeOccluder& o,
                               std::vector<unsigned>& visible)
{
    // Six indices a quad, four vertices a quad: the most a drawing can need.
    const size_t most = s.vertex.size() / 4 * 6;
    if (visible.size() < most)
        visible.resize(most);
    unsigned* out = visible.data();
    for (const SymbolSprite& sprite : s.sprite) {
        if (ball_unseen(o, sprite.centre, sprite.radius, kTrianglePixels))
            continue;
        for (unsigned v = sprite.first; v < sprite.first + sprite.count; v += 4) {
            out[0] = v;
            out[1] = v + 1;
            out[2] = v + 2;
            out[3] = v;
            out[4] = v + 2;
            out[5] = v + 3;
            out += 6;
        }
    }
    return size_t(out - visible.data());
}

namespace {

// Appends to `out` the strips of one chunk's visible segments, extending
// the strip that ended at the chunk's first vertex (`open` true).
void add_chunk_strips(const LineLevel& level, const LineChunk& c, const GlobeOccluder& o,
                      double reach, LineStrips& out, bool& open)
{
    std::vector<double>& eye = out.eye;
    eye.resize(3 * c.count);
    for (unsigned v = 0; v < c.count; v++)
        to_eye(o, level.vertex[c.first + v].position, &eye[3 * v]);
    // Depth runs linearly along a segment, so the chunk's farthest point
    // bounds the size of a pixel on all its segments.
    double far = 0;
    for (unsigned v = 0; v < c.count; v++)
        far = std::max(far, std::fabs(eye[3 * v + 2]));
    const double r = reach * pixel_at(o, far);
    unsigned previous_edges = outside_edges(o, &eye[0], r);
    bool previous_shadow = o.active && in_shadow(o, &eye[0], r);
    for (unsigned v = 1; v < c.count; v++) {
        const unsigned edges = outside_edges(o, &eye[3 * v], r);
        const bool shadow = o.active && in_shadow(o, &eye[3 * v], r);
        // A segment is unseen when both ends lie beyond the same edge, or
        // both in the globe's shadow (which is convex).
        const bool unseen = (edges & previous_edges) != 0 || (shadow && previous_shadow);
        if (unseen) {
            open = false;
        } else if (open) {
            out.count.back()++;
        } else {
            out.first.push_back(int(c.first + v - 1));
            out.count.push_back(2);
            open = true;
        }
        previous_edges = edges;
        previous_shadow = shadow;
    }
}

} // namespace

void collect_visible_strips(const LineLevel& level, const GlobeOccluder& o, float zoom,
                            LineStrips& out)
{
    out.first.clear();
    out.count.clear();
    out.run.clear();
    for (const LevelLine& line : level.line) {
        const float width = zoomed_line_width(line.width, zoom);
        if (!(width > 0))
            continue;
        // Wide lines reach out by half their width across and, drawn as
        // boxes, up to the width at their corners.
        const double reach = width + kLineExtraPixels;
        const int strips = int(out.first.size());
        bool open = false;
        for (unsigned k = line.first_chunk; k < line.first_chunk + line.chunk_count; k++) {
            const LineChunk& c = level.chunk[k];
            if (!o.framed) {
                // Nothing to leave out: the chunk joins the line's one strip.
                if (open) {
                    out.count.back() += int(c.count) - 1;
                } else {
                    out.first.push_back(int(c.first));
                    out.count.push_back(int(c.count));
                    open = true;
                }
            } else if (ball_unseen(o, c.centre, c.radius, reach)) {
                open = false;
            } else {
                add_chunk_strips(level, c, o, reach, out, open);
            }
        }
        const int added = int(out.first.size()) - strips;
        if (added == 0)
            continue;
        if (!out.run.empty() && out.run.back().width == line.width)
            out.run.back().count += added;
        else
            out.run.push_back({line.width, strips, added});
    }
}
