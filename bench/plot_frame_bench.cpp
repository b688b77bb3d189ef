// plot_frame_bench.cpp — frames per second of the textured globe carrying
// 10 000 point symbols (all eleven types in turn, translucent ones among them)
// and 20 000 plotted-line points, against the bare globe in the same
// 800 x 600 window. The ratio loaded / bare is what the overlays cost. Also:
// each layer alone, and both drawn whole rather than without what the globe
// hides; processor time a frame beside the frame rate, since the rasteriser's
// threads share the machine with whatever else runs.
//
// Needs an X display (run it under Xvfb). The map is
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

#include "bench_map.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "plot/plot_files.h"
#include "plot/plot_render.h"
#include "plot/plot_shapes.h"
#include "render/display.h"
#include "view/orientation.h"

namespace {

constexpr int kMapWidth = 2048;
constexpr int kMapHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr double kSecondsPerRun = 2.0;
constexpr int kRounds = 3;
constexpr int kPoints = 10000;
constexpr int kTracks = 100; // lines of 200 points each
constexpr int kTrackPoints = 200;

// A fixed pseudo-random sequence in [0, 1), so every run draws the same data.
double next_random()
{
    static unsigned long long state = 88172645463325252ull;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return double(state >> 11) / double(1ull << 53);
}

// Points spread evenly over the sphere, types 0 .. 10 in turn, size 0.03
// (a circle about 7 pixels across at the shipped zoom), every third one
// translucent.
void fill_points()
{
    for (int i = 0; i < kPoints; i++) {
        const double latitude = std::asin(2 * next_random() - 1) * 180 / M_PI;
        const double longitude = 360 * next_random() - 180;
        plot.d_polar_point[i][0] = plot.d_radius_point;
        plot.d_polar_point[i][1] = 90 - latitude;
        plot.d_polar_point[i][2] = longitude + 180;
        plot.mat_size_point[i] = 0.03;
        plot.prop_point[i] = i % kSymbolTypes;
        const float rgb[3] = {float(next_random()), float(next_random()), float(next_random())};
        for (int k = 0; k < 3; k++)
            plot.mat_color_point[i][k] = rgb[k];
        plot.mat_color_point[i][3] = i % 3 == 0 ? 0.6f : 1.0f;
    }
    plot.num_point = kPoints;
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
            const double c = (90 - latitude) * M_PI / 180, l = (longitude + 180) * M_PI / 180;
            const double r = plot.d_radius_senga;
            plot.d_zahyo_senga[point][0] = r * std::sin(c) * std::cos(l);
            plot.d_zahyo_senga[point][1] = r * std::sin(c) * std::sin(l);
            plot.d_zahyo_senga[point][2] = r * std::cos(c);
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

// What one configuration of the overlays costs.
struct Case {
    const char* name;
    bool points, lines;
    bool leave_out_hidden; // the drawing leaves out what the globe hides
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

// Runs the case for about kSecondsPerRun and keeps its best figures.
void measure(Case& c)
{
    plot.point_display_onoff = c.points ? 1 : 0;
    plot.senga_display_onoff = c.lines ? 1 : 0;
    leave_out_hidden_overlays(c.leave_out_hidden);
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

    fill_points();
    fill_lines();
    plot_data_changed();

    std::printf("window %dx%d, map %dx%d from %s, renderer %s\n", kWindowWidth, kWindowHeight,
                kMapWidth, kMapHeight, from_earth ? "earth.jpg" : "a synthetic pattern",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%d points (types 0 to 10 in turn, size 0.03), %d lines of %d points, zoom %.2f\n",
                kPoints, kTracks, kTrackPoints, view.scale_factor);
    Case cases[] = {
        {"bare globe", false, false, true},
        {"with points and lines", true, true, true},
        {"points alone", true, false, true},
        {"lines alone", false, true, true},
        {"both, hidden parts drawn", true, true, false},
    };
    // Rounds interleave the cases, so that a busy moment of the machine
    // does not fall on one case alone; each keeps its best round.
    for (int round = 0; round < kRounds; round++)
        for (Case& c : cases)
            measure(c);
    std::printf("%-28s %10s %10s %12s\n", "", "frames/s", "ms/frame", "CPU ms/frame");
    for (const Case& c : cases)
        std::printf("%-28s %10.1f %10.2f %12.2f\n", c.name, c.frames_per_second,
                    1000 / c.frames_per_second, c.cpu_ms);
    std::printf("ratio loaded / bare: %.2f frames/s, %.2f CPU time\n",
                cases[1].frames_per_second / cases[0].frames_per_second,
                cases[0].cpu_ms / cases[1].cpu_ms);
    return 0;
}
