// plot_geometry_test.cpp — the symbol and arrow shapes, the stores as layers,
// and the triangles built from them: placement on the sphere, borders, and
// what bad store contents leave out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/tyxparam.h"
#include "plot/plot_geometry.h"
#include "plot/plot_layers.h"
#include "plot/plot_shapes.h"
#include "support/state_fixture.h"

namespace {

constexpr double kPi = 3.141592653589793;

double signed_area(const PlotVec2& a, const PlotVec2& b, const PlotVec2& c)
{
    return ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

struct Vec3 {
    double x, y, z;
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    double dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
};

Vec3 vec(const double* v)
{
    return {v[0], v[1], v[2]};
}

Vec3 vertex(const TriangleArrays& t, int k)
{
    return {t.position[3 * k], t.position[3 * k + 1], t.position[3 * k + 2]};
}

// Unit vector of latitude / longitude in the globe's frame.
Vec3 on_sphere(double latitude, double longitude)
{
    const double c = (90 - latitude) * kPi / 180, l = (longitude + 180) * kPi / 180;
    return {std::sin(c) * std::cos(l), std::sin(c) * std::sin(l), std::cos(c)};
}

class PlotGeometry : public StateTest {
  protected:
    // Appends a white point to the store as the reader would.
    void add_point(double latitude, double longitude, double size, int type, float alpha = 1)
    {
        const int i = plot.num_point++;
        const double polar[3] = {plot.d_radius_point, 90 - latitude, longitude + 180};
        std::copy(polar, polar + 3, plot.d_polar_point[i]);
        plot.mat_size_point[i] = size;
        plot.prop_point[i] = type;
        const float white[4] = {1, 1, 1, alpha};
        std::copy(white, white + 4, plot.mat_color_point[i]);
    }
    void add_line(std::initializer_list<Vec3> points, float width)
    {
        const int k = plot.linenum_senga++;
        plot.lines_senga[k][0] = plot.pointnum_senga;
        for (const Vec3& p : points) {
            double* stored = plot.d_zahyo_senga[plot.pointnum_senga++];
            stored[0] = p.x;
            stored[1] = p.y;
            stored[2] = p.z;
        }
        plot.lines_senga[k][1] = plot.pointnum_senga - 1;
        plot.mat_line_width_senga[k] = width;
    }
    // The symbols' triangles, from the point store as the drawing takes it.
    static void build_store_triangles(TriangleArrays& t)
    {
        PointLayer layer;
        build_store_point_layer(layer);
        build_point_triangles(layer, t);
    }
};

} // namespace

TEST(PlotShapes, AreaExtentAndWindingOfEveryType)
{
    const double h = 0.1 * std::sqrt(3.0);
    const double asterisk = 6 * (0.2 * (0.5 - h) + 0.1 * h);
    const double tip =
        0.291659186097754 + 0.360510580279085 * std::cos(54 * kPi / 180) * std::tan(72 * kPi / 180);
    struct Case {
        int type;
        double area;
        double top; // highest y: shows the extra rotation
        bool border;
    };
    const Case cases[] = {
        {0, 1, 0.5656, true},
        {1, 1, 0.8773826752998228, true},
        {2, 1, 0.4386913376499114, true},
        {3, 1, 0.5, true},
        {4, 1, std::sqrt(0.5), true},
        {5, 1, tip, true},
        {6, 0.36, 0.5, false},
        {7, 0.2, 0.1, false},
        {8, 0.36, 0.6 / std::sqrt(2.0), false},
        {9, 0.2, 0.5, false},
        {10, asterisk, 0.5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const SymbolShape* shape = symbol_shape(c.type);
        ASSERT_NE(shape, nullptr);
        double area = 0, top = -1;
        for (int t = 0; t < shape->triangle_count; t++) {
            const int* corner = shape->triangle + 3 * t;
            const double a = signed_area(shape->vertex[corner[0]], shape->vertex[corner[1]],
                                         shape->vertex[corner[2]]);
            EXPECT_GT(a, 0) << "triangle " << t << " would be culled from outside the globe";
            area += a;
        }
        for (int v = 0; v < shape->vertex_count; v++)
            top = std::max(top, shape->vertex[v].y);
        EXPECT_NEAR(area, c.area, 1e-9);
        EXPECT_NEAR(top, c.top, 1e-4);
        EXPECT_EQ(shape->border_inradius > 0, c.border);
    }
    EXPECT_EQ(symbol_shape(-1), nullptr);
    EXPECT_EQ(symbol_shape(kSymbolTypes), nullptr);
    // The polygon of the circle keeps to the unit-area disc.
    const SymbolShape* circle = symbol_shape(0);
    for (int v = 1; v < circle->vertex_count; v++)
        EXPECT_NEAR(std::hypot(circle->vertex[v].x, circle->vertex[v].y), kCircleInradius,
                    0.003 * kCircleInradius);
}

TEST(PlotShapes, ShaftEdgeMeetsTheInnerEdgeOfTheBarbs)
{
    struct Case {
        double a, b, c, d;
    };
    // A plain head (a = 1 - b), a swept-back one, a narrow and a wide shaft.
    for (const Case& k : {Case{0.7, 0.3, 0.1, 0.3}, Case{0.8, 0.4, 0.1, 0.3},
                          Case{0.75, 0.35, 0.02, 0.5}, Case{0.9, 0.5, 0.3, 0.6}}) {
        const ArrowOutline arrow = arrow_outline(k.a, k.b, k.c, k.d);
        // (e, c/2) lies on the line from the upper barb's corner to the notch.
        const PlotVec2 barb = {1 - k.b, k.d / 2}, notch = {k.a, 0}, meet = {arrow.e, k.c / 2};
        EXPECT_NEAR(signed_area(barb, notch, meet), 0, 1e-12);
        EXPECT_DOUBLE_EQ(arrow.vertex[1].x, 0); // tail
        EXPECT_DOUBLE_EQ(arrow.vertex[6].x, 1); // tip
        EXPECT_DOUBLE_EQ(arrow.vertex[4].x, k.a);
    }
    EXPECT_DOUBLE_EQ(arrow_outline(0.7, 0.3, 0.1, 0.3).e, 0.7);
    // No head width: the shaft ends at the head's base instead of nowhere.
    EXPECT_DOUBLE_EQ(arrow_outline(0.8, 0.3, 0.1, 0).e, 0.7);
}

TEST(PlotFrame, OriginOnTheSphereWithEastAndNorth)
{
    for (double latitude : {35.0, -60.0, 0.0, 89.0})
        for (double longitude : {135.0, -20.0, 180.0}) {
            const double polar[3] = {1.5, 90 - latitude, longitude + 180};
            const SymbolFrame f = symbol_frame(polar);
            const Vec3 p = on_sphere(latitude, longitude);
            const Vec3 off = vec(f.origin) - Vec3{1.5 * p.x, 1.5 * p.y, 1.5 * p.z};
            EXPECT_NEAR(off.dot(off), 0, 1e-18);
            EXPECT_NEAR(vec(f.east).dot(on_sphere(0, longitude + 90)), 1, 1e-9);
            // A step along north raises the latitude.
            const Vec3 step = on_sphere(latitude + 1e-4, longitude) - p;
            EXPECT_NEAR(step.dot(vec(f.north)) / std::sqrt(step.dot(step)), 1, 1e-6);
            // Right-handed, so shapes wound counter-clockwise face outwards.
            const Vec3 e = vec(f.east), n = vec(f.north);
            const Vec3 cross = {e.y * n.z - e.z * n.y, e.z * n.x - e.x * n.z,
                                e.x * n.y - e.y * n.x};
            EXPECT_NEAR(cross.dot(vec(f.up)), 1, 1e-9);
        }
}

TEST_F(PlotGeometry, SymbolSitsOnItsPointAndItsBorderBelowIt)
{
    add_point(35, 135, 0.1, 3, 0.5f);
    TriangleArrays t;
    build_store_triangles(t);
    ASSERT_EQ(t.vertex_count(), 8); // the square and its black copy
    ASSERT_EQ(t.index.size(), 12u);
    const Vec3 p = on_sphere(35, 135);
    const SymbolFrame f = symbol_frame(plot.d_polar_point[0]);
    for (int copy = 0; copy < 2; copy++) {
        // The square on its point at 1.001, its copy on the surface; corner 2
        // is (0.5, -0.5), scaled by (0.5 + 0.1) / 0.5 for the border.
        const Vec3 a = vertex(t, 4 * copy), c = vertex(t, 4 * copy + 2);
        const Vec3 centre = {(a.x + c.x) / 2, (a.y + c.y) / 2, (a.z + c.z) / 2};
        EXPECT_NEAR(centre.dot(p), copy == 0 ? 1.001 : 1.0, 1e-6);
        EXPECT_NEAR((centre - p).dot(vec(f.east)), 0, 1e-6);
        const double half = copy == 0 ? 0.05 : 0.06;
        EXPECT_NEAR((c - centre).dot(vec(f.east)), half, 1e-6);
        EXPECT_NEAR((c - centre).dot(vec(f.north)), -half, 1e-6);
    }
    const float* border = &t.color[4 * 4];
    EXPECT_EQ(border[0] + border[1] + border[2], 0.0f);
    EXPECT_EQ(border[3], 0.5f); // the point's own alpha
}

TEST_F(PlotGeometry, SymbolsThatCannotBeDrawnLeaveTheOthers)
{
    const struct {
        int type;
        double size;
        int vertices; // what the point adds
    } cases[] = {
        {11, 0.1, 0},
        {-1, 0.1, 0},
        {3, 0, 0},     // size 0
        {3, 1e300, 0}, // beyond a float
        {3, -0.1, 8},  // a negative size turns the symbol over in its plane
        {6, 0.1, symbol_shape(6)->vertex_count}, // no border
        {0, 1e6, 2 * symbol_shape(0)->vertex_count},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        reset_viewer_state();
        add_point(10, 10, c.size, c.type);
        add_point(20, 20, 0.1, 1); // the next point still draws
        TriangleArrays t;
        build_store_triangles(t);
        EXPECT_EQ(t.vertex_count(), c.vertices + 6);
        EXPECT_EQ(t.item.size(), c.vertices ? 2u : 1u);
        for (unsigned index : t.index)
            EXPECT_LT(index, unsigned(t.vertex_count()));
    }
}

TEST_F(PlotGeometry, ArrowsTurnFromEastTowardsNorthWithinTheirBlocks)
{
    plot.arrow_prop_num = 1;
    plot.arrow_prop[0][0] = -3; // ranges are cut to the arrows in use
    plot.arrow_prop[0][1] = 50;
    plot.num_arrow = 3;
    plot.sincho[0] = 0.7;
    plot.sencho[0] = 0.3;
    plot.sinfuku[0] = 0.1;
    plot.senfuku[0] = 0.3;
    const double lengths[3] = {0.5, 0, 0.2}, angles[3] = {90, 0, 180};
    const double polar[3] = {plot.d_radius_arrow, 90, 180}; // 0 N 0 E
    for (int j = 0; j < 3; j++) {
        std::copy(polar, polar + 3, plot.d_polar_arrow[j]);
        plot.mat_size_arrow[j] = lengths[j];
        plot.angle_arrow[j] = angles[j];
    }
    plot.mat_size_arrow[3] = 1; // past the arrows in use
    TriangleArrays t;
    build_arrow_triangles(t);
    // The arrow of length 0 collapses to nothing; the others draw.
    ASSERT_EQ(t.vertex_count(), 2 * kArrowVertices);
    ASSERT_EQ(t.index.size(), 2u * 3 * kArrowTriangles);
    const SymbolFrame f = symbol_frame(polar);
    const struct {
        int arrow;
        double east, north;
    } expected[] = {{0, 0, 0.5}, {1, -0.2, 0}};
    for (const auto& e : expected) {
        // Tip minus tail, the tail halfway between the shaft's back corners.
        const int base = e.arrow * kArrowVertices;
        const Vec3 a = vertex(t, base + 1), b = vertex(t, base + 2), tip = vertex(t, base + 6);
        const Vec3 along = tip - Vec3{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
        EXPECT_NEAR(along.dot(vec(f.east)), e.east, 1e-6);
        EXPECT_NEAR(along.dot(vec(f.north)), e.north, 1e-6);
    }
}

TEST_F(PlotGeometry, LineStoreBecomesALayerOfItsValidLines)
{
    const Vec3 a = {1, 0, 0}, b = {0, 1, 0}, c = {0, 0, 1};
    add_line({a, b, c}, 2);
    add_line({c}, 2); // one point: no segment
    add_line({b, c}, 5);
    add_line({a, b}, 2);
    add_line({a, b}, 2);
    plot.lines_senga[3][1] = 99; // past the points in use
    plot.lines_senga[4][0] = 18; // backwards
    plot.mat_color_senga[2][1] = 0.25f;
    LineLayer layer;
    build_store_line_layer(layer);
    ASSERT_EQ(layer.line.size(), 2u);
    EXPECT_EQ(layer.line[0].first, 0u);
    EXPECT_EQ(layer.line[0].count, 3u);
    EXPECT_EQ(layer.line[1].first, 3u);
    EXPECT_EQ(layer.line[1].count, 2u);
    EXPECT_EQ(layer.line[1].width, 5);
    EXPECT_EQ(layer.line[1].rgba[1], 0.25f); // its own colour
    ASSERT_EQ(layer.point.size(), 5u);
    EXPECT_EQ(layer.point[3].y, 1.0f);
    EXPECT_EQ(layer.generation, plot.plot_generation);
}
