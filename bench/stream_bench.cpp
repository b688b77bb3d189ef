// stream_bench.cpp — the real program with map series larger than its
// memory budget: 365 distinct maps of 4096 x 2048 under #SeriesMemoryMiB 1024
// (first picture after the start, peak resident memory against the budget,
// late maps over 30 s at speed level 13), the same with 2048 x 1024 maps at
// level 15, the time a jump on the time bar takes to show (2K), the start and
// memory of 10 000 maps streamed, and the start of 96 maps of 2048 x 1024
// decoded up front against libjpeg alone decoding them on one core.
//
// Needs an X display (run it under Xvfb) and xdotool. The series are made
// once from /usr/share/xplanet/images/earth.jpg (each map turned by a day's
// share of a turn; a pattern when the picture is missing) and kept under
// build/bench-series for the next runs: about 0.9 GB. Figures come from the
// counters the program publishes (TYX_FRAME_COUNTER) and /proc.
#include <sys/statvfs.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_jpeg.h"
#include "bench_map.h"
#include "bench_run.h"

using namespace bench;

namespace {

constexpr int kDays = 365;
constexpr int kBudgetMiB = 1024;
constexpr double kPlaySeconds = 30;
constexpr int kUpFrontMaps = 96;
constexpr int kManyMaps = 10000; // the tables' limit

const fs::path kStore = fs::path(TYX_BUILD_DIR) / "bench-series";

// map/sample1.jpg ... map/sample365.jpg of width x height under `folder`,
// made unless a finished set is there.
bool make_series(const fs::path& folder, int width, int height)
{
    const fs::path done = folder / "complete";
    if (fs::exists(done))
        return true;
    fs::create_directories(folder);
    bool from_earth = false;
    const TexImage earth = bench_map(2048, 1024, &from_earth);
    std::printf("making %d maps of %dx%d from %s in %s ...\n", kDays, width, height,
                from_earth ? "earth.jpg" : "a pattern", folder.c_str());
    std::fflush(stdout);
    auto make = [&](int first, int step) {
        std::vector<unsigned char> frame(size_t(width) * height * 3);
        for (int day = first; day < kDays; day += step) {
            const int shift = day * width / kDays;
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width; x++) {
                    const int sx = ((x + shift) % width) * 2048 / width;
                    const int sy = y * 1024 / height;
                    std::copy_n(&earth.pixels[(size_t(sy) * 2048 + sx) * 3], 3,
                                &frame[(size_t(y) * width + x) * 3]);
                }
            write_rgb_jpeg((folder / ("sample" + std::to_string(day + 1) + ".jpg")).string(), frame,
                           width, height, 90);
        }
    };
    std::thread helper(make, 1, 2);
    make(0, 2);
    helper.join();
    std::ofstream(done) << kDays << "\n";
    return fs::exists(folder / ("sample" + std::to_string(kDays) + ".jpg"));
}

// A data folder for one run: the program's data tree, `maps` maps linked in
// (from the start of `series`, round again past its last) and `conf` as the
// user's settings.
fs::path make_series_folder(const std::string& name, const fs::path& series, int maps,
                            const std::string& conf)
{
    const fs::path folder = make_run_folder(kStore, name, conf);
    for (int i = 1; i <= maps; i++)
        fs::create_symlink(series / ("sample" + std::to_string((i - 1) % kDays + 1) + ".jpg"),
                           folder / "map" / ("sample" + std::to_string(i) + ".jpg"));
    return folder;
}

struct PlayFigures {
    double first_picture = -1;
    double peak_mib = -1;
    unsigned long long late = 0, shown = 0, drawn = 0;
};

// Starts the program on `series` playing at `level` and watches it for
// kPlaySeconds after its first picture.
PlayFigures watch_playback(const std::string& name, const fs::path& series, int level)
{
    const std::string conf = "#TextureSuffix jpg\n#SeriesMemoryMiB " + std::to_string(kBudgetMiB) +
                             "\n#Animation 1\n#Repeat 1\n#AnimationSpeed " + std::to_string(level) +
                             "\n#StopAt1stMap 0\n";
    Run run(make_series_folder(name, series, kDays, conf));
    PlayFigures f;
    f.first_picture = run.wait([](const Counters& c) { return c.maps_shown() >= 1; });
    if (f.first_picture < 0)
        return f;
    const Counters before = run.counters();
    std::this_thread::sleep_for(std::chrono::duration<double>(kPlaySeconds));
    const Counters after = run.counters();
    f.late = after.late() - before.late();
    f.shown = after.maps_shown() - before.maps_shown();
    f.drawn = after.frames_drawn() - before.frames_drawn();
    f.peak_mib = run.peak_mib();
    return f;
}

void report_play(const char* what, const PlayFigures& f, int level)
{
    const double rate = 5.0 / std::pow(std::sqrt(2.0), 8 - level);
    std::printf("%s, speed level %d (%.1f maps/s asked):\n", what, level, rate);
    if (f.first_picture < 0) {
        std::printf("  no picture within 60 s\n");
        return;
    }
    std::printf("  first picture after exec:   %.3f s   (target <= 0.5 s)\n", f.first_picture);
    std::printf("  late maps over %.0f s:        %llu     (target 0); %llu maps shown, %.1f/s\n",
                kPlaySeconds, f.late, f.shown, f.shown / kPlaySeconds);
    // Fewer maps shown than asked with few late ones: the drawing, not the
    // decoding, kept the pace (a loaded machine).
    std::printf("  frames drawn:               %.1f/s\n", f.drawn / kPlaySeconds);
    std::printf("  peak resident memory:       %.0f MiB (target <= budget %d + 128 = %d MiB)\n",
                f.peak_mib, kBudgetMiB, kBudgetMiB + 128);
}

