// plot_render_gl_test.cpp — plot overlays drawn on the globe in a real window:
// where symbols, arrows and lines land on the screen, the black rim of a
// filled symbol, line widths under a negative zoom, and symbol quads that
// look like the triangles of their shapes.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/tyxparam.h"
#include "core/window.h"
#include "plot/plot_files.h"
#include "plot/plot_render.h"
#include "support/gl_fixture.h"
#include "view/orientation.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kCx = 400, kCy = 300; // disc centre in the 800 x 600 window
constexpr int kRadius = 150;        // globe radius in pixels at zoom 1

class PlotDraw : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        // A blue map, so that the overlays and the black rim stand out.
        glGenTextures(1, &img.texName[0]);
        glBindTexture(GL_TEXTURE_2D, img.texName[0]);
        const unsigned char blue[4 * 3] = {0, 0, 200, 0, 0, 200, 0, 0, 200, 0, 0, 200};
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        plot.point_display_onoff = plot.arrow_display_onoff = plot.senga_display_onoff = 1;
    }
    void TearDown() override
    {
        glDeleteTextures(1, &img.texName[0]);
        GlTest::TearDown();
    }

    // Centres the view on latitude / longitude, north up.
    void look_at(double latitude, double longitude)
    {
        view.rad_latitude = (90 - latitude) * kPi / 180;
        view.rad_longitude = (longitude + 180) * kPi / 180;
        init_rotate();
    }
    void add_point(double latitude, double longitude, double size, int type, Rgba c, float alpha)
    {
        const int i = plot.num_point++;
        plot.d_polar_point[i][0] = plot.d_radius_point;
        plot.d_polar_point[i][1] = 90 - latitude;
        plot.d_polar_point[i][2] = longitude + 180;
        plot.mat_size_point[i] = size;
        plot.prop_point[i] = type;
        const float rgba[4] = {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, alpha};
        std::copy(rgba, rgba + 4, plot.mat_color_point[i]);
    }
    // A green line along the equator from longitude `from` to `to`.
    void add_equator_line(double from, double to, float width)
    {
        const int k = plot.linenum_senga++;
        plot.lines_senga[k][0] = plot.pointnum_senga;
        for (double longitude = from; longitude <= to; longitude += 10) {
            const double l = (longitude + 180) * kPi / 180;
            double* p = plot.d_zahyo_senga[plot.pointnum_senga++];
            p[0] = plot.d_radius_senga * std::cos(l);
            p[1] = plot.d_radius_senga * std::sin(l);
            p[2] = 0;
        }
        plot.lines_senga[k][1] = plot.pointnum_senga - 1;
        plot.mat_line_width_senga[k] = width;
        const float green[4] = {0, 1, 0, 1};
        std::copy(green, green + 4, plot.mat_color_senga[k]);
    }
    static bool is(Rgba p, int r, int g, int b, int tolerance = 3)
    {
        return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
               std::abs(p.b - b) <= tolerance;
    }
};

} // namespace

TEST_F(PlotDraw, PointLandsAtTheCentreOfAViewOnIt)
{
    look_at(35, 135);
    add_point(35, 135, 0.1, 3, {255, 0, 0, 255}, 1);
    plot_data_changed();
    draw_globe();
    EXPECT_TRUE(is(pixel(kCx, kCy), 255, 0, 0));
    EXPECT_TRUE(is(pixel(kCx + 30, kCy), 0, 0, 200)); // the map beside it

    // Turned away from the viewer, the point is hidden behind the globe.
    look_at(-35, -45);
    draw_globe();
    EXPECT_TRUE(is(pixel(kCx, kCy), 0, 0, 200));
}

TEST_F(PlotDraw, FilledSymbolShowsABlackRimAndNoBlackUnderIt)
{
    look_at(0, 0);
    // A half-transparent circle 34 pixels in radius, its rim out to 40.
    add_point(0, 0, 0.4, 0, {255, 0, 0, 255}, 0.5f);
    plot_data_changed();
    draw_globe();
    // The black copy is hidden under the translucent disc: red over blue.
    EXPECT_TRUE(is(pixel(kCx, kCy), 128, 0, 100, 2));
    const int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& d : directions) {
        SCOPED_TRACE(testing::Message() << d[0] << "," << d[1]);
        EXPECT_TRUE(is(pixel(kCx + 30 * d[0], kCy + 30 * d[1]), 128, 0, 100, 2));
        // Black at half alpha over blue.
        EXPECT_TRUE(is(pixel(kCx + 37 * d[0], kCy + 37 * d[1]), 0, 0, 100, 2));
        EXPECT_TRUE(is(pixel(kCx + 44 * d[0], kCy + 44 * d[1]), 0, 0, 200));
    }
}

