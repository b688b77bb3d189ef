// plot_geometry.cpp — places symbols, arrows and line points from the plot
// stores into vertex arrays.
#include "plot/plot_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/tyxparam.h"
#include "plot/plot_shapes.h"

namespace {

constexpr double kDegreesToRadians = 3.14159265359 / 180;

// A shape laid into a frame: the corner (x, y), turned by the angle whose
// cosine and sine are given, lands at centre + scale * (x east + y north).
struct Placement {
    const SymbolFrame* frame;
    double centre[3];
    double scale;
    double cos_angle = 1, sin_angle = 0;
};

// Appends one shape in one colour; false, with nothing appended, when a
// corner does not fit a float (a size or height far beyond the globe).
bool add_shape(TriangleArrays& out, const PlotVec2* vertex, int vertex_count, const int* triangle,
               int triangle_count, const Placement& p, const float rgba[4])
{
    const size_t positions = out.position.size(), colors = out.color.size();
    const unsigned base = unsigned(out.vertex_count());
    const SymbolFrame& f = *p.frame;
    for (int k = 0; k < vertex_count; k++) {
        const double x = p.cos_angle * vertex[k].x - p.sin_angle * vertex[k].y;
        const double y = p.sin_angle * vertex[k].x + p.cos_angle * vertex[k].y;
        for (int axis = 0; axis < 3; axis++) {
            const float v =
                float(p.centre[axis] + p.scale * (x * f.east[axis] + y * f.north[axis]));
            if (!std::isfinite(v)) {
                out.position.resize(positions);
                out.color.resize(colors);
                return false;
            }
            out.position.push_back(v);
        }
        out.color.insert(out.color.end(), rgba, rgba + 4);
    }
    for (int k = 0; k < triangle_count * 3; k++)
        out.index.push_back(base + unsigned(triangle[k]));
    return true;
}

// Records the triangles added since `first_index` as one item around
// `centre`, with the radius that reaches its farthest corner.
void close_item(TriangleArrays& out, size_t first_index, size_t first_vertex, const double* centre)
{
    if (out.index.size() == first_index)
        return;
    TriangleItem item = {unsigned(first_index),
                         unsigned(out.index.size() - first_index),
                         {float(centre[0]), float(centre[1]), float(centre[2])},
                         0};
    double radius = 0;
    for (size_t v = first_vertex; v < out.position.size() / 3; v++) {
        const float* p = &out.position[3 * v];
        radius = std::max(radius, double(std::hypot(p[0] - item.centre[0], p[1] - item.centre[1],
                                                    p[2] - item.centre[2])));
    }
    // A little more than the farthest corner, for the rounding of the floats.
    item.radius = float(radius * (1 + 1e-5) + 1e-6);
    out.item.push_back(item);
}

void set_centre(Placement& p, const double* origin, const double* up, double lift)
{
    for (int axis = 0; axis < 3; axis++)
        p.centre[axis] = origin[axis] + lift * up[axis];
}

// A symbol in its colour and, for the filled types, its black border.
void add_symbol(TriangleArrays& out, const SymbolShape& shape, const SymbolFrame& frame,
                double size, const float* rgba)
{
    Placement symbol{&frame, {}, size};
    set_centre(symbol, frame.origin, frame.up, 0);
    const size_t positions = out.position.size(), colors = out.color.size();
    const size_t indices = out.index.size();
    if (!add_shape(out, shape.vertex, shape.vertex_count, shape.triangle, shape.triangle_count,
                   symbol, rgba) ||
        shape.border_inradius == 0)
        return;
    // The black copy lies lower by the points' lift above the globe (on the
    // surface for height 1) and larger by the border's width, so the depth
    // test leaves only its rim outside the coloured symbol.
    const double rho = shape.border_inradius;
    Placement border{&frame, {}, size * (rho + plot.point_thickness) / rho};
    set_centre(border, frame.origin, frame.up, -(plot.d_radius_point - 1));
    const float black[4] = {0, 0, 0, rgba[3]};
    if (!add_shape(out, shape.vertex, shape.vertex_count, shape.triangle, shape.triangle_count,
                   border, black)) {
        // A symbol without its border would change the look: drop both.
        out.position.resize(positions);
        out.color.resize(colors);
        out.index.resize(indices);
    }
}

void add_point(TriangleArrays& out, int i)
{
    const SymbolShape* shape = symbol_shape(plot.prop_point[i]);
    const double size = plot.mat_size_point[i];
    if (shape == nullptr || size == 0)
        return;
    const SymbolFrame frame = symbol_frame(plot.d_polar_point[i]);
    const size_t first_index = out.index.size(), first_vertex = out.position.size() / 3;
    add_symbol(out, *shape, frame, size, plot.mat_color_point[i]);
    close_item(out, first_index, first_vertex, frame.origin);
}

} // namespace

