// series_stream_test.cpp — a series too large for its budget, streamed from
// real files through the decode pool: the choice of mode from the estimate,
// frames equal to those decoded up front, files that fail or vanish, a
// budget below two frames, and the animation waiting for a late frame.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "config/reload.h"
#include "imagery/series_budget.h"
#include "imagery/series_discovery.h"
#include "imagery/series_files.h"
#include "imagery/series_fixture.h"
#include "imagery/series_loading.h"
#include "imagery/series_stats.h"
#include "imagery/series_stream.h"
#include "render/animation.h"

namespace {

constexpr size_t kMiB = size_t(1) << 20;

std::vector<unsigned char> bytes_of(const TexImage& image)
{
    if (image.empty())
        return {};
    return {image.pixels.get(),
            image.pixels.get() + size_t(image.width) * image.height * image.channels};
}

class SeriesStream : public SeriesTest {
  protected:
    // `frames` maps of 256 x 128 (128 KiB decoded each), screens on the odd
    // frames, with the budget at 1 MiB: eight frames fit.
    void write_series(int frames)
    {
        for (int n = 1; n <= frames; n++) {
            dir.write("map/sample" + std::to_string(n) + ".ppm", ppm_file(256, 128, 3 * n));
            if (n % 2 == 1)
                dir.write("logo/sample" + std::to_string(n) + ".ppm", ppm_file(4, 2, n));
        }
        series.series_memory_mib = 1;
        play.ntimemax = frames;
    }
    // Window 1's load, its messages kept.
    bool load()
    {
        testing::internal::CaptureStderr();
        load_window_images(wnd.window1, 0);
        told = testing::internal::GetCapturedStderr();
        return slot_is_streamed(0);
    }
    // Frame `frame` as the stream decodes it once the play stands there.
    std::shared_ptr<const SeriesFrame> frame_at(int frame)
    {
        follow_series_position(frame, 0);
        EXPECT_TRUE(wait_for_streamed_frame(frame, 10)) << "frame " << frame;
        return streamed_frame(frame);
    }
    std::string told;
};

TEST_F(SeriesStream, TheModeFollowsTheEstimateOfAllLayers)
{
    play.number_of_textures = 2;
    series.strdoubletexfile = "alt/map";
    series.strdoublescreenfile = "alt/screen";
    series.strtexfile2 = "map2/globe";
    for (int n = 1; n <= 3; n++) {
        frame("map/sample" + std::to_string(n) + ".ppm"); // 2 x 2
        dir.write("map2/globe" + std::to_string(n) + ".ppm", ppm_file(4, 4, n));
    }
    dir.write("logo/sample2.jpg", jpeg_file(6, 2, 9, 9, 9)); // the first screen is frame 1's
    series.strscreenfile_s = "jpg";
    dir.write("alt/map3.ppm", ppm_file(3, 1, 0));
    const FrameFiles globe1 = frame_files(false, 0);
    const FrameFiles globe2 = frame_files(true, 0);
    struct Case {
        int textures;
        bool globe2;
        size_t frame_bytes; // of globe 1's frames
    };
    for (const Case& c : {Case{1, false, (4 + 12) * 4}, Case{2, false, (4 + 12 + 3) * 4},
                          Case{2, true, (4 + 12 + 3) * 4}}) {
        FrameFiles one = globe1, two = globe2;
        one.number_of_textures = two.number_of_textures = c.textures;
        const SeriesEstimate estimate = estimate_series(one, c.globe2 ? &two : nullptr, 3);
        EXPECT_EQ(estimate.frame_bytes[0], c.frame_bytes);
        // Globe 2's: its 4 x 4 map and, by default, globe 1's maps as second textures.
        EXPECT_EQ(estimate.frame_bytes[1], c.globe2 ? (16u + 4) * 4 : 0u);
        EXPECT_EQ(estimate.total(), 3 * (estimate.frame_bytes[0] + estimate.frame_bytes[1]));
        EXPECT_TRUE(series_fits_budget(estimate, estimate.total()));
        EXPECT_FALSE(series_fits_budget(estimate, estimate.total() - 1));
    }

    // The automatic budget is a quarter of the memory, the key's in MiB.
    EXPECT_EQ(series_memory_budget(), usable_memory_bytes() / 4);
    series.series_memory_mib = 3;
    EXPECT_EQ(series_memory_budget(), 3 * kMiB);
}

TEST_F(SeriesStream, StreamedFramesAreThoseDecodedUpFrontWithinTheBudget)
{
    const int frames = 12;
    write_series(frames);
    dir.write("map/sample5.ppm", "P6\n256 128\n255\nshort"); // decodes in part
    dir.write("logo/sample7.ppm", "not an image");
    ASSERT_TRUE(load());
    EXPECT_NE(told.find("decoding them while they play"), std::string::npos) << told;
    // Nothing is decoded into the tables.
    for (int s = 0; s < frames; s++)
        EXPECT_TRUE(img.image1[s].empty());

    // Copies, as the uploads take them: a frame held outside the cache
    // cannot make room for others.
    struct Copy {
        std::vector<unsigned char> layer[4];
        bool bgra[4] = {};
        int screen = -1;
    };
    std::vector<Copy> streamed(frames);
    testing::internal::CaptureStderr();
    for (int round = 0; round < 2; round++) // the second round decodes them all again
        for (int f = 0; f < frames; f++) {
            std::shared_ptr<const SeriesFrame> frame = frame_at(f);
            ASSERT_TRUE(frame) << f;
            for (int l = 0; l < 4; l++) {
                streamed[f].layer[l] = bytes_of(frame->layer[l]);
                streamed[f].bgra[l] = frame->layer[l].bgra;
            }
            streamed[f].screen = frame->present[1];
            EXPECT_LE(stream_figures().held, kMiB);
        }
    const std::string problems = testing::internal::GetCapturedStderr();

    // The same series decoded up front into the tables.
    series.series_memory_mib = 0;
    stop_series_streams();
    testing::internal::CaptureStderr();
    load_series_slots({0, frames}, 0, 1);
    const std::string problems_up_front = testing::internal::GetCapturedStderr();
    EXPECT_EQ(problems, problems_up_front) << "each file told once, as an up-front load does";
    const TexImage* tables[4] = {img.image1, img.image2, img.image3, img.image4};
    for (int f = 0; f < frames; f++) {
        for (int l = 0; l < 4; l++) {
            EXPECT_EQ(streamed[f].layer[l], bytes_of(tables[l][f]))
                << "frame " << f << " layer " << l;
            EXPECT_EQ(streamed[f].bgra[l], tables[l][f].bgra);
        }
        EXPECT_EQ(streamed[f].screen, img.mask_logo[f]) << f;
    }
}

TEST_F(SeriesStream, AVanishedFileShowsEmptyAndABudgetBelowTwoFramesHoldsTwo)
{
    write_series(10);
    img.mask_earth[3] = 1; // as discovery leaves it
    std::filesystem::remove("map/sample4.ppm");
    series.series_memory_mib = 1;
    dir.write("map/sample1.ppm", ppm_file(1024, 512, 1)); // 2 MiB: the estimate's frame
    ASSERT_TRUE(load());
    EXPECT_NE(told.find("holds less than three frames"), std::string::npos) << told;
    EXPECT_EQ(stream_figures().budget, 2 * (size_t(2) * kMiB + 8 * 4));

    testing::internal::CaptureStderr();
    for (int f : {3, 4, 3})
        frame_at(f);
    const std::string problems = testing::internal::GetCapturedStderr();
    const std::shared_ptr<const SeriesFrame> gone = frame_at(3);
    ASSERT_TRUE(gone);
    EXPECT_TRUE(gone->layer[0].empty()) << "shown empty, never another frame";
    const size_t first = problems.find("map/sample4.ppm");
    EXPECT_NE(first, std::string::npos) << problems;
    EXPECT_EQ(problems.find("map/sample4.ppm", first + 1), std::string::npos) << "told once";

    // The same budget warning is not repeated at the next load.
    stop_series_streams();
    EXPECT_TRUE(load());
    EXPECT_EQ(told.find("holds less than three frames"), std::string::npos) << told;
}

TEST_F(SeriesStream, WindowTwosOwnSeriesStreamsBesideGlobeOnesUntilAReload)
{
    wnd.window1 = 1;
    wnd.window2 = 2;
    wnd.nsphere = 2;
    series.second_sphere_texture = 1;
    series.strtexfile2 = "map2/globe";
    write_series(12);
    for (int n = 1; n <= 12; n++)
        dir.write("map2/globe" + std::to_string(n) + ".ppm", ppm_file(256, 128, 100 + n));
    ASSERT_TRUE(load());
    load_window_images(wnd.window2, 0);
    ASSERT_TRUE(slot_is_streamed(12));

    follow_series_position(3, 0);
    ASSERT_TRUE(wait_for_streamed_frame(3, 10) && wait_for_streamed_frame(12 + 3, 10));
    EXPECT_TRUE(series_frame_ready(3));
    EXPECT_EQ(frame_at(3)->layer[0].pixels[2], 3 * 4) << "globe 1's fourth map";
    EXPECT_EQ(streamed_frame(12 + 3)->layer[0].pixels[2], 104) << "globe 2's fourth map";

    testing::internal::CaptureStdout();
    reload_texture_init_file();
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(slot_is_streamed(0));
    EXPECT_FALSE(slot_is_streamed(12));
    EXPECT_EQ(stream_figures().held, 0u) << "a reload gives the frames back";
}

TEST_F(SeriesStream, TheAnimationWaitsForALateFrameAndNeverSkipsIt)
{
    // Frame 1's decode stands still, as on a slow disk, until it is let go,
    // while frame 2 may well be decoded; should the case never let it go,
    // it goes on after a while so that the case fails instead of hanging.
    const int frames = 12;
    write_series(frames);
    std::atomic<bool> let_go{false};
    set_slot_decode_observer([&](int slot) {
        for (int i = 0; slot == 1 && i < 100 && !let_go; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    });
    struct Cleared {
        std::atomic<bool>& let_go;
        ~Cleared()
        {
            let_go = true;
            set_slot_decode_observer(nullptr);
        }
    } cleared{let_go};
    play.anim = 1;
    ASSERT_TRUE(load());
    ASSERT_TRUE(series_frame_ready(0));
    const unsigned long long late_before = series_stats().late_maps;
    for (double now : {10.0, 20.0, 30.0}) {
        step_animation(now);
        EXPECT_EQ(play.ntime, 0) << "waits at " << now;
    }
    EXPECT_EQ(series_stats().late_maps, late_before + 1) << "counted once";

    let_go = true;
    ASSERT_TRUE(wait_for_streamed_frame(1, 10));
    step_animation(40);
    EXPECT_EQ(play.ntime, 1);
    EXPECT_EQ(streamed_frame(1)->layer[0].pixels[2], 2 * 3) << "frame 1's own map";
}

} // namespace
