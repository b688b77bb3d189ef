// bench_run.h — the real program started by a benchmark in a data folder of
// its own, watched through the counters it publishes (TYX_FRAME_COUNTER) and
// /proc, and clicked with xdotool.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The 1- and 5-minute load averages, for the figures' context.
inline std::string load_average()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five;
    in >> one >> five;
    return one + " " + five;
}

// Maps per second that speed level `level` asks for (0.2 s at level 8).
inline double maps_per_second(int level)
{
    return 5.0 / std::pow(std::sqrt(2.0), 8 - level);
}

// A data folder for one run under `store`: the program's data tree and
// `conf` as the user's settings; the caller adds the maps.
inline fs::path make_run_folder(const fs::path& store, const std::string& name,
                                const std::string& conf)
{
    const fs::path folder = store / ("run-" + name);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder / "map");
    fs::copy(fs::path(TYX_BUILD_DIR) / "data", folder / "data", fs::copy_options::recursive);
    std::ofstream(folder / "data" / "conf" / "conf.txt") << conf;
    return folder;
}

// The counters the program publishes: frames of window 1 and 2, maps shown,
// maps late, the frame shown + 1.
struct Counters {
    std::uint64_t value[5] = {};
    unsigned long long frames_drawn() const { return value[0]; }
    unsigned long long maps_shown() const { return value[2]; }
    unsigned long long late() const { return value[3]; }
    int frame() const { return int(value[4]) - 1; }
};

class Run {
  public:
    explicit Run(const fs::path& folder) : counter_(folder / "counters")
    {
        std::ofstream(counter_).close();
        start_ = Clock::now();
        std::fflush(stdout); // or the child writes out this buffer again
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(folder.c_str()) != 0)
                _exit(127);
            setenv("TYX_FRAME_COUNTER", counter_.c_str(), 1);
            std::freopen("tyx-output.log", "w", stdout);
            std::freopen("tyx-output.log", "a", stderr);
            const std::string binary = TYX_BUILD_DIR "/tyx";
            execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Run()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Counters counters() const
    {
        Counters c;
        std::ifstream in(counter_, std::ios::binary);
        in.read(reinterpret_cast<char*>(c.value), sizeof c.value);
        return c;
    }
    // Seconds from the start until `done` holds; negative after `timeout`.
    template <typename Done> double wait(Done done, double timeout = 60) const
    {
        while (!done(counters())) {
            if (seconds_since(start_) > timeout)
                return -1;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return seconds_since(start_);
    }
    // Peak resident memory so far, MiB (VmHWM).
    double peak_mib() const
    {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("VmHWM:", 0) == 0)
                return std::atof(line.c_str() + 6) / 1024.0;
        return -1;
    }
    // The id of the program's first window, "" when there is none.
    std::string window() const
    {
        std::string id;
        FILE* pipe = popen("xdotool search --name '^TYX 1.27$' 2>/dev/null | head -1", "r");
        char buffer[64] = {};
        if (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            id = buffer;
        if (pipe != nullptr)
            pclose(pipe);
        while (!id.empty() && (id.back() == '\n' || id.back() == ' '))
            id.pop_back();
        return id;
    }

  private:
    fs::path counter_;
    pid_t pid_ = -1;
    Clock::time_point start_;
};

// The time bar column (800 x 600 window, "#TimebarScaleXY 1 -2.5 -0.8") of
// the knob's centre at frame `frame` of `frames`: x = -2.4 + f / (n - 1) *
// 4.925 view units, 150 pixels a unit from x = -8/3; the bar's middle is row
// 495.
inline int timebar_column(int frame, int frames)
{
    return int(std::lround((-2.4 + frame / double(frames - 1) * 4.925 + 8.0 / 3) * 150));
}
constexpr int kTimebarRow = 495;
inline const char* kTimebarConf = "#WindowSizeXY 800 600\n#TimebarScaleXY 1 -2.5 -0.8\n"
                                  "#TimeBarScrub 1\n#Icon 0\n";

} // namespace bench
