// picture_export_test.cpp — names of exported pictures, the writer thread
// (numbering, flipping GL's rows, failures), and the setup of a series export.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "imagery/image_readers.h"
#include "imagery/png_writer.h"
#include "render/picture_export.h"
#include "render/series_export.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class PictureExport : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir_.enter();
    }
    TempDir dir_;
};

// Two rows as GL reads them, bottom first: a blue row under a red one.
CapturedPicture red_over_blue()
{
    CapturedPicture p;
    p.width = 2;
    p.height = 2;
    p.rgb = {0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0};
    return p;
}

// The RGB pixels of a PNG file, rows top first; empty when it does not read.
std::vector<int> png_pixels(const std::string& path)
{
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp == nullptr)
        return {};
    int width = 0, height = 0;
    PixelBuffer pixels = load_image_png(fp, &width, &height);
    std::fclose(fp);
    if (!pixels)
        return {};
    return std::vector<int>(pixels.get(), pixels.get() + size_t(width) * height * 3);
}

TEST_F(PictureExport, SnapshotNamesFollowTheHighestNumberThere)
{
    EXPECT_EQ(next_snapshot_file_name("export"), "export/tyx-00001.png"); // no folder yet
    for (const char* name : {"tyx-00003.png", "tyx-10.png", "tyx-00099.jpg", "shot-00500.png",
                             "tyx-12a.png", "tyx-.png", "tyx-1234567890.png"})
        dir_.write(std::string("export/") + name, "");
    EXPECT_EQ(next_snapshot_file_name("export"), "export/tyx-00011.png");
    dir_.write("export/tyx-123456.png", "");
    EXPECT_EQ(next_snapshot_file_name("export"), "export/tyx-123457.png");
    EXPECT_EQ(series_frame_file_name("frames", 0), "frames/frame-00001.png");
    EXPECT_EQ(series_frame_file_name("frames", 41), "frames/frame-00042.png");
}

TEST_F(PictureExport, SnapshotsAreWrittenInTurnTopRowFirst)
{
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(queue_snapshot(red_over_blue()));
    EXPECT_TRUE(queue_snapshot(red_over_blue()));
    wait_for_exports();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "export/tyx-00001.png\nexport/tyx-00002.png\n");
    EXPECT_EQ(png_pixels("export/tyx-00002.png"),
              (std::vector<int>{255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255}));
}

TEST_F(PictureExport, AFailedWriteIsToldOnStandardError)
{
    dir_.write("export", "a file where the folder should be");
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    queue_snapshot(red_over_blue());
    wait_for_exports();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot save the picture"),
              std::string::npos);

    std::string error;
    const CapturedPicture p = red_over_blue();
    EXPECT_FALSE(write_png_file("missing/a.png", p.rgb.data(), 2, 2, 3, true, &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;

    // A full disk, while libpng writes (noise does not compress): the
    // system's reason, not libpng's "Write Error".
    std::vector<unsigned char> noise(256 * 256 * 3);
    unsigned state = 1;
    for (unsigned char& byte : noise)
        byte = static_cast<unsigned char>((state = state * 1103515245 + 12345) >> 16);
    fs::create_symlink("/dev/full", "full.png.part");
    EXPECT_FALSE(write_png_file("full.png", noise.data(), 256, 256, 3, false, &error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_FALSE(fs::exists("full.png"));
}

TEST_F(PictureExport, AFailedSeriesFrameStopsTheFramesAfterIt)
{
    fs::create_directory("frames");
    clear_series_export_failure();
    ::testing::internal::CaptureStderr();
    queue_series_frame(red_over_blue(), "frames/frame-00001.png", 0, 3);
    queue_series_frame(CapturedPicture{}, "frames/frame-00002.png", 1, 3);
    queue_series_frame(red_over_blue(), "frames/frame-00003.png", 2, 3);
    wait_for_exports();
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("frame 1 of 3: frames/frame-00001.png"), std::string::npos) << told;
    EXPECT_NE(told.find("cannot write frame 2"), std::string::npos) << told;
    EXPECT_TRUE(series_export_failed());
    EXPECT_TRUE(fs::exists("frames/frame-00001.png"));
    EXPECT_FALSE(fs::exists("frames/frame-00002.png"));
    EXPECT_FALSE(fs::exists("frames/frame-00003.png"));
    clear_series_export_failure();
}

TEST_F(PictureExport, ASeriesExportHoldsTheViewStillFromTheFirstFrame)
{
    ::testing::internal::CaptureStderr();
    play.ntimemax = 0;
    EXPECT_FALSE(begin_series_export("out"));
    EXPECT_FALSE(series_export_active());

    play.ntimemax = 3;
    play.ntime = 2;
    wnd.nsphere = 2;
    wnd.fullscreen = 1;
    icons.icon_onoff[3] = 1;
    ASSERT_TRUE(begin_series_export("out/frames"));
    EXPECT_TRUE(fs::is_directory("out/frames"));
    EXPECT_EQ(wnd.nsphere, 1);
    EXPECT_EQ(wnd.fullscreen, 0);
    EXPECT_EQ(icons.icon_onoff[3], 0);
    icons.export_icons = 1;
    icons.icon_onoff[3] = 1;
    ASSERT_TRUE(begin_series_export("out/frames"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(icons.icon_onoff[3], 1);

    // Keys pressed in the window do not move the export's view.
    play.anim = 1;
    spin.jitenornot = 1;
    prepare_series_export_frame();
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.anim, 0);
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_EQ(series_export_frame_path(), "out/frames/frame-00001.png");
}

} // namespace