// Clicks on the time bar at frames far apart and times each until the
// program shows another frame.
std::vector<double> jumps(const fs::path& series)
{
    const std::string conf = "#TextureSuffix jpg\n#SeriesMemoryMiB " + std::to_string(kBudgetMiB) +
                             "\n#Animation 0\n" + kTimebarConf;
    Run run(make_series_folder("jump", series, kDays, conf));
    std::vector<double> times;
    if (run.wait([](const Counters& c) { return c.maps_shown() >= 1; }) < 0)
        return times;
    std::this_thread::sleep_for(std::chrono::seconds(3)); // the cache fills round frame 0
    const std::string window = run.window();
    if (window.empty())
        return times;
    for (int target : {150, 300, 80, 230, 10, 190, 330}) {
        const int column = timebar_column(target, kDays);
        const int before = run.counters().frame();
        const auto sent = Clock::now();
        const std::string click = "xdotool mousemove --window " + window + " " +
                                  std::to_string(column) + " " + std::to_string(kTimebarRow) +
                                  " click 1";
        if (std::system(click.c_str()) != 0)
            break;
        const auto deadline = sent + std::chrono::seconds(5);
        while (run.counters().frame() == before && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        times.push_back(std::chrono::duration<double>(Clock::now() - sent).count());
        std::this_thread::sleep_for(std::chrono::seconds(2)); // the cache settles
    }
    return times;
}

// The table limit of maps, linked round the 2K series, streamed: the time
// to the first picture and the memory a few seconds into playing.
void many_maps(const fs::path& series)
{
    const std::string conf = "#TextureSuffix jpg\n#SeriesMemoryMiB " + std::to_string(kBudgetMiB) +
                             "\n#Animation 1\n#AnimationSpeed 13\n";
    Run run(make_series_folder("many", series, kManyMaps, conf));
    const double first = run.wait([](const Counters& c) { return c.maps_shown() >= 1; });
    std::this_thread::sleep_for(std::chrono::seconds(5));
    std::printf("%d maps of 2048x1024 (links round the 365), #SeriesMemoryMiB %d:\n", kManyMaps,
                kBudgetMiB);
    std::printf("  first picture after exec:   %.3f s   (target <= 1 s)\n", first);
    std::printf("  peak resident memory:       %.0f MiB after 5 s of play (target <= %d MiB)\n",
                run.peak_mib(), kBudgetMiB + 128);
}

// libjpeg alone decoding the first kUpFrontMaps maps on one thread, each
// kept as the tables keep them; and the program's start to its first
// picture with the same maps decoded up front.
void up_front(const fs::path& series)
{
    std::vector<double> jpeg, start;
    for (int round = 0; round < 3; round++) {
        {
            std::vector<std::unique_ptr<unsigned char[]>> frames;
            const auto begin = Clock::now();
            for (int i = 1; i <= kUpFrontMaps; i++) {
                int w = 0, h = 0;
                frames.push_back(libjpeg_decode(
                    (series / ("sample" + std::to_string(i) + ".jpg")).string(), &w, &h));
            }
            jpeg.push_back(seconds_since(begin));
        }
        Run run(make_series_folder("up-front", series, kUpFrontMaps, "#TextureSuffix jpg\n"));
        start.push_back(run.wait([](const Counters& c) { return c.maps_shown() >= 1; }));
    }
    std::sort(jpeg.begin(), jpeg.end());
    std::sort(start.begin(), start.end());
    std::printf("%d maps of 2048x1024 decoded up front (medians of 3):\n", kUpFrontMaps);
    std::printf("  libjpeg alone, one core:    %.3f s\n", jpeg[1]);
    std::printf("  exec to first steady frame: %.3f s   ratio %.2f (target <= 0.55)\n", start[1],
                start[1] / jpeg[1]);
}

} // namespace

int main()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "stream_bench needs an X display; run it under xvfb-run\n");
        return 1;
    }
    fs::create_directories(kStore);
    struct statvfs disk {};
    if (statvfs(kStore.c_str(), &disk) == 0 &&
        double(disk.f_bavail) * disk.f_frsize < 2.0 * (1 << 30) && !fs::exists(kStore / "4k"))
        std::printf("warning: less than 2 GiB free under %s for the series\n", kStore.c_str());
    std::printf("load average at the start: %s (2 cores)\n", load_average().c_str());
    const fs::path four_k = kStore / "4k", two_k = kStore / "2k";
    if (!make_series(four_k, 4096, 2048) || !make_series(two_k, 2048, 1024)) {
        std::fprintf(stderr, "the series could not be made\n");
        return 1;
    }

    report_play("365 maps of 4096x2048, #SeriesMemoryMiB 1024", watch_playback("4k", four_k, 13),
                13);
    report_play("365 maps of 2048x1024, #SeriesMemoryMiB 1024", watch_playback("2k", two_k, 15),
                15);
    std::vector<double> times = jumps(two_k);
    if (times.empty()) {
        std::printf("jumps: the window or xdotool was not found\n");
    } else {
        std::sort(times.begin(), times.end());
        std::printf("jump on the time bar to a frame not decoded (2K, %zu jumps, xdotool "
                    "included): median %.3f s, worst %.3f s (target <= 0.15 s)\n",
                    times.size(), times[times.size() / 2], times.back());
    }
    many_maps(two_k);
    up_front(two_k);
    std::printf("load average at the end: %s\n", load_average().c_str());
    return 0;
}
