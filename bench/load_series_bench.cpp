// load_series_bench.cpp — loading a 96-frame series of 2048 x 1024 JPEG maps
// (discovery, decoding into the image tables, first texture upload) against
// libjpeg alone decoding the same files on one thread, with the loader's own
// pool (a decoding thread per core) and with 1 and 2 threads; peak resident
// memory beside the raw pixel bytes.
//
// The frames are made from /usr/share/xplanet/images/earth.jpg (turned by a
// 96th of a turn per frame) when it is installed, else from a synthetic
// pattern. The upload needs a GL context: with DISPLAY set a hidden freeglut
// window provides one, otherwise the load is timed without the upload.
#include <GL/freeglut.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_jpeg.h"
#include "core/tyxparam.h"
#include "imagery/series_discovery.h"
#include "imagery/series_loading.h"
#include "imagery/texture_loading.h"
#include "imagery/texture_upload_gl.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFrames = 96;
constexpr int kWidth = 2048;
constexpr int kHeight = 1024;
constexpr int kRounds = 5;

// The source picture at the benchmark size: the Earth if installed, else a
// pattern with enough detail to cost a realistic decode.
std::vector<unsigned char> source_picture(bool* from_earth)
{
    int width = 0, height = 0;
    std::unique_ptr<unsigned char[]> earth =
        libjpeg_decode("/usr/share/xplanet/images/earth.jpg", &width, &height);
    *from_earth = earth && width == kWidth && height == kHeight;
    if (*from_earth)
        return std::vector<unsigned char>(earth.get(), earth.get() + size_t(kWidth) * kHeight * 3);
    std::vector<unsigned char> pattern(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            unsigned char* p = &pattern[(static_cast<size_t>(y) * kWidth + x) * 3];
            double lat = y * 3.14159 / kHeight, lon = x * 6.28318 / kWidth;
            p[0] = static_cast<unsigned char>(127 + 120 * std::sin(7 * lon) * std::sin(5 * lat));
            p[1] = static_cast<unsigned char>((x * 7 + y * 13) ^ (x * y));
            p[2] = static_cast<unsigned char>(127 + 120 * std::cos(11 * lon + 3 * lat));
        }
    return pattern;
}

// Writes map/sample1.jpg ... map/sample96.jpg into the working directory.
void write_series(const std::vector<unsigned char>& picture)
{
    fs::create_directories("map");
    std::vector<unsigned char> frame(picture.size());
    for (int h = 0; h < kFrames; h++) {
        int shift = h * kWidth / kFrames;
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++) {
                size_t from = (static_cast<size_t>(y) * kWidth + (x + shift) % kWidth) * 3;
                size_t to = (static_cast<size_t>(y) * kWidth + x) * 3;
                std::copy_n(&picture[from], 3, &frame[to]);
            }
        write_rgb_jpeg("map/sample" + std::to_string(h + 1) + ".jpg", frame, kWidth, kHeight, 90);
    }
}

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every frame is kept until all are decoded, as the image tables keep them:
// fresh memory for each frame is part of the cost of holding a series.
double libjpeg_alone()
{
    std::vector<std::unique_ptr<unsigned char[]>> frames;
    auto start = std::chrono::steady_clock::now();
    for (int h = 1; h <= kFrames; h++) {
        int width = 0, height = 0;
        frames.push_back(
            libjpeg_decode("map/sample" + std::to_string(h) + ".jpg", &width, &height));
    }
    return seconds_since(start);
}

void release_tables()
{
    for (int s = 0; s < kFrames; s++) {
        img.image1[s].release();
        img.image2[s].release();
        img.mask_logo[s] = 0;
    }
}