TEST_F(PlotDraw, NorthwardArrowPointsUp)
{
    look_at(0, 0);
    plot.num_arrow = 1;
    plot.arrow_prop_num = 1;
    plot.arrow_prop[0][0] = plot.arrow_prop[0][1] = 0;
    plot.sincho[0] = 0.75;
    plot.sencho[0] = 0.35;
    plot.sinfuku[0] = 0.1;
    plot.senfuku[0] = 0.3;
    plot.d_polar_arrow[0][0] = plot.d_radius_arrow;
    plot.d_polar_arrow[0][1] = 90;
    plot.d_polar_arrow[0][2] = 180;
    plot.mat_size_arrow[0] = 0.6; // 90 pixels
    plot.angle_arrow[0] = 90;
    const float yellow[4] = {1, 1, 0, 1};
    std::copy(yellow, yellow + 4, plot.mat_color_arrow[0]);
    plot_data_changed();
    draw_globe();
    EXPECT_TRUE(is(pixel(kCx, kCy - 30), 255, 255, 0));     // shaft
    EXPECT_TRUE(is(pixel(kCx, kCy - 80), 255, 255, 0));     // head
    EXPECT_TRUE(is(pixel(kCx - 7, kCy - 65), 255, 255, 0)); // barb
    EXPECT_TRUE(is(pixel(kCx, kCy + 30), 0, 0, 200));
    EXPECT_TRUE(is(pixel(kCx + 30, kCy - 30), 0, 0, 200));
}

TEST_F(PlotDraw, EquatorLineCrossesTheCentreOfAnEquatorView)
{
    look_at(0, 20);
    add_equator_line(-40, 80, 3);
    plot_data_changed();
    draw_globe();
    for (int x : {kCx - 100, kCx, kCx + 100})
        EXPECT_TRUE(is(pixel(x, kCy), 0, 255, 0)) << x;
    EXPECT_TRUE(is(pixel(kCx, kCy - 10), 0, 0, 200));
}

