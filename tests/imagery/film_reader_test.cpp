// film_reader_test.cpp — films made by the ffmpeg tool, read back frame by
// frame: probing, frame-accurate access in any order, and bad input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "imagery/film_reader.h"
#include "support/temp_dir.h"
#include "support/test_films.h"

namespace {

struct TestFilm {
    const char* name;
    FilmSpec recipe;
    const char* codec;
};

// Small films of one colour per frame (film_frame_colour), with short groups
// of pictures so that access crosses key frames; the MP4 has B-frames.
const TestFilm kFilms[] = {
    {"h264.mp4", {64, 32, 120, 30, "libx264", "-g 12 -bf 2"}, "H.264"},
    {"vp9.webm", {64, 32, 60, 25, "libvpx-vp9", "-g 10 -deadline realtime -cpu-used 8"}, "VP9"},
    {"h264.mkv", {64, 32, 40, 24, "libx264", "-g 8 -bf 3"}, "H.264"},
    {"mpeg4.avi", {64, 32, 40, 30, "mpeg4", "-g 9 -q:v 2"}, "MPEG-4"},
    {"mpeg2.mpg", {64, 32, 40, 25, "mpeg2video", "-g 9 -q:v 2"}, "MPEG-2"},
    {"h264.ts", {64, 32, 40, 30, "libx264", "-g 10"}, "H.264"},
};

class FilmReader : public ::testing::Test {
  protected:
    void SetUp() override
    {
        for (const TestFilm& film : kFilms) {
            std::string error;
            const std::string made =
                shared_test_film(film.name, film.recipe,
                                 one_colour_frames(film.recipe.width, film.recipe.height), &error);
            ASSERT_NE(made, "") << error;
            films[film.name] = made;
        }
    }
    std::string path(const std::string& name) const
    {
        auto film = films.find(name);
        return film != films.end() ? film->second : dir.path() + "/" + name;
    }

    FilmHandle open(const std::string& name, FilmOptions options = {})
    {
        std::string problem;
        FilmHandle film = open_film(path(name), options, &problem);
        EXPECT_TRUE(film) << name << ": " << problem;
        return film;
    }

    // The frame each of `frames` shows when read one at a time in that order
    // (-1 where it does not decode).
    static std::vector<int> shown(Film& film, const std::vector<int>& frames)
    {
        const FilmInfo& info = film_info(film);
        std::vector<unsigned char> pixels(size_t(info.output_width) * info.output_height * 4);
        std::vector<int> result;
        for (int f : frames) {
            int got = -1;
            read_film_frames(film, f, f, [&](int frame) {
                got = frame;
                return pixels.data();
            });
            result.push_back(got == f ? colour_frame(pixels, info.output_width) : -1);
        }
        return result;
    }

    // The film frame whose colour the centre pixel (BGRA) has.
    static int colour_frame(const std::vector<unsigned char>& bgra, int width)
    {
        const size_t height = bgra.size() / 4 / size_t(width);
        const size_t centre = (height / 2 * size_t(width) + size_t(width) / 2) * 4;
        return nearest_film_frame(bgra[centre + 2], bgra[centre + 1], bgra[centre]);
    }

