// plot_frame_bench.cpp — frames per second of the textured globe carrying plot
// overlays, against the bare globe in the same window, uncapped:
// - the full load of the plot stores: 10 000 point symbols (all eleven types
//   in turn, translucent ones among them) and 20 000 plotted-line points;
// - a synthetic coastline of 374 000 points, about a kilometre apart, in a
//   line layer;
// - 170 000 small symbols in a point layer, as a town gazetteer gives;
// - 10 000 arrows, and the full load with symbols drawn as triangles;
// all in an 800 x 600 window, then the full load in a 1920 x 1080 one; and
// the memory the coastline takes beyond the bare viewer. The ratio loaded /
// bare is what the overlays cost. Processor time a frame is shown beside the
// frame rate, since the rasteriser's threads share the machine with
// whatever else runs.
//
// Needs an X display (run it under Xvfb) of at least 1920 x 1080. The map is
// /usr/share/xplanet/images/earth.jpg when installed at 2048 x 1024, else a
// synthetic pattern. The globe turns a little every frame, as it does while
// it spins.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "bench_map.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "plot/plot_files.h"
#include "plot/plot_layers.h"
#include "plot/plot_render.h"
#include "plot/plot_shapes.h"
#include "render/display.h"
#include "view/orientation.h"

namespace {

constexpr int kMapWidth = 2048;
constexpr int kMapHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kLargeWidth = 1920;
constexpr int kLargeHeight = 1080;
constexpr double kSecondsPerRun = 2.0;
constexpr int kRounds = 3;
constexpr int kPoints = 10000;
constexpr int kTracks = 100; // lines of 200 points each
constexpr int kTrackPoints = 200;
constexpr int kCoastPoints = 374000;
constexpr double kCoastSpacing = 1.0 / 6371; // a kilometre on the Earth, in globe radii
constexpr int kTowns = 170000;

// A fixed pseudo-random sequence in [0, 1), so every run draws the same data.
double next_random()
{
    static unsigned long long state = 88172645463325252ull;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return double(state >> 11) / double(1ull << 53);
}

// Roughly normal, mean 0, deviation 1.
double next_normal()
{
    return (next_random() + next_random() + next_random() + next_random() - 2) * std::sqrt(3.0);
}

void set_polar(double* polar, double radius, double latitude, double longitude)
{
    polar[0] = radius;
    polar[1] = 90 - latitude;
    polar[2] = longitude + 180;
}

double uniform_latitude()
{
    return std::asin(2 * next_random() - 1) * 180 / M_PI;
}

// Points spread evenly over the sphere, types 0 .. 10 in turn, size 0.03
// (a circle about 7 pixels across at the shipped zoom), every third one
// translucent.
void fill_points()
{
    for (int i = 0; i < kPoints; i++) {
        set_polar(plot.d_polar_point[i], plot.d_radius_point, uniform_latitude(),
                  360 * next_random() - 180);
        plot.mat_size_point[i] = 0.03;
        plot.prop_point[i] = i % kSymbolTypes;
        const float rgb[3] = {float(next_random()), float(next_random()), float(next_random())};
        for (int k = 0; k < 3; k++)
            plot.mat_color_point[i][k] = rgb[k];
        plot.mat_color_point[i][3] = i % 3 == 0 ? 0.6f : 1.0f;
    }
    plot.num_point = kPoints;
}

void to_cartesian(double latitude, double longitude, double r, double* p)
{
    const double c = (90 - latitude) * M_PI / 180, l = (longitude + 180) * M_PI / 180;
    p[0] = r * std::sin(c) * std::cos(l);
    p[1] = r * std::sin(c) * std::sin(l);
    p[2] = r * std::cos(c);
}

// Tracks that wander a degree per point from random starts, 2 pixels wide
// at zoom 1.
void fill_lines()
{
    int point = 0;
    for (int line = 0; line < kTracks; line++) {
        double latitude = 120 * next_random() - 60, longitude = 360 * next_random() - 180;
        double heading = 2 * M_PI * next_random();
        plot.lines_senga[line][0] = point;
        for (int k = 0; k < kTrackPoints; k++, point++) {
            to_cartesian(latitude, longitude, plot.d_radius_senga, plot.d_zahyo_senga[point]);
            heading += 0.3 * (next_random() - 0.5);
            latitude = std::clamp(latitude + std::sin(heading), -85.0, 85.0);
            longitude += std::cos(heading) / std::max(std::cos(latitude * M_PI / 180), 0.1);
        }
        plot.lines_senga[line][1] = point - 1;
        plot.mat_line_width_senga[line] = 2;
        const float rgba[4] = {1, float(next_random()), 0.2f, 1};
        std::copy(rgba, rgba + 4, plot.mat_color_senga[line]);
    }
    plot.pointnum_senga = point;
    plot.linenum_senga = kTracks;
}

struct Vec {
    double x, y, z;
};

Vec normalised(Vec v)
{
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

// One closed shore: a coarse ring around the centre refined by midpoint
// displacement (each new point pushed sideways by a fifth of its edge's
// length, at random) until the points lie about kCoastSpacing apart, which
// gives the self-similar wiggle of a real coast.
void add_shore(LineLayer& layer, double latitude, double longitude, double radius_degrees)
{
    double c[3];
    to_cartesian(latitude, longitude, 1, c);
    const Vec centre = {c[0], c[1], c[2]};
    const Vec east = normalised({-centre.y, centre.x, 0});
    const Vec north = {centre.y * east.z - centre.z * east.y, centre.z * east.x - centre.x * east.z,
                       centre.x * east.y - centre.y * east.x};
    std::vector<Vec> ring;
    const double r = radius_degrees * M_PI / 180;
    for (int k = 0; k < 12; k++) {
        const double a = 2 * M_PI * k / 12, d = r * (0.7 + 0.6 * next_random());
        ring.push_back(normalised({centre.x + d * (std::cos(a) * east.x + std::sin(a) * north.x),
                                   centre.y + d * (std::cos(a) * east.y + std::sin(a) * north.y),
                                   centre.z + d * (std::cos(a) * east.z + std::sin(a) * north.z)}));
    }
    for (double edge = 2 * M_PI * r / 12; edge > kCoastSpacing; edge /= 2) {
        std::vector<Vec> finer;
        for (size_t k = 0; k < ring.size(); k++) {
            const Vec a = ring[k], b = ring[(k + 1) % ring.size()];
            const Vec m = normalised({a.x + b.x, a.y + b.y, a.z + b.z});
            const Vec d = {b.x - a.x, b.y - a.y, b.z - a.z};
            const Vec side =
                normalised({m.y * d.z - m.z * d.y, m.z * d.x - m.x * d.z, m.x * d.y - m.y * d.x});
            const double push = 0.2 * edge * next_normal();
            finer.push_back(a);
            finer.push_back(
                normalised({m.x + push * side.x, m.y + push * side.y, m.z + push * side.z}));
        }
        ring.swap(finer);
    }
    ring.push_back(ring.front());
    const size_t room = kCoastPoints - layer.point.size();
    if (ring.size() > room)
        ring.resize(room);
    if (ring.size() < 2)
        return;
    PlotLine line = {unsigned(layer.point.size()), unsigned(ring.size()), 1, {0.9f, 0.9f, 0.3f, 1}};
    const double lift = plot.d_radius_senga;
    for (const Vec& p : ring)
        layer.point.push_back({float(lift * p.x), float(lift * p.y), float(lift * p.z)});
    layer.line.push_back(line);
}

// A mainland and islands of falling size off its coast, in the view of the
// shipped start position, until the layer holds kCoastPoints.
LineLayer make_coastline()
{
    LineLayer layer;
    layer.point.reserve(kCoastPoints);
    add_shore(layer, 50, 15, 9);
    for (int island = 1; layer.point.size() < size_t(kCoastPoints); island++)
        add_shore(layer, 35 + 35 * next_random(), -25 + 70 * next_random(),
                  std::max(0.05, 3.0 / std::sqrt(double(island))));
    layer.generation = new_plot_generation();
    return layer;
}

// Small symbols all over the sphere, types in turn, about 3 pixels across
// at the shipped zoom.
PointLayer make_towns()
{
    PointLayer layer;
    for (int i = 0; i < kTowns; i++) {
        PlotSymbol s;
        set_polar(s.polar, plot.d_radius_point, uniform_latitude(), 360 * next_random() - 180);
        s.size = 0.012;
        s.type = i % kSymbolTypes;
        const float rgba[4] = {float(next_random()), float(next_random()), 0.3f, 1};
        std::copy(rgba, rgba + 4, s.rgba);
        layer.symbol.push_back(s);
    }
    layer.generation = new_plot_generation();
    return layer;
}

// Arrows all over the sphere in one block, pointing every way.
void fill_arrows()
{
    plot.arrow_prop_num = 1;
    plot.arrow_prop[0][0] = 0;
    plot.arrow_prop[0][1] = kPoints - 1;
    plot.sincho[0] = 0.75;
    plot.sencho[0] = 0.35;
    plot.sinfuku[0] = 0.1;
    plot.senfuku[0] = 0.3;
    for (int j = 0; j < kPoints; j++) {
        set_polar(plot.d_polar_arrow[j], plot.d_radius_arrow, uniform_latitude(),
                  360 * next_random() - 180);
        plot.mat_size_arrow[j] = 0.05;
        plot.angle_arrow[j] = 360 * next_random();
        const float rgba[4] = {1, 1, float(next_random()), 1};
        std::copy(rgba, rgba + 4, plot.mat_color_arrow[j]);
    }
    plot.num_arrow = kPoints;
}

// What one configuration of the overlays costs.
struct Case {
    const char* name;
    const char* target;
    bool points, lines, arrows; // kinds shown, from the stores and the layers
    bool triangles = false;     // symbols as the triangles of their shapes
    double frames_per_second = 0;
    double cpu_ms = 0; // processor time of all threads (the rasteriser's too) a frame
};

// What window 1's frame does for the globe: clear, camera, globe with what it
// carries; the globe turns by a tenth of a degree a frame.
void globe_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    spin.thetajiten += 0.1;
    display_earth(wnd.window1);
    glutSwapBuffers();
}

void show(const Case& c)
{
    plot.point_display_onoff = c.points ? 1 : 0;
    plot.senga_display_onoff = c.lines ? 1 : 0;
    plot.arrow_display_onoff = c.arrows ? 1 : 0;
    draw_symbols_as_triangles(c.triangles);
}

// Runs the case for about kSecondsPerRun and keeps its best figures.
void measure(Case& c)
{
    show(c);
    for (int i = 0; i < 10; i++)
        globe_frame();
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    int frames = 0;
    double elapsed = 0;
    while (elapsed < kSecondsPerRun) {
        globe_frame();
        frames++;
        if (frames % 16 == 0)
            glutMainLoopEvent();
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    glFinish();
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = 1000.0 * double(std::clock() - cpu_start) / CLOCKS_PER_SEC / frames;
    c.frames_per_second = std::max(c.frames_per_second, frames / elapsed);
    c.cpu_ms = c.cpu_ms == 0 ? cpu : std::min(c.cpu_ms, cpu);
}

// Rounds interleave the cases, so that a busy moment of the machine does
// not fall on one case alone; each keeps its best round. The first case is
// the bare globe that the others are set against.
template <size_t N> void measure_and_print(Case (&cases)[N])
{
    for (int round = 0; round < kRounds; round++)
        for (Case& c : cases)
            measure(c);
    std::printf("%-48s %9s %9s %9s %8s\n", "", "frames/s", "ms/frame", "CPU ms", "/ bare");
    for (const Case& c : cases)
        std::printf("%-48s %9.1f %9.2f %9.2f %8.3f  %s\n", c.name, c.frames_per_second,
                    1000 / c.frames_per_second, c.cpu_ms,
                    c.frames_per_second / cases[0].frames_per_second, c.target);
}

// Resident memory of the process, KiB.
long resident_kib()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr)
        return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, f) != nullptr)
        if (std::sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    std::fclose(f);
    return kib;
}

