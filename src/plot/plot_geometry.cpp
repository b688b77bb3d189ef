// plot_geometry.cpp — places symbols and arrows into vertex arrays.
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

void add_point(TriangleArrays& out, const PlotSymbol& s)
{
    const SymbolShape* shape = symbol_shape(s.type);
    if (shape == nullptr || s.size == 0)
        return;
    const SymbolFrame frame = symbol_frame(s.polar);
    const size_t first_index = out.index.size(), first_vertex = out.position.size() / 3;
    add_symbol(out, *shape, frame, s.size, s.rgba);
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

void build_point_triangles(const PointLayer& layer, TriangleArrays& out)
{
    out.clear();
    for (const PlotSymbol& s : layer.symbol)
        add_point(out, s);
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