    TempDir dir;
    std::map<std::string, std::string> films; // name -> shared film
};

TEST_F(FilmReader, ProbesCodecSizeRateAndFrameCount)
{
    for (const TestFilm& test : kFilms) {
        FilmHandle film = open(test.name);
        if (!film)
            continue;
        const FilmInfo& info = film_info(*film);
        EXPECT_EQ(info.codec, test.codec) << test.name;
        EXPECT_EQ(info.width, 64) << test.name;
        EXPECT_EQ(info.height, 32) << test.name;
        EXPECT_EQ(info.output_width, 64) << test.name;
        EXPECT_NEAR(info.fps, test.recipe.fps, 0.01) << test.name;
        EXPECT_EQ(info.frames, test.recipe.frames) << test.name;
        EXPECT_FALSE(info.damaged) << test.name;
        EXPECT_FALSE(info.variable_rate) << test.name;
    }
}

TEST_F(FilmReader, EveryFrameIsExactInAnyOrder)
{
    for (const TestFilm& test : kFilms) {
        FilmHandle film = open(test.name);
        if (!film)
            continue;
        const int n = test.recipe.frames;
        // Jumps both ways across key frames, steps, reverse play, both ends.
        std::vector<int> order = {0, n - 1, n / 2, 3, 4, 5, n / 2 + 1, n / 2 - 1, 1, n - 2};
        for (int f = 25; f >= 5; f--)
            order.push_back(f);
        EXPECT_EQ(shown(*film, order), order) << test.name;
    }
}

TEST_F(FilmReader, RunsHandOutEachFrameOnceInOrder)
{
    FilmHandle film = open("h264.mp4");
    ASSERT_TRUE(film);
    std::vector<unsigned char> pixels(64 * 32 * 4);
    std::vector<int> frames, colours;
    // Every other frame wanted: the rest pass unconverted.
    int converted = read_film_frames(*film, 30, 70, [&](int frame) -> unsigned char* {
        frames.push_back(frame);
        if (frame % 2)
            return nullptr;
        return pixels.data();
    });
    EXPECT_EQ(converted, 21);
    ASSERT_EQ(frames.size(), 41u);
    for (int i = 0; i < 41; i++)
        EXPECT_EQ(frames[i], 30 + i);
    EXPECT_EQ(colour_frame(pixels, 64), 70);
    EXPECT_EQ(pixels[3], 255); // opaque
    // A range past the end is cut to the film.
    EXPECT_EQ(read_film_frames(*film, 110, 500, [&](int) { return pixels.data(); }), 10);
    EXPECT_EQ(colour_frame(pixels, 64), 119);
    EXPECT_EQ(film_problem(*film), "");
}

TEST_F(FilmReader, AFilmWrittenAgainIsListedAgain)
{
    for (const char* name : {"h264.mkv", "h264.mp4", "h264.mkv"}) {
        std::filesystem::copy_file(path(name), path("again.mkv"),
                                   std::filesystem::copy_options::overwrite_existing);
        FilmHandle opened = open("again.mkv");
        ASSERT_TRUE(opened);
        EXPECT_EQ(film_info(*opened).frames, std::string(name) == "h264.mp4" ? 120 : 40);
    }
}

TEST_F(FilmReader, OddSizesVariableRatesAndOversizedPicturesPlay)
{
    std::string error;
    FilmSpec odd{1001, 500, 6, 30, "libx264", "", "yuv444p"};
    films["odd.mp4"] = shared_test_film("odd.mp4", odd, one_colour_frames(1001, 500), &error);
    ASSERT_NE(films["odd.mp4"], "") << error;
    // Frames of 1, 1 and 2 thirtieths of a second, in turn.
    FilmSpec variable{64, 32, 12, 30, "libx264", "-vf 'setpts=(N+floor(N/3))/30/TB' -fps_mode vfr"};
    films["vfr.mkv"] = shared_test_film("vfr.mkv", variable, one_colour_frames(64, 32), &error);
    ASSERT_NE(films["vfr.mkv"], "") << error;

    FilmHandle film = open("odd.mp4");
    ASSERT_TRUE(film);
    EXPECT_EQ(film_info(*film).output_width, 1001);
    EXPECT_EQ(shown(*film, {5, 0, 3}), (std::vector<int>{5, 0, 3}));

    film = open("vfr.mkv");
    ASSERT_TRUE(film);
    EXPECT_TRUE(film_info(*film).variable_rate);
    EXPECT_EQ(film_info(*film).frames, 12);
    EXPECT_EQ(shown(*film, {11, 0, 4, 5, 3}), (std::vector<int>{11, 0, 4, 5, 3}));

    FilmOptions small;
    small.texture_limit = 250;
    film = open("odd.mp4", small);
    ASSERT_TRUE(film);
    EXPECT_EQ(film_info(*film).width, 1001);
    EXPECT_EQ(film_info(*film).output_width, 250);
    EXPECT_EQ(film_info(*film).output_height, 124);
    EXPECT_EQ(shown(*film, {2}), std::vector<int>{2});
}

TEST_F(FilmReader, BadFilmsSayWhy)
{
    std::string error;
    // Noise around the coloured centre gives the packets their weight, so
    // that half the file holds about half the frames.
    FilmSpec fast_start{64, 32, 60, 30, "libx264", "-g 10 -movflags +faststart"};
    FramePainter colour = one_colour_frames(64, 32);
    FramePainter noisy = [&](int frame, std::vector<std::uint8_t>& rgb) {
        colour(frame, rgb);
        unsigned seed = 12345u + unsigned(frame);
        for (size_t i = 0; i < rgb.size(); i++)
            if (i % (64 * 3) < 24 * 3 || i % (64 * 3) >= 40 * 3)
                rgb[i] = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    };
    films["whole.mp4"] = shared_test_film("whole.mp4", fast_start, noisy, &error, "noisy");
    ASSERT_NE(films["whole.mp4"], "") << error;
    std::ifstream in(path("whole.mp4"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    dir.write("half.mp4", bytes.substr(0, bytes.size() / 2));
    dir.write("head.mp4", bytes.substr(0, 200));
    dir.write("empty.mp4", "");
    dir.write("text.mp4", "this is no film at all, only a few words of text\n");
    // A list that FFmpeg could follow to another file is not opened as a film.
    std::filesystem::copy_file(path("h264.mp4"), dir.path() + "/inner.mp4");
    dir.write("list.mp4", "ffconcat version 1.0\nfile 'inner.mp4'\n");
    ASSERT_EQ(std::system(("ffmpeg -nostdin -loglevel error -f lavfi -i sine=d=0.5 -c:a aac " +
                           path("sound.mp4"))
                              .c_str()),
              0);
    // The AVI's codec tag (in the stream header and the format) made one no
    // decoder knows.
    std::ifstream avi_in(path("mpeg4.avi"), std::ios::binary);
    std::string avi((std::istreambuf_iterator<char>(avi_in)), std::istreambuf_iterator<char>());
    for (size_t at = avi.find("FMP4"); at != std::string::npos; at = avi.find("FMP4", at))
        avi.replace(at, 4, "ZZZZ");
    dir.write("unknown.avi", avi);

    const struct {
        const char* name;
        const char* reason;
    } refused[] = {
        {"missing.mp4", "not a film FFmpeg can read"},
        {"empty.mp4", "the file is empty"},
        {"head.mp4", "no video stream"},
        {"text.mp4", "not a film FFmpeg can read"},
        {"list.mp4", "not a film FFmpeg can read"},
        {"sound.mp4", "sound only, no video stream"},
        {"unknown.avi", "an unknown codec (tag ZZZZ)"},
    };
    for (const auto& bad : refused) {
        std::string problem;
        EXPECT_FALSE(open_film(path(bad.name), {}, &problem)) << bad.name;
        EXPECT_NE(problem.find(bad.reason), std::string::npos) << bad.name << ": " << problem;
    }

    // The frames before the damage play.
    FilmHandle film = open("half.mp4");
    ASSERT_TRUE(film);
    const int frames = film_info(*film).frames;
    EXPECT_TRUE(film_info(*film).damaged);
    EXPECT_GT(frames, 10);
    EXPECT_LT(frames, 60);
    EXPECT_EQ(film_problem(*film),
              "damaged or cut short after frame " + std::to_string(frames) + " of 60");
    EXPECT_EQ(shown(*film, {frames - 2, 0}), (std::vector<int>{frames - 2, 0}));
}

} // namespace