void resize_window(int width, int height)
{
    glutReshapeWindow(width, height);
    for (int i = 0; i < 20; i++)
        glutMainLoopEvent();
    resize(width, height);
}

} // namespace

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "plot_frame_bench needs an X display; run it under xvfb-run\n");
        return 1;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    wnd.window1 = glutCreateWindow("tyx plot frame bench");
    glutDisplayFunc([] {});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The shipped view: 30 N 10 E, zoom 1.45.
    view.rad_latitude = (90 - 30) * M_PI / 180;
    view.rad_longitude = (10 + 180) * M_PI / 180;
    view.scale_factor = view.init_scale_factor = 1.45f;
    init(wnd.window1);
    for (int i = 0; i < 20; i++)
        glutMainLoopEvent();
    resize(kWindowWidth, kWindowHeight);

    overlay.icon_hyoji_onoff = 0;
    icons.int_button = 0;
    play.ntimemax = 1;
    play.ntime = 0;
    bool from_earth = false;
    img.image1[0] = bench_map(kMapWidth, kMapHeight, &from_earth);
    prepare_frame_texture_names(wnd.window1);
    upload_frame_textures(wnd.window1);
    set_texture_environment();
    std::printf("map %dx%d from %s, renderer %s, zoom %.2f\n", kMapWidth, kMapHeight,
                from_earth ? "earth.jpg" : "a synthetic pattern",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), view.scale_factor);

    std::printf("window %dx%d, uncapped, best of %d interleaved runs of %.0f s; each group has "
                "its own bare globe\n\n",
                kWindowWidth, kWindowHeight, kRounds, kSecondsPerRun);

    // The coastline's memory: the bare viewer, then the same with the
    // coastline drawn at zooms from the coarsest level of detail shown to
    // the finest.
    for (int i = 0; i < 30; i++)
        globe_frame();
    const long bare_kib = resident_kib();
    plot.line_layers.push_back(make_coastline());
    plot.senga_display_onoff = 1;
    for (float zoom : {0.5f, 1.45f, 3.0f, 8.0f, 1.45f}) {
        view.scale_factor = zoom;
        for (int i = 0; i < 5; i++)
            globe_frame();
    }
    glFinish();
    const long coast_kib = resident_kib();
    view.scale_factor = 1.45f;
    std::printf("coastline: %d points in %zu closed lines about 1 km apart, 1 pixel wide\n",
                kCoastPoints, plot.line_layers[0].line.size());
    Case coast[] = {{"bare globe", "", false, false, false},
                    {"coastline of 374 000 points", "target >= 0.20", false, true, false}};
    measure_and_print(coast);
    std::printf("memory for the coastline beyond the bare viewer: %.1f MiB (target <= 64; "
                "resident %ld KiB bare, %ld KiB with it)\n\n",
                (coast_kib - bare_kib) / 1024.0, bare_kib, coast_kib);
    plot.line_layers.clear();

    plot.point_layers.push_back(make_towns());
    std::printf("towns: %d symbols of size 0.012 (types in turn) all over the globe\n", kTowns);
    Case town[] = {{"bare globe", "", false, false, false},
                   {"170 000 symbols", "target >= 0.05", true, false, false}};
    measure_and_print(town);
    plot.point_layers.clear();

    fill_points();
    fill_lines();
    fill_arrows();
    plot_data_changed();
    std::printf("\nfull load: %d symbols (types 0 to 10 in turn, size 0.03, every third "
                "translucent), %d lines of %d points; %d arrows of length 0.05\n",
                kPoints, kTracks, kTrackPoints, kPoints);
    Case full[] = {
        {"bare globe", "", false, false, false},
        {"full load (10 000 symbols, 20 000 line points)", "target >= 0.20", true, true, false},
        {"  its symbols alone", "", true, false, false},
        {"  its line points alone", "", false, true, false},
        {"  the same symbols as triangles", "(the former drawing)", true, false, false, true},
        {"10 000 arrows", "", false, false, true},
    };
    measure_and_print(full);

    std::printf("\nwindow %dx%d:\n", kLargeWidth, kLargeHeight);
    resize_window(kLargeWidth, kLargeHeight);
    Case large[] = {
        {"bare globe", "", false, false, false},
        {"full load (10 000 symbols, 20 000 line points)", "", true, true, false},
    };
    measure_and_print(large);
    return 0;
}