void TriangleArrays::clear()
{
    position.clear();
    color.clear();
    index.clear();
    item.clear();
}

void LineArrays::clear()
{
    position.clear();
    color.clear();
    run.clear();
}

// The frame is what rotating by (longitude + 180 + 90) about z, then by the
// colatitude about x and translating by the radius along z make of the
// symbol's own axes.
SymbolFrame symbol_frame(const double polar[3])
{
    const double phi = (polar[2] + 90) * kDegreesToRadians;
    const double theta = polar[1] * kDegreesToRadians;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double ct = std::cos(theta), st = std::sin(theta);
    SymbolFrame f = {{sp * st * polar[0], -cp * st * polar[0], ct * polar[0]},
                     {cp, sp, 0},
                     {-sp * ct, cp * ct, st},
                     {sp * st, -cp * st, ct}};
    return f;
}

void build_point_triangles(TriangleArrays& out)
{
    out.clear();
    const int count = std::min(plot.num_point, kMaxPoints);
    for (int i = 0; i < count; i++)
        add_point(out, i);
}

// Arrows of one block share the block's shape; each is scaled to its length
// and turned counter-clockwise from east by its angle.
void build_arrow_triangles(TriangleArrays& out)
{
    out.clear();
    const int blocks = std::min(plot.arrow_prop_num, kMaxArrowBlocks);
    const int arrows = std::min(plot.num_arrow, kMaxArrows);
    for (int i = 0; i < blocks; i++) {
        const ArrowOutline outline =
            arrow_outline(plot.sincho[i], plot.sencho[i], plot.sinfuku[i], plot.senfuku[i]);
        const int first = std::max(plot.arrow_prop[i][0], 0);
        const int last = std::min(plot.arrow_prop[i][1], arrows - 1);
        for (int j = first; j <= last; j++) {
            if (plot.mat_size_arrow[j] == 0)
                continue; // collapses to a point
            const SymbolFrame frame = symbol_frame(plot.d_polar_arrow[j]);
            Placement p{&frame, {}, plot.mat_size_arrow[j]};
            set_centre(p, frame.origin, frame.up, 0);
            p.cos_angle = std::cos(plot.angle_arrow[j] * kDegreesToRadians);
            p.sin_angle = std::sin(plot.angle_arrow[j] * kDegreesToRadians);
            const size_t first_index = out.index.size(), first_vertex = out.position.size() / 3;
            add_shape(out, outline.vertex, kArrowVertices, kArrowTriangleCorners, kArrowTriangles,
                      p, plot.mat_color_arrow[j]);
            close_item(out, first_index, first_vertex, frame.origin);
        }
    }
}

// Each line becomes the segments between its consecutive points, which GL
// rasterises exactly as the line strip through them; consecutive lines of
// one width form one run.
void build_line_segments(LineArrays& out)
{
    out.clear();
    const int points = std::min(plot.pointnum_senga, kMaxSengaPoints);
    const int lines = std::min(plot.linenum_senga, kMaxSengaLines);
    for (int k = 0; k < lines; k++) {
        const int first = plot.lines_senga[k][0], last = plot.lines_senga[k][1];
        const float width = plot.mat_line_width_senga[k];
        if (first < 0 || last >= points || first >= last || !(width > 0))
            continue;
        const int vertices = int(out.position.size() / 3);
        if (out.run.empty() || out.run.back().width != width)
            out.run.push_back({width, vertices, 0});
        const float* rgba = plot.mat_color_senga[k];
        for (int i = first; i < last; i++)
            for (int end = i; end <= i + 1; end++) {
                for (int axis = 0; axis < 3; axis++)
                    out.position.push_back(float(plot.d_zahyo_senga[end][axis]));
                out.color.insert(out.color.end(), rgba, rgba + 4);
            }
        out.run.back().count += 2 * (last - first);
    }
}
