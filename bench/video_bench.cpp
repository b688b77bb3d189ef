// video_bench.cpp — the real program playing a map film: a 600-frame H.264
// film of 4096 x 2048 at speed level 13 (28 maps/s) under #SeriesMemoryMiB
// 1024 (first picture after exec, late maps, peak resident memory against
// the budget), the time a jump to a frame far away takes to show (2048 x
// 1024, a key frame every 60 frames), and the film reader alone decoding the
// 4K film in order, for the context of the figures.
//
// Needs an X display (run it under Xvfb), xdotool and the ffmpeg tool. The
// films are made once from /usr/share/xplanet/images/earth.jpg turning (a
// test pattern when the picture is missing) and kept under
// build/bench-series for the next runs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_run.h"
#include "imagery/film_reader.h"

using namespace bench;

namespace {

constexpr int kFrames = 600;
constexpr int kKeyInterval = 60;
constexpr int kBudgetMiB = 1024;
constexpr int kLevel = 13;
constexpr double kPlaySeconds = 20;

const fs::path kStore = fs::path(TYX_BUILD_DIR) / "bench-series";
const char* const kEarth = "/usr/share/xplanet/images/earth.jpg";

// A film of kFrames frames of width x height, a key frame every
// kKeyInterval, made unless it is there.
fs::path make_film(int width, int height)
{
    const fs::path film = kStore / ("film-" + std::to_string(width) + ".mp4");
    if (fs::exists(film))
        return film;
    fs::create_directories(kStore);
    const std::string size = std::to_string(width) + ":" + std::to_string(height);
    const bool earth = fs::exists(kEarth);
    const std::string input = earth ? std::string("-loop 1 -framerate 30 -i ") + kEarth
                                    : "-f lavfi -i testsrc2=size=" + std::to_string(width) + "x" +
                                          std::to_string(height) + ":rate=30";
    const fs::path part = film.string() + ".part.mp4";
    const std::string command = "ffmpeg -nostdin -y -loglevel error " + input +
                                " -vf scale=" + size + ",scroll=h=0.00274 -frames:v " +
                                std::to_string(kFrames) +
                                " -c:v libx264 -preset veryfast -crf 20 -g " +
                                std::to_string(kKeyInterval) + " -pix_fmt yuv420p " + part.string();
    std::printf("making a film of %d frames of %dx%d from %s ...\n", kFrames, width, height,
                earth ? "earth.jpg" : "a test pattern");
    std::fflush(stdout);
    if (std::system(command.c_str()) != 0)
        return {};
    fs::rename(part, film);
    return film;
}

fs::path film_run_folder(const std::string& name, const fs::path& film, const std::string& conf)
{
    const fs::path folder = make_run_folder(kStore, name,
                                            "#TextureName map/film\n#TextureSuffix mp4\n"
                                            "#SeriesMemoryMiB " +
                                                std::to_string(kBudgetMiB) + "\n" + conf);
    fs::create_symlink(film, folder / "map" / "film.mp4");
    return folder;
}

void report_playback(const fs::path& film)
{
    const std::string conf = "#Animation 1\n#Repeat 1\n#StopAt1stMap 0\n#AnimationSpeed " +
                             std::to_string(kLevel) + "\n";
    Run run(film_run_folder("film-4k", film, conf));
    const double first = run.wait([](const Counters& c) { return c.maps_shown() >= 1; });
    std::printf("%d frames of 4096x2048 H.264, #SeriesMemoryMiB %d, speed level %d (%.1f maps/s "
                "asked):\n",
                kFrames, kBudgetMiB, kLevel, maps_per_second(kLevel));
    if (first < 0) {
        std::printf("  no picture within 60 s\n");
        return;
    }
    const Counters before = run.counters();
    std::this_thread::sleep_for(std::chrono::duration<double>(kPlaySeconds));
    const Counters after = run.counters();
    const unsigned long long shown = after.maps_shown() - before.maps_shown();
    std::printf("  first picture after exec:   %.3f s   (target <= 0.5 s)\n", first);
    std::printf("  late maps over %.0f s:        %llu     (target 0); %llu maps shown, %.1f/s\n",
                kPlaySeconds, after.late() - before.late(), shown, shown / kPlaySeconds);
    std::printf("  peak resident memory:       %.0f MiB (target <= budget %d + 128 = %d MiB)\n",
                run.peak_mib(), kBudgetMiB, kBudgetMiB + 128);
}

void report_jumps(const fs::path& film)
{
    Run run(film_run_folder("film-jump", film, std::string("#Animation 0\n") + kTimebarConf));
    std::vector<double> times;
    if (run.wait([](const Counters& c) { return c.maps_shown() >= 1; }) >= 0) {
        std::this_thread::sleep_for(std::chrono::seconds(2)); // the cache fills round frame 0
        const std::string window = run.window();
        // Frames far apart, none a key frame, most far from one.
        for (int target : {317, 101, 545, 233, 59, 430, 170, 499}) {
            if (window.empty())
                break;
            const int before = run.counters().frame();
            const auto sent = Clock::now();
            const std::string click = "xdotool mousemove --window " + window + " " +
                                      std::to_string(timebar_column(target, kFrames)) + " " +
                                      std::to_string(kTimebarRow) + " click 1";
            if (std::system(click.c_str()) != 0)
                break;
            const auto deadline = sent + std::chrono::seconds(5);
            while (run.counters().frame() == before && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            times.push_back(seconds_since(sent));
            std::this_thread::sleep_for(std::chrono::seconds(2)); // the cache settles
        }
    }
    if (times.empty()) {
        std::printf("jumps: the window or xdotool was not found\n");
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("jump on the time bar to a frame far away (2048x1024, key frame every %d, %zu "
                "jumps, xdotool included): median %.3f s, worst %.3f s (target <= 0.25 s)\n",
                kKeyInterval, times.size(), times[times.size() / 2], times.back());
}

// The reader alone: frames in order, converted to BGRA.
void report_reader(const fs::path& film_path)
{
    std::string problem;
    FilmHandle film = open_film(film_path.string(), {}, &problem);
    if (!film) {
        std::printf("film reader: %s\n", problem.c_str());
        return;
    }
    const FilmInfo& info = film_info(*film);
    std::vector<unsigned char> pixels(size_t(info.output_width) * info.output_height * 4);
    const int count = 240;
    const auto start = Clock::now();
    const int read = read_film_frames(*film, 0, count - 1, [&](int) { return pixels.data(); });
    const double seconds = seconds_since(start);
    std::printf("film reader alone, %d frames of %dx%d in order to BGRA: %.1f frames/s (%d read)\n",
                count, info.output_width, info.output_height, read / seconds, read);
}

} // namespace

int main()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "video_bench needs an X display; run it under xvfb-run\n");
        return 1;
    }
    std::printf("load average at the start: %s (2 cores)\n", load_average().c_str());
    const fs::path four_k = make_film(4096, 2048);
    const fs::path two_k = make_film(2048, 1024);
    if (four_k.empty() || two_k.empty()) {
        std::fprintf(stderr, "the films could not be made (is ffmpeg installed?)\n");
        return 1;
    }
    report_reader(four_k);
    report_playback(four_k);
    report_jumps(two_k);
    std::printf("load average at the end: %s\n", load_average().c_str());
    return 0;
}
