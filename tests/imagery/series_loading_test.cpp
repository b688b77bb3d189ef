// series_loading_test.cpp — decoding the series and the icons into the image
// tables: presence flags, reader choice, slot ranges, the frame index clamp.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <utility>
#include <vector>

#include "imagery/series_discovery.h"
#include "imagery/series_files.h"
#include "imagery/series_fixture.h"
#include "imagery/series_loading.h"

namespace {

class SeriesLoading : public SeriesTest {
  protected:
    // Discovers the series and loads window 1's slots on one thread.
    void discover_and_load()
    {
        testing::internal::CaptureStdout();
        fileornot();
        testing::internal::GetCapturedStdout();
        testing::internal::CaptureStderr();
        load_series_slots(window_slot_range(wnd.window1), 0, 1);
        errors = testing::internal::GetCapturedStderr();
    }
    // The image's colours as R, G, B (+ A where it is not the driver's BGRA
    // order with its opaque alpha), whatever the order it is kept in.
    std::vector<unsigned char> pixels(const TexImage& image)
    {
        if (image.empty())
            return {};
        const unsigned char* p = image.pixels.get();
        const size_t count = static_cast<size_t>(image.width) * image.height;
        if (!image.bgra)
            return {p, p + count * image.channels};
        std::vector<unsigned char> rgb;
        for (size_t i = 0; i < count; i++, p += 4)
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        return rgb;
    }
    std::string errors;
};

TEST_F(SeriesLoading, PresenceFlagsFollowTheFilesOfEachFrame)
{
    play.number_of_textures = 2;
    series.strdoubletexfile = "alt/map";
    series.strdoublescreenfile = "alt/screen";
    for (int n = 1; n <= 3; n++)
        frame("map/sample" + std::to_string(n) + ".ppm", 10 * n);
    frame("logo/sample1.ppm", 1);
    frame("logo/sample3.ppm", 3);
    frame("alt/screen1.ppm", 5);
    frame("alt/screen2.ppm", 6); // frame 2 has no screen: never tried
    frame("alt/map2.ppm", 7);
    img.mask_doublelogo[1] = 1; // left over: a frame without a screen keeps it
    discover_and_load();

    ASSERT_EQ(play.ntimemax, 3);
    EXPECT_EQ(img.mask_logo[0], 1);
    EXPECT_EQ(img.mask_logo[1], 0);
    EXPECT_EQ(img.mask_logo[2], 1);
    EXPECT_EQ(img.mask_doublelogo[0], 1);
    EXPECT_EQ(img.mask_doublelogo[1], 1);
    EXPECT_EQ(img.mask_doublelogo[2], 0);
    EXPECT_TRUE(img.image4[1].empty());
    EXPECT_EQ(img.mask_spherelogo[0], 0);
    EXPECT_EQ(img.mask_spherelogo[1], 1);
    EXPECT_EQ(img.mask_spherelogo[2], 0);

    for (int s = 0; s < 3; s++) {
        EXPECT_EQ(pixels(img.image1[s]), ppm_pixels(2, 2, 10 * (s + 1))) << "slot " << s;
        // In the order the graphics driver keeps textures, opaque.
        EXPECT_EQ(img.image1[s].channels, 4);
        EXPECT_TRUE(img.image1[s].bgra);
        EXPECT_EQ(img.image1[s].pixels[3], 255);
    }
    EXPECT_EQ(pixels(img.image3[1]), ppm_pixels(2, 2, 7));
    EXPECT_EQ(img.image2[0].channels, 4);
    EXPECT_EQ(img.image4[0].channels, 4);
    EXPECT_TRUE(img.image1[3].empty());
}

TEST_F(SeriesLoading, OneTextureSetOpensNoSecondFilesAndDropsTheLayerIcons)
{
    play.number_of_textures = 1;
    frame("map/sample1.ppm");
    frame("logo/sample1.ppm");
    series.strdoubletexfile = "alt/map";
    series.strdoublescreenfile = "alt/screen";
    frame("alt/map1.ppm");
    frame("alt/screen1.ppm");
    img.mask_spherelogo[0] = img.mask_doublelogo[0] = 1;
    discover_and_load();
    EXPECT_EQ(img.mask_spherelogo[0], 0);
    EXPECT_EQ(img.mask_doublelogo[0], 0);
    EXPECT_TRUE(img.image3[0].empty());
    EXPECT_TRUE(img.image4[0].empty());

    icons.icon_onoff[20] = icons.icon_onoff[26] = 1;
    frame("data/icons/layer1.ppm");
    frame("data/icons/layer2.ppm");
    frame("data/icons/forward-changelayer.ppm");
    read_icons();
    EXPECT_EQ(icons.icon_onoff[20], 0);
    EXPECT_EQ(icons.icon_onoff[26], 0) << "not clickable in its empty place either";
    EXPECT_TRUE(img.icon[24].empty());
    EXPECT_TRUE(img.icon[34].empty());
    EXPECT_EQ(icons.int_button, 1);

    // With two sets the same configuration reads both layer icons.
    icons.icon_yomitori_finish = 0;
    icons.icon_onoff[20] = icons.icon_onoff[26] = 1;
    play.number_of_textures = 2;
    read_icons();
    EXPECT_EQ(icons.icon_onoff[20], 1);
    EXPECT_EQ(img.icon[25].channels, 4);
    EXPECT_FALSE(img.icon[34].empty());
}

TEST_F(SeriesLoading, ReaderFollowsTheSuffixExactlyAndTheLayer)
{
    using F = ImageFormat;
    using L = ImageLook;
    struct Case {
        SeriesLayer layer;
        const char* suffix;
        int screen_front;
        F format;
        L look;
    };
    const Case cases[] = {
        {SeriesLayer::map, "jpg", 1, F::jpeg, L::opaque},
        {SeriesLayer::second_texture, "jpeg", 1, F::jpeg, L::opaque},
        {SeriesLayer::map, "JPG", 1, F::ppm, L::opaque}, // exact suffixes only
        {SeriesLayer::map, "ppm", 1, F::ppm, L::opaque},
        {SeriesLayer::map, "png", 1, F::png, L::opaque},
        {SeriesLayer::screen, "jpg", 1, F::jpeg, L::toumei},
        {SeriesLayer::second_screen, "pnm", 1, F::ppm, L::toumei},
        {SeriesLayer::screen, "jpg", 0, F::jpeg, L::opaque},
        {SeriesLayer::second_screen, "ppm", 0, F::ppm, L::opaque},
        {SeriesLayer::screen, "PNG", 0, F::png, L::alpha}, // a PNG keeps its own alpha
    };
    for (const Case& c : cases) {
        SeriesReadSettings settings;
        settings.screen_front = c.screen_front;
        settings.screen_transparency = 100;
        const SeriesReader reader = choose_series_reader(c.layer, c.suffix, settings);
        EXPECT_EQ(reader.format, c.format) << c.suffix;
        EXPECT_EQ(reader.request.look, c.look) << c.suffix;
        EXPECT_TRUE(reader.request.bgra);
        EXPECT_EQ(reader_channels(reader), 4);
        EXPECT_EQ(reader.request.dark_alpha, 155);
    }
}

TEST_F(SeriesLoading, JpegScreensCarryAlphaOnlyInFront)
{
    frame("map/sample1.ppm");
    series.strscreenfile_s = "jpg";
    dir.write("logo/sample1.jpg", jpeg_file(8, 8, 200, 100, 50));
    dir.write("logo/sample2.jpg", jpeg_file(8, 8, 2, 2, 2));
    frame("map/sample2.ppm");
    discover_and_load();
    ASSERT_EQ(img.image2[0].channels, 4);
    EXPECT_EQ(img.image2[0].width, 8);
    EXPECT_NEAR(img.image2[0].pixels[2], 200, 3); // red, in the driver's order
    EXPECT_EQ(img.image2[0].pixels[3], 255);
    EXPECT_EQ(img.image2[1].pixels[3], 0);

    overlay.screen_front = 0;
    img.image2[1].release();
    load_series_slots(window_slot_range(wnd.window1), 0, 1);
    EXPECT_EQ(img.image2[1].pixels[3], 255);
}

// Globe 1's second textures are JPEG while globe 2's stay PPM: a PPM named
// .jpg fails in the JPEG reader, which shows which reader each slot used.
TEST_F(SeriesLoading, EachSlotUsesTheSuffixOfItsOwnGlobe)
{
    wnd.window1 = 1;
    wnd.window2 = 2;
    series.second_sphere_texture = 1;
    play.number_of_textures = 2;
    series.strdoubletexfile_s = "jpg";
    series.strtexfile2 = "map2/globe";
    series.strdoubletexfile2 = "alt2/globe";
    frame("map/sample1.ppm");
    frame("map2/globe1.ppm");
    dir.write("map/sample1.jpg", ppm_file(2, 2, 0)); // globe 1's second texture
    dir.write("alt2/globe1.ppm", ppm_file(2, 2, 9)); // globe 2's second texture
    discover_and_load();
    ASSERT_EQ(play.ntimemax, 1);
    testing::internal::CaptureStderr();
    load_series_slots(window_slot_range(wnd.window2), 0, 1);
    testing::internal::GetCapturedStderr();

    EXPECT_EQ(img.mask_spherelogo[0], 1); // the file opened ...
    EXPECT_TRUE(img.image3[0].empty());   // ... but is no JPEG
    EXPECT_EQ(img.image3[0].width, 0);
    EXPECT_FALSE(errors.empty()); // the JPEG library's message
    EXPECT_EQ(pixels(img.image3[1]), ppm_pixels(2, 2, 9));
}

TEST_F(SeriesLoading, AFailedDecodeLeavesNoStaleImage)
{
    series.strtexfile_s = "jpg";
    dir.write("map/sample1.jpg", jpeg_file(4, 4, 0, 0, 255));
    discover_and_load();
    ASSERT_EQ(img.image1[0].width, 4);
    dir.write("map/sample1.jpg", "not a JPEG at all");
    discover_and_load();
    EXPECT_TRUE(img.image1[0].empty());
    EXPECT_EQ(img.image1[0].width, 0);
    EXPECT_EQ(img.image1[0].height, 0);
    EXPECT_EQ(img.image1[0].channels, 0);
}

TEST_F(SeriesLoading, FrameIndexFallsToTheLastFrameOfAShorterSeries)
{
    for (int n = 1; n <= 5; n++)
        frame("map/sample" + std::to_string(n) + ".ppm");
    play.ntime = 7;
    testing::internal::CaptureStdout();
    fileornot();
    testing::internal::GetCapturedStdout();
    load_window_images(wnd.window1, 0);
    EXPECT_EQ(play.ntime, 4);

    // Without any frame the index stays at 0, never -1.
    play.ntimemax = 0;
    clamp_frame_index();
    EXPECT_EQ(play.ntime, 0);
}

TEST_F(SeriesLoading, AMissingIconSwitchesThePaletteOffButTheOthersAreRead)
{
    icons.int_button = 6;
    const char* present[] = {"play", "pause", "initial", "r_play", "spin", "stop_spin", "back"};
    for (const char* name : present)
        frame(std::string("data/icons/") + name + ".ppm", 40);
    for (int slot = 0; slot <= 5; slot++)
        icons.icon_onoff[slot] = 1; // slot 4 wants forward.ppm, which is missing
    read_icons();
    EXPECT_EQ(icons.int_button, 0);
    for (int k : {0, 1, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(img.icon[k].channels, 4) << "picture " << k;
        EXPECT_EQ(img.icon[k].width, 2);
    }
    EXPECT_TRUE(img.icon[6].empty());
    // The pressed look is the play picture's silhouette.
    ASSERT_FALSE(img.pushed_icon.empty());
    EXPECT_EQ(img.pushed_icon.pixels[4 + 3], 130);
    EXPECT_EQ(icons.icon_yomitori_finish, 1);

    // Pictures are read once per run.
    img.icon[0].release();
    read_icons();
    EXPECT_TRUE(img.icon[0].empty());
}

TEST_F(SeriesLoading, WindowTwoLoadsItsOwnSeriesAfterGlobeOnes)
{
    wnd.window1 = 1;
    wnd.window2 = 2;
    series.second_sphere_texture = 1;
    series.strtexfile2 = "map2/globe";
    series.strscreenfile2 = "logo2/globe";
    play.tex_start = 4;
    for (int n = 4; n <= 6; n++) {
        frame("map/sample" + std::to_string(n) + ".ppm", n);
        frame("map2/globe" + std::to_string(n) + ".ppm", 100 + n);
    }
    frame("logo2/globe5.ppm", 50);
    testing::internal::CaptureStdout();
    fileornot();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(play.ntimemax, 3);

    SlotRange range = window_slot_range(wnd.window2);
    EXPECT_EQ(range.first, 3);
    EXPECT_EQ(range.end, 6);
    EXPECT_EQ(window_slot_offset(wnd.window2), 3);
    EXPECT_EQ(window_slot_offset(wnd.window1), 0);

    load_window_images(wnd.window2, 0);
    for (int s = 0; s < 3; s++)
        EXPECT_TRUE(img.image1[s].empty()) << "slot " << s;
    for (int s = 3; s < 6; s++)
        EXPECT_EQ(pixels(img.image1[s]), ppm_pixels(2, 2, 100 + s + 1)) << "slot " << s;
    EXPECT_EQ(img.mask_logo[3], 0);
    EXPECT_EQ(img.mask_logo[4], 1);
    EXPECT_EQ(img.mask_logo[5], 0);

    // Without its own series window 2 loads nothing and shows globe 1's slots.
    series.second_sphere_texture = 0;
    range = window_slot_range(wnd.window2);
    EXPECT_EQ(range.end - range.first, 0);
    EXPECT_EQ(window_slot_offset(wnd.window2), 0);
}

// Everything a load leaves in the tables for slots 0 .. n-1, to compare loads.
struct TablesSnapshot {
    std::vector<std::vector<unsigned char>> pixels;
    std::vector<int> numbers; // sizes, channels and flags
    bool operator==(const TablesSnapshot& o) const
    {
        return pixels == o.pixels && numbers == o.numbers;
    }
};

TEST_F(SeriesLoading, AnyNumberOfWorkersFillsTheTablesExactlyAsOne)
{
    play.number_of_textures = 2;
    series.strdoubletexfile = "alt/map";
    series.strscreenfile_s = "jpg";
    const int frames = 13;
    for (int n = 1; n <= frames; n++) {
        // Maps of uneven sizes; frame 4 has none, frame 9's does not decode.
        if (n == 9)
            dir.write("map/sample9.ppm", "GIF89a");
        else if (n != 4)
            dir.write("map/sample" + std::to_string(n) + ".ppm", ppm_file(3 + 7 * (n % 3), 2, n));
        if (n % 2 == 1 || n == 4)
            dir.write("logo/sample" + std::to_string(n) + ".jpg",
                      n == 7 ? std::string("not a jpeg")
                             : jpeg_file(5, 3, static_cast<unsigned char>(20 * n), 0, 0));
        if (n % 3 == 0)
            frame("alt/map" + std::to_string(n) + ".ppm", n);
    }
    testing::internal::CaptureStdout();
    fileornot();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(play.ntimemax, frames);

    auto load_with = [&](int workers, std::string* told) {
        for (int s = 0; s < frames; s++) {
            for (TexImage* t : {&img.image1[s], &img.image2[s], &img.image3[s]})
                t->release();
            img.mask_logo[s] = img.mask_spherelogo[s] = 0;
        }
        testing::internal::CaptureStderr();
        load_series_slots({0, frames}, 0, workers);
        *told = testing::internal::GetCapturedStderr();
        TablesSnapshot snapshot;
        for (int s = 0; s < frames; s++) {
            for (const TexImage* t : {&img.image1[s], &img.image2[s], &img.image3[s]}) {
                snapshot.pixels.push_back(pixels(*t));
                snapshot.numbers.insert(snapshot.numbers.end(), {t->width, t->height, t->channels});
            }
            snapshot.numbers.insert(snapshot.numbers.end(),
                                    {img.mask_logo[s], img.mask_spherelogo[s]});
        }
        return snapshot;
    };
    std::string told_by_one;
    const TablesSnapshot one = load_with(1, &told_by_one);
    EXPECT_TRUE(img.image1[3].empty());
    EXPECT_TRUE(img.image1[8].empty());
    EXPECT_EQ(img.mask_logo[3], 1);
    EXPECT_EQ(img.mask_logo[6], 1) << "a screen that does not decode is still flagged";
    EXPECT_EQ(img.mask_spherelogo[2], 1);
    EXPECT_NE(told_by_one.find("map/sample9.ppm"), std::string::npos) << told_by_one;
    for (int workers : {2, 8}) {
        SCOPED_TRACE(workers);
        std::string told;
        EXPECT_TRUE(load_with(workers, &told) == one);
        EXPECT_EQ(told, told_by_one) << "problems are told in file order";
    }
}

TEST_F(SeriesLoading, ProgressIsShownWhileWorkersDecodeAndEndsWithTheTotal)
{
    // Frame 2's worker waits until the progress hook has run, as on a slow
    // disk: the load can end only if the calling thread watches it while the
    // workers wait.
    const int frames = 4;
    for (int n = 1; n <= frames; n++)
        frame("map/sample" + std::to_string(n) + ".ppm", n);
    play.ntimemax = frames;
    std::atomic<bool> fed{false};
    // Should the hook never run, the worker goes on after a while so that the
    // case fails instead of hanging.
    set_slot_decode_observer([&](int slot) {
        for (int i = 0; slot == 1 && i < 100 && !fed; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    });
    std::vector<std::pair<int, int>> calls;
    testing::internal::CaptureStderr();
    load_window_images(wnd.window1, 0, [&](int done, int total) {
        calls.emplace_back(done, total);
        fed = true;
    });
    testing::internal::GetCapturedStderr();
    set_slot_decode_observer(nullptr);

    ASSERT_GE(calls.size(), 2u);
    EXPECT_LT(calls.front().first, frames) << "shown while decoding";
    EXPECT_GE(calls.front().first, 1) << "the maps beside the slow one are counted";
    EXPECT_EQ(calls.back(), std::make_pair(frames, frames));
    for (size_t c = 1; c < calls.size(); c++)
        EXPECT_GE(calls[c].first, calls[c - 1].first);
    EXPECT_EQ(pixels(img.image1[1]), ppm_pixels(2, 2, 2));

    // A load over sooner than the interval shows nothing.
    calls.clear();
    load_window_images(wnd.window1, 0,
                       [&](int done, int total) { calls.emplace_back(done, total); });
    EXPECT_TRUE(calls.empty());
}

} // namespace
