// series_film_test.cpp — a map series that is one film: its name, its frame
// count from "#TextureStart" and "#TextureEnd", and what discovery says.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "imagery/series_discovery.h"
#include "imagery/series_film.h"
#include "imagery/series_fixture.h"
#include "support/test_films.h"

namespace {

class SeriesFilm : public SeriesTest {
  protected:
    void SetUp() override
    {
        SeriesTest::SetUp();
        std::string error;
        film = shared_test_film("h264.mp4", FilmSpec{64, 32, 120, 30, "libx264", "-g 12 -bf 2"},
                                one_colour_frames(64, 32), &error);
        ASSERT_NE(film, "") << error;
        series.strtexfile = "map/storms";
        series.strtexfile_s = "mp4";
    }
    void place_film(const std::string& name)
    {
        std::filesystem::create_directories("map");
        std::filesystem::create_symlink(film, name);
    }
    int scan()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        fileornot();
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return play.ntimemax;
    }
    std::string film, out, err;
};

TEST_F(SeriesFilm, TheFilmIsFoundUnderTheStemWhenNoNumberedFileExists)
{
    EXPECT_EQ(find_series_film("map/storms", "mp4", 1), "");
    place_film("map/storms.MP4");
    EXPECT_EQ(find_series_film("map/storms", "mp4", 1), "map/storms.MP4");
    EXPECT_EQ(find_series_film("map/storms", "ppm", 1), ""); // not a film suffix
    frame("map/storms1.mp4");
    EXPECT_EQ(find_series_film("map/storms", "mp4", 1), ""); // numbered files first
    EXPECT_EQ(find_series_film("map/storms", "mp4", 2), "map/storms.MP4");
}

TEST_F(SeriesFilm, DiscoveryCountsTheFilmsFramesInRange)
{
    place_film("map/storms.mp4");
    frame("logo/sample1.ppm");
    frame("logo/sample2.ppm");
    EXPECT_EQ(scan(), 120);
    EXPECT_EQ(err, "tyx: 120 maps, map/storms.mp4 (H.264 64x32, 30 fps); 2 screen images, "
                   "logo/sample1.ppm ... logo/sample2.ppm\n");
    EXPECT_EQ(img.mask_earth[119], 1);
    EXPECT_EQ(img.mask_earth[120], 0);

    play.tex_start = 11;
    play.tex_end = 20;
    EXPECT_EQ(scan(), 20);
    play.tex_end = 10000;
    EXPECT_EQ(scan(), 110);

    play.tex_start = 121;
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(out, "No sphere texture file\n");
    EXPECT_EQ(err, "tyx: map/storms.mp4 has 120 frames; #TextureStart 121 names none of them "
                   "(film frames count from 1)\n");
    play.tex_start = 1;
    play.tex_end = 0;
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(err, "tyx: no maps used: #TextureEnd is 0; set it to the number of maps to show\n");
}

TEST_F(SeriesFilm, AFilmThatDoesNotOpenOrIsCutShortSaysSo)
{
    dir.write("map/storms.mp4", "not a film");
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(err.rfind("tyx: map/storms.mp4: not a film FFmpeg can read (", 0), 0u) << err;

    // A Matroska film keeps its frames readable up to the cut.
    std::string error;
    const std::string mkv = shared_test_film(
        "h264.mkv", FilmSpec{64, 32, 40, 24, "libx264", "-g 8 -bf 3"}, one_colour_frames(64, 32),
        &error);
    ASSERT_NE(mkv, "") << error;
    series.strtexfile_s = "mkv";
    std::ifstream in(mkv, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    dir.write("map/storms.mkv", bytes.substr(0, bytes.size() * 2 / 3));
    const int frames = scan();
    EXPECT_GT(frames, 0);
    EXPECT_LT(frames, 40);
    EXPECT_NE(err.find("tyx: map/storms.mkv: damaged or cut short after frame " +
                       std::to_string(frames) + " of 40; the frames before play\n"),
              std::string::npos)
        << err;
}

} // namespace
