// series_stream_e2e_test.cpp — the real program with a series larger than
// its memory budget: stepped with keys and scrubbed on the time bar, every
// frame shows its own map; exported, every frame equals the export of the
// same series decoded up front.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/e2e.h"

namespace fs = std::filesystem;

namespace {

// 300 colours, each channel on a step of 20 or more: no two alike.
Colour frame_colour(int frame)
{
    return {static_cast<unsigned char>(30 + frame % 10 * 20),
            static_cast<unsigned char>(30 + frame / 10 % 10 * 20),
            static_cast<unsigned char>(30 + frame / 100 * 60)};
}

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

using SeriesStreamEndToEnd = EndToEnd;

} // namespace

TEST_F(SeriesStreamEndToEnd, SteppedAndScrubbedEveryFrameShowsItsOwnMap)
{
    const int frames = 300; // 32 KiB each decoded: 9 MiB against 1 MiB
    for (int i = 0; i < frames; i++)
        run.write("map/sample" + std::to_string(i + 1) + ".ppm",
                  solid_ppm(frame_colour(i), 128, 64));
    run.write("data/conf/conf.txt",
              "#SeriesMemoryMiB 1\n#TimebarScaleXY 1 -2.5 -0.8\n#TimeBarScrub 1\n");
    unsigned long window = start({"-n", "150"});
    ASSERT_NE(window, 0u);
    EXPECT_NE(run.output().find("decoding them while they play"), std::string::npos)
        << run.output();

    // The frame the program says it shows, and the globe's centre in its colour.
    auto shows = [&](int frame) {
        return run.wait_for(window, [&](const Screenshot& s) {
            return run.shown_frame() == frame && near(s, 400, 300, frame_colour(frame), 3);
        });
    };
    ASSERT_GT(shows(150).width, 0) << "-n: frame 150 first";
    struct Step {
        const char* keys;
        int frame;
    };
    for (const Step& step : {Step{"A", 160}, Step{"b", 159}, Step{"End", 299}, Step{"Home", 0},
                             Step{"a a a", 3}, Step{"Page_Up", 2}}) {
        run.key(window, step.keys);
        EXPECT_GT(shows(step.frame).width, 0) << step.keys;
    }

    // Scrubbing: wherever the drag ends, the globe shows that frame's map.
    std::string to = " mousemove --window " + std::to_string(window) + " ";
    run_command("xdotool" + to + "30 495 mousedown 1" + to + "300 495" + to + "520 495");
    run_command("xdotool mouseup 1");
    ASSERT_TRUE(run.wait_frames(4));
    int scrubbed = -1;
    Screenshot shot = run.wait_for(window, [&](const Screenshot& s) {
        scrubbed = run.shown_frame();
        return scrubbed > 150 && near(s, 400, 300, frame_colour(scrubbed), 3);
    });
    EXPECT_GT(shot.width, 0) << "frame " << scrubbed << " after the drag";
}

TEST_F(SeriesStreamEndToEnd, ExportedStreamedSeriesEqualsTheOneDecodedUpFront)
{
    const int frames = 30; // 128 KiB each decoded: 3.75 MiB against 1 MiB
    for (int i = 0; i < frames; i++) {
        run.write(
            "map/sample" + std::to_string(i + 1) + ".ppm", ppm_image(256, 128, [i](int x, int y) {
                return Colour{static_cast<unsigned char>(x + i), static_cast<unsigned char>(y * 2),
                              static_cast<unsigned char>(7 * i)};
            }));
        if (i % 3 == 0)
            run.write("logo/sample" + std::to_string(i + 1) + ".ppm",
                      solid_ppm({static_cast<unsigned char>(8 * i), 90, 30}, 16, 8));
    }
    for (const char* budget : {"1", "0"}) {
        run.write("data/conf/conf.txt", std::string("#SeriesMemoryMiB ") + budget + "\n");
        run.start({"--export-frames", std::string("frames") + budget});
        ASSERT_EQ(run.wait_exit(60), 0) << run.output();
        EXPECT_EQ(run.output().find("decoding them while they play") != std::string::npos,
                  budget[0] == '1')
            << run.output();
    }
    const std::string folder = run.folder().path();
    for (int i = 1; i <= frames; i++) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%05d.png", i);
        const std::string streamed = file_bytes(folder + "/frames1" + name);
        ASSERT_FALSE(streamed.empty()) << name;
        EXPECT_TRUE(streamed == file_bytes(folder + "/frames0" + name)) << name;
    }
}
