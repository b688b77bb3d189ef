// startup_e2e_test.cpp — the real program with no configuration: its default
// window, and its exit on the quit key; and start-up beside odd files.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/e2e.h"

using StartupEndToEnd = EndToEnd;

TEST_F(StartupEndToEnd, DefaultWindowIsTitledAndSized)
{
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    WindowGeometry g = run.geometry(window);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
    run.key(window, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}

namespace {

// Peak memory of a process in MiB, from /proc; -1 when it cannot be told.
long peak_mib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) / 1024;
    return -1;
}

// A child that keeps a FIFO open and writes zeros into it without end.
pid_t feed_zeros(const std::string& fifo)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(fifo.c_str(), O_RDWR); // never waits, unlike O_WRONLY
        static const char zeros[65536] = {};
        while (fd >= 0 && write(fd, zeros, sizeof zeros) > 0) {
        }
        _exit(0);
    }
    return pid;
}

} // namespace

// Pipes, devices and folders where the viewer expects its configuration, a
// map or a plot file: it starts, stays small and quits. (Huge regular files
// are bounded by each reader; their tests are unit tests.)
TEST_F(StartupEndToEnd, OddFilesNeitherHangNorGrowTheViewer)
{
    const char* const targets[] = {"data/conf/conf.txt", "map/sample2.ppm",
                                   "data/plot/points/points.csv"};
    const char* const kinds[] = {"a FIFO without writer", "a FIFO fed with zeros",
                                 "a link to /dev/zero", "a folder"};
    for (const char* target : targets) {
        for (const char* kind : kinds) {
            SCOPED_TRACE(std::string(target) + " as " + kind);
            TyxRun run; // a fresh folder for each case
            run.write("data/conf/init_conf.txt", "#PointsOn 1 #PointsInitDisplay 1\n");
            run.write("map/sample1.ppm", solid_ppm({0, 0, 255}));
            run.write("map/sample3.ppm", solid_ppm({0, 0, 255}));
            run.write("data/plot/points/points.csv", "");
            const std::string path = run.folder().path() + "/" + target;
            std::filesystem::remove(path);
            pid_t feeder = -1;
            const std::string k = kind;
            if (k == "a link to /dev/zero") {
                std::filesystem::create_symlink("/dev/zero", path);
            } else if (k == "a folder") {
                std::filesystem::create_directory(path);
            } else {
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
                if (k == "a FIFO fed with zeros")
                    feeder = feed_zeros(path);
            }
            run.start();
            const unsigned long window = run.wait_window("TYX 1.27", 10);
            EXPECT_NE(window, 0u) << run.output();
            if (window != 0) {
                EXPECT_TRUE(run.wait_frames(2)) << run.output();
                EXPECT_LT(peak_mib(run.pid()), 400);
                run.key(window, "q");
                EXPECT_EQ(run.wait_exit(10), 0) << run.output();
            }
            if (feeder > 0) {
                kill(feeder, SIGKILL);
                waitpid(feeder, nullptr, 0);
            }
        }
    }
}
