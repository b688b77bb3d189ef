// text_frame_bench.cpp — what the text costs a frame in an 800 x 600 window:
// 1 000 labelled points against the same points without labels (the globe
// turning), and a still frame with a caption, the time bar's reading and a
// statistics line against the same frame without them. Each case prints its
// frames per second and processor time a frame; the two ratios at the end
// are what the text costs.
//
// Needs an X display (run it under Xvfb). The map is
// /usr/share/xplanet/images/earth.jpg when installed at 2048 x 1024, else a
// synthetic pattern.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "bench_frames.h"
#include "bench_map.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "plot/plot_files.h"
#include "render/display.h"
#include "text/text_gl.h"
#include "text/window_text.h"

namespace {

constexpr int kMapWidth = 2048;
constexpr int kMapHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr double kSecondsPerRun = 1.0;
constexpr int kRounds = 6;
constexpr int kPoints = 1000;

// Points spread evenly over the sphere, circles of size 0.03, each named
// like a town ("Town 123", eight characters).
void fill_points()
{
    for (int i = 0; i < kPoints; i++) {
        place_point_at_random(i);
        const float rgba[4] = {1, 0.4f, 0.1f, 1};
        std::copy(rgba, rgba + 4, plot.mat_color_point[i]);
        plot.point_labels.push_back({i, "Town " + std::to_string(i % 1000)});
    }
    plot.num_point = kPoints;
    plot.point_display_onoff = 1;
}

// A statistics line as long as a frame-rate read-out is.
const std::string kStatistics = "42.0 frames/s  23.8 ms  maps 12/96  cached 48  decoding 2";

struct Case {
    const char* name;
    bool turning; // the globe turns a tenth of a degree a frame
    bool labels;  // the points are named
    bool texts;   // caption, time bar reading, statistics line
    FrameTiming timing;
};

void frame(const Case& c)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    if (c.turning)
        spin.thetajiten += 0.1;
    plot.point_display_onoff = c.turning ? 1 : 0; // the still frame is the bare globe
    txt.labels_display_onoff = c.labels ? 1 : 0;
    txt.timebar_text = c.texts ? 1 : 0;
    display_earth(wnd.window1);
    if (c.texts) {
        draw_caption();
        begin_text_pass();
        const float white[4] = {1, 1, 1, 1};
        draw_text(TextFace::kText, 14, kStatistics, 8, 20, white);
        end_text_pass();
    }
    glutSwapBuffers();
}

void measure(Case& c)
{
    time_frames([&c] { frame(c); }, kSecondsPerRun, &c.timing);
}

void print_ratio(const char* what, const Case& with, const Case& without)
{
    std::printf("%s: %.3f frames/s (cost %.1f %%), %.3f CPU time\n", what,
                with.timing.frames_per_second / without.timing.frames_per_second,
                100 * (1 - with.timing.frames_per_second / without.timing.frames_per_second),
                with.timing.cpu_ms / without.timing.cpu_ms);
}

} // namespace

int main(int argc, char** argv)
{
    if (!open_bench_window(&argc, argv, "text_frame_bench", kWindowWidth, kWindowHeight))
        return 1;
    // The shipped view (30 N 10 E, zoom 1.45) and time bar.
    view.rad_latitude = (90 - 30) * M_PI / 180;
    view.rad_longitude = (10 + 180) * M_PI / 180;
    view.scale_factor = view.init_scale_factor = 1.45f;
    overlay.time_scale = 0.36;
    overlay.time_x = -2.55;
    overlay.time_y = -1.533;
    start_bench_window(kWindowWidth, kWindowHeight);

    icons.int_button = 0;
    play.ntimemax = 96;
    play.ntime = 11;
    txt.captions.assign(96, "21 June 11:00 UTC");
    bool from_earth = false;
    img.image1[0] = bench_map(kMapWidth, kMapHeight, &from_earth);
    img.image1[11] = bench_map(kMapWidth, kMapHeight, &from_earth);
    prepare_frame_texture_names(wnd.window1);
    upload_frame_textures(wnd.window1);
    set_texture_environment();
    fill_points();
    plot_data_changed();

    std::printf("window %dx%d, map %dx%d from %s, renderer %s\n", kWindowWidth, kWindowHeight,
                kMapWidth, kMapHeight, from_earth ? "earth.jpg" : "a synthetic pattern",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%d points (circles of size 0.03), labels of 8 characters at %g points, zoom "
                "%.2f\n",
                kPoints, txt.label_size, view.scale_factor);
    Case cases[] = {
        {"points, turning", true, false, false, {}},
        {"points with labels, turning", true, true, false, {}},
        {"still frame", false, false, false, {}},
        {"still frame with texts", false, false, true, {}},
    };
    for (int round = 0; round < kRounds; round++)
        for (Case& c : cases)
            measure(c);
    std::printf("%-30s %10s %10s %12s\n", "", "frames/s", "ms/frame", "CPU ms/frame");
    for (const Case& c : cases)
        std::printf("%-30s %10.1f %10.2f %12.2f\n", c.name, c.timing.frames_per_second,
                    1000 / c.timing.frames_per_second, c.timing.cpu_ms);
    print_ratio("labels: with / without (goal: cost at most 20 %)", cases[1], cases[0]);
    print_ratio("caption, time bar reading and statistics line: with / without (goal: cost at "
                "most 5 %)",
                cases[3], cases[2]);
    return 0;
}
