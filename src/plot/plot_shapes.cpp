// plot_shapes.cpp — corners and triangles of the eleven point symbols and of
// the arrow.
#include "plot/plot_shapes.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265359;
constexpr double kTriangleInradius = 0.438691337650831;
constexpr double kSquareInradius = 0.5;
constexpr double kStarInradius = 0.291659186097754;

struct ShapeBuilder {
    std::vector<PlotVec2> vertex;
    std::vector<int> triangle;

    int add(double x, double y)
    {
        vertex.push_back({x, y});
        return int(vertex.size()) - 1;
    }
    void add_triangle(int a, int b, int c) { triangle.insert(triangle.end(), {a, b, c}); }
    // A convex polygon, split into a fan from its first corner, which keeps
    // its winding.
    void add_polygon(std::initializer_list<PlotVec2> corners, double degrees = 0)
    {
        const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
        const int first = int(vertex.size());
        for (const PlotVec2& p : corners)
            add(c * p.x - s * p.y, s * p.x + c * p.y);
        for (int k = first + 1; k + 1 < int(vertex.size()); k++)
            add_triangle(first, k, k + 1);
    }
};

// The disc is a fan of equal sectors from the centre, first corner to the
// east. Its corner radius makes the polygon's area exactly 1, as the disc's
// is, so the outline stays within 0.3 % of the disc's radius.
void build_circle(ShapeBuilder& b)
{
    const double step = 2 * kPi / kCircleSegments;
    const double radius = std::sqrt(2 / (kCircleSegments * std::sin(step)));
    const int centre = b.add(0, 0);
    for (int k = 0; k < kCircleSegments; k++)
        b.add(radius * std::cos(k * step), radius * std::sin(k * step));
    for (int k = 0; k < kCircleSegments; k++)
        b.add_triangle(centre, centre + 1 + k, centre + 1 + (k + 1) % kCircleSegments);
}

void build_triangle(ShapeBuilder& b, double degrees)
{
    b.add_polygon({{0, 0.8773826752998228},
                   {-0.75983568565, -0.4386913376499114},
                   {0.75983568565, -0.4386913376499114}},
                  degrees);
}

void build_square(ShapeBuilder& b, double degrees)
{
    b.add_polygon({{-0.5, 0.5}, {-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}}, degrees);
}

// Five arms, each a tip triangle over an inner triangle, the first arm
// already turned by 72 degrees.
void build_star(ShapeBuilder& b)
{
    const double r0 = 0.360510580279085;
    const double a = r0 * std::sin(54 * kPi / 180), w = r0 * std::cos(54 * kPi / 180);
    const double tip = a + w * std::tan(72 * kPi / 180);
    for (int arm = 1; arm <= 5; arm++) {
        b.add_polygon({{0, tip}, {-w, a}, {w, a}}, 72.0 * arm);
        b.add_polygon({{-w, a}, {0, 0}, {w, a}}, 72.0 * arm);
    }
}

// The vertical bar and two arms that do not overlap it.
void build_plus(ShapeBuilder& b, double degrees)
{
    b.add_polygon({{-0.1, 0.5}, {-0.1, -0.5}, {0.1, -0.5}, {0.1, 0.5}}, degrees);
    b.add_polygon({{-0.1, -0.1}, {-0.1, 0.1}, {-0.5, 0.1}, {-0.5, -0.1}}, degrees);
    b.add_polygon({{0.1, 0.1}, {0.1, -0.1}, {0.5, -0.1}, {0.5, 0.1}}, degrees);
}

void build_minus(ShapeBuilder& b, double degrees)
{
    b.add_polygon({{-0.5, 0.1}, {-0.5, -0.1}, {0.5, -0.1}, {0.5, 0.1}}, degrees);
}

void build_asterisk(ShapeBuilder& b)
{
    const double h = 0.1 * std::sqrt(3.0);
    for (int arm = 1; arm <= 6; arm++)
        b.add_polygon({{-0.1, 0.5}, {-0.1, h}, {0, 0}, {0.1, h}, {0.1, 0.5}}, 60.0 * arm);
}

struct ShapeTable {
    ShapeBuilder builder[kSymbolTypes];
    SymbolShape shape[kSymbolTypes];
};

const ShapeTable& shape_table()
{
    static const ShapeTable* table = [] {
        auto* t = new ShapeTable;
        const double inradius[kSymbolTypes] = {kCircleInradius,
                                               kTriangleInradius,
                                               kTriangleInradius,
                                               kSquareInradius,
                                               kSquareInradius,
                                               kStarInradius,
                                               0,
                                               0,
                                               0,
                                               0,
                                               0};
        build_circle(t->builder[0]);
        build_triangle(t->builder[1], 0);
        build_triangle(t->builder[2], 180);
        build_square(t->builder[3], 0);
        build_square(t->builder[4], 45);
        build_star(t->builder[5]);
        build_plus(t->builder[6], 0);
        build_minus(t->builder[7], 0);
        build_plus(t->builder[8], 45);
        build_minus(t->builder[9], 90);
        build_asterisk(t->builder[10]);
        for (int type = 0; type < kSymbolTypes; type++) {
            const ShapeBuilder& b = t->builder[type];
            t->shape[type] = {b.vertex.data(), int(b.vertex.size()), b.triangle.data(),
                              int(b.triangle.size() / 3), inradius[type]};
        }
        return t;
    }();
    return *table;
}

} // namespace

const int kArrowTriangleCorners[kArrowTriangles * 3] = {0, 1, 2, 0, 2, 3, 0, 3,
                                                        4, 5, 4, 6, 7, 6, 4};

const SymbolShape* symbol_shape(int type)
{
    if (type < 0 || type >= kSymbolTypes)
        return nullptr;
    return &shape_table().shape[type];
}

ArrowOutline arrow_outline(double a, double b, double c, double d)
{
    ArrowOutline arrow;
    arrow.e = (1 - b) + (a + b - 1) * (d - c) / d;
    // Without a head width the barbs have no inner edge to meet; the shaft
    // then runs to the base of the head.
    if (!std::isfinite(arrow.e))
        arrow.e = 1 - b;
    const double e = arrow.e;
    const PlotVec2 corners[kArrowVertices] = {
        {e, c / 2},     {0, c / 2}, {0, -c / 2},    {e, -c / 2}, // shaft
        {a, 0},                                                  // notch
        {1 - b, d / 2}, {1, 0},     {1 - b, -d / 2}};            // barbs and tip
    for (int k = 0; k < kArrowVertices; k++)
        arrow.vertex[k] = corners[k];
    return arrow;
}