TEST_F(PlotDraw, NegativeZoomKeepsTheLineWidth)
{
    // The zoom of a negative eye distance mirrors the globe in depth: the
    // line on the half that is drawn shows, six pixels wide as at zoom 1.
    look_at(0, 0);
    view.scale_factor = -1;
    add_equator_line(-40, 40, 6);
    plot_data_changed();
    draw_globe();
    int wide = 0;
    for (int y = kCy - 10; y <= kCy + 10; y++)
        wide += pixel(kCx, y).g > 128;
    EXPECT_GE(wide, 5);
    EXPECT_LE(wide, 7);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(PlotDraw, LeavingOutHiddenPartsChangesNoPixel)
{
    // Symbols of every type and size, lines and arrows all over the globe,
    // some high above it so that they show beyond its edge.
    std::srand(3);
    auto uniform = [](double lo, double hi) { return lo + (hi - lo) * std::rand() / RAND_MAX; };
    for (int i = 0; i < 1500; i++) {
        add_point(
            uniform(-90, 90), uniform(-180, 180), uniform(0.02, 0.15), i % 12,
            {255, static_cast<unsigned char>(i * 37), static_cast<unsigned char>(i * 91), 255},
            i % 4 == 0 ? 0.5f : 1);
        plot.d_polar_point[i][0] *= i % 5 == 0 ? 1.3 : 1;
    }
    for (int k = 0; k < 20; k++)
        add_equator_line(-180 + 15 * k, -90 + 15 * k, 1 + k % 4);
    for (int p = 0; p < plot.pointnum_senga; p++) {
        const double tilt = 0.05 * (p % 13), height = 1 + 0.2 * (p % 3);
        double* q = plot.d_zahyo_senga[p];
        q[2] = std::sin(tilt) * plot.d_radius_senga * height;
        q[0] *= std::cos(tilt) * height;
        q[1] *= std::cos(tilt) * height;
    }
    plot.num_arrow = 400;
    plot.arrow_prop_num = 2;
    plot.arrow_prop[0][1] = 199;
    plot.arrow_prop[1][0] = 200;
    plot.arrow_prop[1][1] = 399;
    for (int b = 0; b < 2; b++) {
        plot.sincho[b] = 0.7 + 0.1 * b;
        plot.sencho[b] = 0.3;
        plot.sinfuku[b] = 0.1;
        plot.senfuku[b] = 0.3;
    }
    for (int j = 0; j < plot.num_arrow; j++) {
        plot.d_polar_arrow[j][0] = plot.d_radius_arrow * uniform(1, 1.2);
        plot.d_polar_arrow[j][1] = uniform(0, 180);
        plot.d_polar_arrow[j][2] = uniform(0, 360);
        plot.mat_size_arrow[j] = uniform(0.05, 0.3);
        plot.angle_arrow[j] = uniform(-180, 180);
        const float white[4] = {1, 1, 1, 0.8f};
        std::copy(white, white + 4, plot.mat_color_arrow[j]);
    }
    plot_data_changed();

    const struct {
        double latitude, longitude;
        float zoom;
        int perspective;
    } views[] = {{30, 10, 1.45f, 0}, {-60, 170, 3, 0}, {10, -40, 1.2f, 1}, {0, 0, -1.3f, 0}};
    for (const auto& v : views) {
        SCOPED_TRACE(testing::Message() << v.latitude << " " << v.longitude << " " << v.zoom);
        look_at(v.latitude, v.longitude);
        view.scale_factor = v.zoom;
        wnd.perspec = wnd.perspec_radio = v.perspective;
        resize(width(), height());
        leave_out_hidden_overlays(true);
        draw_globe();
        const std::vector<unsigned char> culled = read_back();
        leave_out_hidden_overlays(false);
        draw_globe();
        const std::vector<unsigned char> full = read_back();
        leave_out_hidden_overlays(true);
        int differ = 0, overlaid = 0;
        for (size_t i = 0; i < full.size(); i += 4) {
            differ += culled[i] != full[i] || culled[i + 1] != full[i + 1] ||
                      culled[i + 2] != full[i + 2];
            overlaid += full[i] > 0 || full[i + 1] > 0; // the map itself is blue
        }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(overlaid, 2000);
    }
}

TEST_F(PlotDraw, SymbolQuadsLookLikeTheirTriangles)
{
    // Every type, sizes from a pixel to dozens, some translucent, some
    // overlapping, all over the globe and so along every limb.
    std::srand(11);
    auto uniform = [](double lo, double hi) { return lo + (hi - lo) * std::rand() / RAND_MAX; };
    for (int i = 0; i < 600; i++)
        add_point(std::asin(uniform(-1, 1)) * 180 / kPi, uniform(-180, 180), uniform(0.01, 0.12),
                  i % 11,
                  {static_cast<unsigned char>(80 + i * 37 % 176),
                   static_cast<unsigned char>(i * 91 % 256), 255, 255},
                  i % 4 == 0 ? 0.6f : 1);
    plot_data_changed();
    const struct {
        double latitude, longitude;
        float zoom;
        float shift; // screen units to the left: brings the limb of a large globe into view
    } views[] = {{30, 10, 0.5f, 0},
                 {30, 10, 1.45f, 0},
                 {-60, 170, 2.5f, 0},
                 {10, -40, 4, 0.6f},
                 {45, 100, 8, 1}};
    for (const auto& v : views) {
        SCOPED_TRACE(testing::Message() << v.latitude << " " << v.longitude << " zoom " << v.zoom);
        look_at(v.latitude, v.longitude);
        view.scale_factor = v.zoom;
        view.trans[0] = -v.shift;
        plot.point_display_onoff = 0;
        draw_globe();
        const std::vector<unsigned char> bare = read_back();
        plot.point_display_onoff = 1;
        draw_symbols_as_triangles(true);
        draw_globe();
        const std::vector<unsigned char> triangles = read_back();
        draw_symbols_as_triangles(false);
        draw_globe();
        const std::vector<unsigned char> quads = read_back();
        int inside = 0, differ = 0;
        for (size_t i = 0; i < bare.size(); i += 4) {
            int to_bare = 0, between = 0;
            for (size_t c = i; c < i + 3; c++) {
                to_bare = std::max(
                    {to_bare, std::abs(triangles[c] - bare[c]), std::abs(quads[c] - bare[c])});
                between = std::max(between, std::abs(triangles[c] - quads[c]));
            }
            inside += to_bare > 0;
            differ += between > 24;
        }
        EXPECT_GT(inside, 2000);
        EXPECT_LT(differ, 0.02 * inside) << differ << " of " << inside << " symbol pixels";
    }
}
