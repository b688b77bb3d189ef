// film_e2e_test.cpp — the real program with a map film of one colour per
// frame: discovery's line, steps, the ends, reverse play and the time bar
// each show exactly the frame they name.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/e2e.h"
#include "support/test_films.h"

namespace {

struct FilmCase {
    const char* suffix;
    FilmSpec recipe;
    const char* described;
};

const FilmCase kFilms[] = {
    {"mp4",
     {64, 32, 120, 30, "libx264", "-g 30 -bf 2"},
     "tyx: 120 maps, map/sample.mp4 (H.264 64x32, 30 fps)"},
    {"webm",
     {64, 32, 60, 25, "libvpx-vp9", "-g 20 -deadline realtime -cpu-used 8"},
     "tyx: 60 maps, map/sample.webm (VP9 64x32, 25 fps)"},
};

class FilmEndToEnd : public EndToEnd, public ::testing::WithParamInterface<FilmCase> {
  protected:
    // The film frame whose colour the globe's centre shows.
    static int centre_frame(const Screenshot& shot)
    {
        const Colour c = shot.colour(400, 300);
        return nearest_film_frame(c.r, c.g, c.b);
    }
    // Waits until the program says it shows `frame` and the globe has its colour.
    bool shows(unsigned long window, int frame)
    {
        int seen = -1;
        Screenshot shot = run.wait_for(window, [&](const Screenshot& s) {
            seen = centre_frame(s);
            return run.shown_frame() == frame && seen == frame;
        });
        EXPECT_GT(shot.width, 0) << "frame " << frame << " wanted; the globe shows " << seen
                                 << ", the program says " << run.shown_frame();
        return shot.width > 0;
    }
};

} // namespace

TEST_P(FilmEndToEnd, StepsEndsReversePlayAndTheTimeBarShowTheirFrame)
{
    const FilmCase& film = GetParam();
    std::string error;
    const std::string made =
        shared_test_film(std::string("e2e.") + film.suffix, film.recipe,
                         one_colour_frames(film.recipe.width, film.recipe.height), &error);
    ASSERT_NE(made, "") << error;
    const std::string folder = run.folder().path();
    std::filesystem::copy_file(made, folder + "/map/sample." + film.suffix);
    run.write("data/conf/conf.txt",
              std::string("#TextureName map/sample\n#TextureSuffix ") + film.suffix +
                  "\n#TimebarScaleXY 1 -2.5 -0.8\n#TimeBarScrub 1\n#AnimationSpeed 6\n");
    const unsigned long window = start();
    ASSERT_NE(window, 0u);
    EXPECT_NE(run.output().find(film.described), std::string::npos) << run.output();
    const int last = film.recipe.frames - 1;

    run.key(window, "Home Page_Down Page_Down Page_Down Page_Down Page_Down");
    EXPECT_TRUE(shows(window, 5)) << "Home, then five steps";
    run.key(window, "End");
    EXPECT_TRUE(shows(window, last)) << "End";

    // Backward play from the end: twenty frames one after another, none
    // skipped (the frames the program says it shows, read every few
    // milliseconds), each in its own colour (grabs between those reads).
    run.key(window, "r");
    std::vector<int> frames = {last};
    std::mutex frames_lock;
    std::atomic<bool> enough{false};
    std::thread reader([&] {
        while (!enough) {
            const int now = run.shown_frame();
            {
                std::lock_guard<std::mutex> guard(frames_lock);
                if (now != frames.back())
                    frames.push_back(now);
                enough = frames.size() >= 20;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    const bool played = wait_until(
        [&] {
            const int before = run.shown_frame();
            Screenshot shot = run.grab(window);
            if (shot.width > 0 && run.shown_frame() == before) {
                EXPECT_EQ(centre_frame(shot), before);
            }
            return enough.load();
        },
        30);
    enough = true;
    reader.join();
    run.key(window, "r");
    ASSERT_TRUE(played) << frames.size() << " frames of backward play";
    for (size_t i = 1; i < frames.size(); i++)
        EXPECT_EQ(frames[i], frames[i - 1] - 1) << "backward play went from " << frames[i - 1];

    // A press in the middle of the time bar goes to a frame near the middle.
    const std::string at = " mousemove --window " + std::to_string(window) + " 275 495 ";
    run_command("xdotool" + at + "mousedown 1");
    run_command("xdotool mouseup 1");
    ASSERT_TRUE(run.wait_frames(4));
    const int middle = run.shown_frame();
    EXPECT_GT(middle, last / 4);
    EXPECT_LT(middle, last * 3 / 4);
    EXPECT_TRUE(shows(window, middle)) << "time bar";
}

INSTANTIATE_TEST_SUITE_P(Films, FilmEndToEnd, ::testing::ValuesIn(kFilms),
                         [](const ::testing::TestParamInfo<FilmCase>& info) {
                             return std::string(info.param.suffix);
                         });
