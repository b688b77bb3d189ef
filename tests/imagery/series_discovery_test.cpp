// series_discovery_test.cpp — counting the frames of the map series.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "imagery/series_discovery.h"
#include "imagery/series_files.h"
#include "imagery/series_fixture.h"

namespace {

class SeriesDiscovery : public SeriesTest {
  protected:
    void maps(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            frame("map/sample" + std::to_string(n) + ".ppm");
    }
    void screens(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            frame("logo/sample" + std::to_string(n) + ".ppm");
    }
    // Runs the scan and returns the count, capturing both console streams.
    int scan()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        fileornot();
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return play.ntimemax;
    }
    std::string out, err;
};

TEST_F(SeriesDiscovery, FileNamesAreStemNumberAndSuffix)
{
    EXPECT_EQ(series_file_name("map/sample", 12, "ppm"), "map/sample12.ppm");
    EXPECT_EQ(series_file_name("logo/x", -3, "jpg"), "logo/x-3.jpg");
    play.tex_start = 7;
    series.strtexfile2 = "other/globe";
    series.strtexfile_s2 = "jpeg";
    // Slots past the frame count name globe 2's files with the same numbers.
    EXPECT_EQ(slot_file_name(SeriesLayer::map, 1, 3), "map/sample8.ppm");
    EXPECT_EQ(slot_file_name(SeriesLayer::map, 4, 3), "other/globe8.jpeg");
    EXPECT_EQ(slot_file_name(SeriesLayer::second_screen, 0, 3), "logo/sample7.ppm");
    EXPECT_EQ(slot_file_name(SeriesLayer::second_screen, 3, 3), "logo/panel7.ppm");
}

TEST_F(SeriesDiscovery, CountsTheUnbrokenRunCappedByTextureEnd)
{
    maps({1, 2, 3, 4, 5});
    EXPECT_EQ(scan(), 5);
    EXPECT_EQ(out, "");
    play.tex_end = 3;
    EXPECT_EQ(scan(), 3);
    play.tex_end = 10000;
    play.tex_start = 2;
    EXPECT_EQ(scan(), 4); // numbers 2 .. 5
    play.tex_start = 6;
    EXPECT_EQ(scan(), 0);
}

TEST_F(SeriesDiscovery, AScreenAloneKeepsTheRunGoing)
{
    maps({1, 2, 4});
    std::filesystem::create_directories("map/sample3.ppm"); // a folder is no map
    EXPECT_EQ(scan(), 2);
    screens({3});
    EXPECT_EQ(scan(), 4);
    // Only frames with a map file are marked as having one.
    EXPECT_EQ(img.mask_earth[1], 1);
    EXPECT_EQ(img.mask_earth[2], 0);
    EXPECT_EQ(img.mask_earth[3], 1);
    EXPECT_EQ(img.mask_earth[4], 0);

    // Second textures and second screens never extend the run.
    series.strdoubletexfile = "alt/map";
    series.strdoublescreenfile = "alt/screen";
    frame("alt/map5.ppm");
    frame("alt/screen5.ppm");
    EXPECT_EQ(scan(), 4);
}

TEST_F(SeriesDiscovery, AnEmptySeriesIsReportedOncePerScan)
{
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(out, "No sphere texture file\n");
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(out, "No sphere texture file\n");
}

TEST_F(SeriesDiscovery, ANegativeTextureEndGivesNoFramesNotANegativeCount)
{
    maps({1, 2});
    play.tex_end = -4;
    EXPECT_EQ(scan(), 0);
    EXPECT_EQ(out, "No sphere texture file\n");
}

// The tables are shrunk to a few slots so that a run can fill them.
TEST_F(SeriesDiscovery, TextureEndDoesNotCapARunThatFillsTheTables)
{
    maps({1, 2, 3, 4, 5, 6});
    play.tex_end = 3;
    EXPECT_EQ(count_series_frames(5), 5);
    EXPECT_EQ(count_series_frames(6), 6);
    EXPECT_EQ(count_series_frames(7), 3); // the gap at number 7 applies the cap
}

TEST_F(SeriesDiscovery, GlobeTwosOwnSeriesIsCutToHalfTheTablesWithOneMessage)
{
    maps({1, 2, 3, 4, 5});
    series.second_sphere_texture = 1;
    testing::internal::CaptureStderr();
    int n = count_series_frames(6);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(n, 3);
    EXPECT_NE(err.find("3 of 5"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(img.mask_earth[2], 1);
    EXPECT_EQ(img.mask_earth[3], 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(count_series_frames(10), 5); // fits: no message
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    series.second_sphere_texture = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(count_series_frames(6), 5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