// Discovery, decoding and (with GL) the first upload, as window 1's first
// frame does them (with its progress bar); `threads` 0 means the loader's
// own choice.
double tyx_load(bool with_gl, int threads)
{
    release_tables();
    auto start = std::chrono::steady_clock::now();
    fileornot();
    if (threads == 0 && with_gl) {
        fileyomitori(wnd.window1);
    } else {
        int limit = with_gl ? max_texture_size() : 0;
        read_icons();
        load_series_slots({0, play.ntimemax}, limit,
                          threads == 0 ? decode_thread_count() : threads);
        clamp_frame_index();
        if (with_gl) {
            prepare_frame_texture_names(wnd.window1);
            upload_frame_textures(wnd.window1);
        }
    }
    if (with_gl)
        glFinish();
    return seconds_since(start);
}

void remove_series(const fs::path& dir)
{
    release_tables();
    fs::current_path(fs::temp_directory_path());
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peak_resident_kib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
}

} // namespace

int main(int argc, char** argv)
{
    fs::path dir = fs::temp_directory_path() / ("tyx-load-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);

    bool from_earth = false;
    {
        std::vector<unsigned char> picture = source_picture(&from_earth);
        write_series(picture);
    }
    std::printf("series: %d frames %dx%d JPEG from %s in %s\n", kFrames, kWidth, kHeight,
                from_earth ? "earth.jpg" : "a synthetic pattern", dir.c_str());

    const char* display = std::getenv("DISPLAY");
    bool with_gl = display != nullptr && *display != '\0';
    if (with_gl) {
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(64, 64);
        wnd.window1 = glutCreateWindow("tyx load bench");
        glutDisplayFunc([] {});
        glutHideWindow();
        glutMainLoopEvent();
    } else {
        std::printf("DISPLAY is not set: timing without the texture upload\n");
    }
    icons.int_button = 0; // no icon files here
    series.strtexfile_s = "jpg";

    // Memory first, while nothing else has grown the process.
    long before_kib = peak_resident_kib();
    double first = tyx_load(with_gl, 0);
    long peak_kib = peak_resident_kib();
    double raw_mib = double(kFrames) * kWidth * kHeight * 3 / (1024.0 * 1024.0);
    std::printf("frames loaded: %d (first load %.3f s)\n", play.ntimemax, first);
    if (play.ntimemax != kFrames) {
        std::fprintf(stderr, "the series was not found; nothing to compare\n");
        remove_series(dir);
        return 1;
    }
    std::printf("peak resident memory: %.1f MiB (%.1f MiB before the load, +%.1f MiB); raw "
                "pixels %.1f MiB (%.0f bytes)\n",
                peak_kib / 1024.0, before_kib / 1024.0, (peak_kib - before_kib) / 1024.0, raw_mib,
                raw_mib * 1024 * 1024);

    // The machine may be shared: each round times libjpeg and the loads
    // back to back, and the ratios are the medians of the rounds' ratios.
    const int all = decode_thread_count();
    const std::array<int, 3> thread_counts = {1, 2, all};
    std::vector<double> jpeg_seconds;
    std::array<std::vector<double>, 3> load_seconds, ratios;
    for (int round = 0; round < kRounds; round++) {
        jpeg_seconds.push_back(libjpeg_alone());
        for (size_t t = 0; t < thread_counts.size(); t++) {
            load_seconds[t].push_back(
                tyx_load(with_gl, t + 1 == thread_counts.size() ? 0 : thread_counts[t]));
            ratios[t].push_back(load_seconds[t].back() / jpeg_seconds.back());
        }
    }
    std::printf("medians of %d rounds:\n", kRounds);
    std::printf("libjpeg alone, one thread:           %.3f s\n", median(jpeg_seconds));
    const char* what[] = {
        "1 thread:             ", "2 threads:            ", "the loader's own pool:"};
    const char* goals[] = {"", "  (target <= 0.55 on two cores, floor 0.50)", ""};
    for (size_t t = 0; t < thread_counts.size(); t++)
        std::printf("tyx%s, %s %.3f s  ratio %.2f (%d thread%s)%s\n", with_gl ? " + upload" : "",
                    what[t], median(load_seconds[t]), median(ratios[t]), thread_counts[t],
                    thread_counts[t] == 1 ? "" : "s", goals[t]);

    remove_series(dir);
    return 0;
}
