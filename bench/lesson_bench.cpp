// lesson_bench.cpp — a lesson step between two series of 96 maps of
// 2048 x 1024: the time from the key to the first picture of the new series
// in window 1; and the frame rate of window 1 while the globe flies between
// two views against the same window turning the globe by hand.
//
// Needs an X display (run it under Xvfb). The series are written as JPEG
// files into a scratch folder from the Earth of xplanet-images when it is
// installed at that size, else from a synthetic pattern; the second series
// has its colours turned round, so that the centre pixel tells them apart.
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_frames.h"
#include "bench_jpeg.h"
#include "bench_map.h"
#include "config/readinitfile.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "lesson/flight_control.h"
#include "lesson/lesson_steps.h"
#include "render/display.h"
#include "view/orientation.h"
#include "view/quaternion.h"
#include "view/view_pose.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFrames = 96;
constexpr int kWidth = 2048;
constexpr int kHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kStepRounds = 3;
constexpr int kRateRounds = 5;
constexpr double kSecondsPerRound = 2.0;

// map/STEM1.jpg ... map/STEM96.jpg, each turned by a 96th of a turn.
void write_series(const TexImage& map, const std::string& stem, bool inverted)
{
    const size_t row = size_t(kWidth) * 3;
    std::vector<unsigned char> frame(row * kHeight);
    for (int h = 0; h < kFrames; h++) {
        const size_t shift = size_t(h) * kWidth / kFrames * 3;
        for (int y = 0; y < kHeight; y++)
            for (size_t x = 0; x < row; x++) {
                unsigned char v = map.pixels[y * row + (x + shift) % row];
                frame[y * row + x] = inverted ? 255 - v : v;
            }
        write_rgb_jpeg("map/" + stem + std::to_string(h + 1) + ".jpg", frame, kWidth, kHeight, 90);
    }
}

void centre_pixel(unsigned char rgb[3])
{
    unsigned char p[4] = {};
    glReadPixels(kWindowWidth / 2, kWindowHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    std::copy(p, p + 3, rgb);
}

// From the step key to the first drawn frame of step `step`, as window 1's
// frame handles it: the step's settings, its maps, the frame drawn. The
// flight is left out (it takes its own time by design).
double step_to_first_picture(int step)
{
    auto start = std::chrono::steady_clock::now();
    request_lesson_step(step);
    display();
    glFinish();
    const double seconds = seconds_since(start);
    end_flight();
    return seconds;
}

// A turn by hand: a small turn of globe 1 per frame, as a drag gives it.
void turning_frame()
{
    const double d[4] = {std::cos(0.004), 0, std::sin(0.004), 0};
    double q[4];
    qmul(q, d, view.cq);
    set_globe1_orientation(q);
    display();
}

FlightEnd pose_of(double latitude, double longitude, double scale)
{
    FlightEnd pose;
    orientation_of_view({latitude_to_polar_angle(latitude), longitude_to_radians(longitude), 0},
                        wnd.ez, pose.q);
    pose.scale = scale;
    return pose;
}

// A flight between two far views, set out again whenever it arrives.
void flying_frame()
{
    static bool there = false;
    if (!flight_under_way()) {
        there = !there;
        FlightEnd a = pose_of(10, -20, 1), b = pose_of(40, 140, 2);
        fly_between(there ? a : b, there ? b : a);
    }
    display();
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "lesson_bench needs an X display; run it under xvfb-run\n");
        return 1;
    }
    char folder[] = "/tmp/tyx-lesson-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0) {
        std::perror("lesson_bench: scratch folder");
        return 1;
    }
    fs::create_directories("map");
    fs::create_directories("data/conf");
    bool from_earth = false;
    {
        TexImage map = bench_map(kWidth, kHeight, &from_earth);
        std::printf("writing two series of %d maps of %dx%d from %s...\n", kFrames, kWidth, kHeight,
                    from_earth ? "earth.jpg" : "a synthetic pattern");
        std::fflush(stdout);
        write_series(map, "first", false);
        write_series(map, "second", true);
    }
    std::FILE* conf = std::fopen("data/conf/init_conf.txt", "w");
    std::fputs("#TextureName map/first #TextureSuffix jpg #Animation 0 #Spin 0\n"
               "#Latitude 0 #Longitude 0 #Scale 1\n"
               "#Lesson data/conf/lesson.txt\n",
               conf);
    std::fclose(conf);
    std::FILE* lesson_file = std::fopen("data/conf/lesson.txt", "w");
    std::fputs("= First\n#TextureName map/first\n= Second\n#TextureName map/second\n", lesson_file);
    std::fclose(lesson_file);

    series.init_file[0] = "data/conf/init_conf.txt";
    series.init_file[1] = series.init_file[2] = "";
    func_readinit_file();
    if (!open_bench_window(&argc, argv, "lesson_bench", kWindowWidth, kWindowHeight))
        return 1;
    start_bench_window(kWindowWidth, kWindowHeight);
    wnd.frame_rate_limit = 0;
    overlay.icon_hyoji_onoff = 0;
    icons.int_button = 0;

    // The first series loaded, as at start.
    display();
    unsigned char first[3], shown[3];
    centre_pixel(first);
    std::printf("window %dx%d, renderer %s\n", kWindowWidth, kWindowHeight,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    std::vector<double> step_seconds;
    for (int round = 0; round < kStepRounds; round++)
        for (int step : {1, 0}) {
            const double seconds = step_to_first_picture(step);
            centre_pixel(shown);
            const bool second = std::abs(int(shown[0]) - (255 - int(first[0]))) < 24;
            const bool back = std::abs(int(shown[0]) - int(first[0])) < 24;
            if ((step == 1 && !second) || (step == 0 && !back)) {
                std::fprintf(stderr, "step %d did not show its series (centre %d %d %d)\n",
                             step + 1, shown[0], shown[1], shown[2]);
                return 1;
            }
            step_seconds.push_back(seconds);
        }
    std::printf("step to another series of %d maps, first picture: median %.3f s, worst %.3f s "
                "(target <= 0.5 s)\n",
                kFrames, median(step_seconds),
                *std::max_element(step_seconds.begin(), step_seconds.end()));

    lesson.flight_seconds = 3;
    std::vector<double> turning, flying, ratio;
    for (int round = 0; round < kRateRounds; round++) {
        std::vector<double> rates =
            rates_side_by_side({turning_frame, flying_frame}, kSecondsPerRound);
        turning.push_back(rates[0]);
        flying.push_back(rates[1]);
        ratio.push_back(rates[1] / rates[0]);
    }
    std::printf("globe turned by hand: %8.1f frames/s\n", median(turning));
    std::printf("globe flying:         %8.1f frames/s\n", median(flying));
    std::printf("flying / turned:      %8.2f (target >= 0.90)\n", median(ratio));
    fs::remove_all(folder);
    return 0;
}
