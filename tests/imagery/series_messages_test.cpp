// series_messages_test.cpp — what discovery and loading tell on standard
// error about a series that cannot be used, and the upper-case suffix.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "imagery/series_discovery.h"
#include "imagery/series_fixture.h"
#include "imagery/series_loading.h"

namespace {

class SeriesMessages : public SeriesTest {
  protected:
    // Runs discovery; returns what it printed on standard error.
    std::string discover()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        fileornot();
        std::string err = testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();
        return err;
    }
    // Discovers, then loads window 1 on every core; returns what the load
    // printed on standard error.
    std::string discover_and_load()
    {
        discover();
        testing::internal::CaptureStderr();
        load_window_images(wnd.window1, 0);
        return testing::internal::GetCapturedStderr();
    }
};

int lines_of(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Each case: the files in the folder, a change to the configuration, and
// what the discovery lines must contain.
struct DiscoveryCase {
    const char* what;
    std::vector<std::string> files;
    std::function<void()> configure;
    std::vector<std::string> expected;
};

TEST_F(SeriesMessages, DiscoveryTellsWhatItFoundOrWhatToChange)
{
    const std::string cwd = std::filesystem::current_path().string();
    const DiscoveryCase cases[] = {
        {"a series",
         {"map/sample1.jpg", "map/sample2.jpg", "map/sample3.jpg"},
         [] { series.strtexfile_s = "jpg"; },
         {"tyx: 3 maps, map/sample1.jpg ... map/sample3.jpg\n"}},
        {"JPEG files under the default suffix",
         {"map/sample1.jpg", "map/sample2.jpg"},
         {},
         {"looked for map/sample1.ppm", cwd, "found map/sample1.jpg; set #TextureSuffix jpg"}},
        {"PNG files under the default suffix",
         {"map/sample1.png"},
         {},
         {"found map/sample1.png; set #TextureSuffix png"}},
        {"files of a format tyx does not read",
         {"map/sample1.gif"},
         {},
         {"found map/sample1.gif", "convert"}},
        {"numbers with leading zeros",
         {"map/sample001.ppm", "map/sample002.ppm"},
         {},
         {"found map/sample001.ppm", "no leading zeros (map/sample1.ppm)"}},
        {"a series that starts later",
         {"map/sample3.ppm", "map/sample4.ppm"},
         {},
         {"found map/sample3.ppm; set #TextureStart 3"}},
        {"no map folder", {}, {}, {"there is no folder map"}},
        {"a gap",
         {"map/sample1.ppm", "map/sample2.ppm", "map/sample4.ppm", "map/sample5.ppm"},
         {},
         {"2 maps", "before number 3", "map/sample3.ppm", "map/sample4.ppm does"}},
        {"a cap below the first map",
         {"map/sample1.ppm"},
         [] { play.tex_end = 0; },
         {"#TextureEnd is 0"}},
        {"screens only on some frames",
         {"map/sample1.ppm", "logo/sample2.ppm"},
         {},
         {"2 frames, 1 with a map (map/sample1.ppm)", "1 screen image, logo/sample2.ppm"}},
    };
    for (const DiscoveryCase& c : cases) {
        SCOPED_TRACE(c.what);
        reset_viewer_state();
        std::filesystem::remove_all("map");
        std::filesystem::remove_all("logo");
        for (const std::string& file : c.files)
            frame(file);
        if (c.configure)
            c.configure();
        const std::string err = discover();
        for (const std::string& part : c.expected)
            EXPECT_NE(err.find(part), std::string::npos) << "wanted: " << part << "\n" << err;
        EXPECT_LE(lines_of(err), 3) << err;
    }
}

TEST_F(SeriesMessages, AnEndAtTheLastFileIsNoGap)
{
    frame("map/sample1.ppm");
    frame("map/sample2.ppm");
    frame("map/sample02.ppm"); // not a number the series uses
    EXPECT_EQ(discover(), "tyx: 2 maps, map/sample1.ppm ... map/sample2.ppm\n");
}

TEST_F(SeriesMessages, WithoutMapsPlayStops)
{
    play.anim = 1;
    play.stopornot = 1;
    discover();
    EXPECT_EQ(play.ntimemax, 0);
    EXPECT_EQ(play.anim, 0);

    frame("map/sample1.ppm");
    play.anim = -1;
    discover();
    EXPECT_EQ(play.anim, -1);
}

TEST_F(SeriesMessages, UpperCaseSuffixIsUsedWhenTheLowerCaseNameIsMissing)
{
    series.strtexfile_s = "jpg";
    dir.write("map/sample1.JPG", jpeg_file(4, 2, 0, 0, 255));
    dir.write("map/sample2.jpg", jpeg_file(6, 2, 0, 0, 255));
    dir.write("map/sample2.JPG", "a lower-case name wins");
    EXPECT_NE(discover_and_load(), "x"); // loads quietly apart from discovery
    ASSERT_EQ(play.ntimemax, 2);
    EXPECT_EQ(img.image1[0].width, 4); // read as JPEG despite the upper-case suffix
    EXPECT_EQ(img.image1[1].width, 6);
    EXPECT_EQ(discover(), "tyx: 2 maps, map/sample1.JPG ... map/sample2.jpg\n");

    reset_viewer_state();
    frame("logo/sample1.PPM", 7); // the same for screens under the default suffix
    discover_and_load();
    ASSERT_EQ(play.ntimemax, 1);
    EXPECT_EQ(img.mask_logo[0], 1);
    EXPECT_EQ(img.image2[0].width, 2);
}

TEST_F(SeriesMessages, FilesThatDoNotDecodeAreToldWithTheirReason)
{
    struct Bad {
        const char* file;
        std::string content;
        const char* reason;
    };
    const std::string ppm = ppm_file(4, 4, 0);
    const Bad bad[] = {
        {"map/sample1.ppm", "", "empty"},
        {"map/sample2.ppm", ppm.substr(0, ppm.size() - 10), "ends after 38 of 48"},
        {"map/sample3.ppm", "\x89PNG\r\n\x1a\n",
         "a PNG image, not a PPM; name the files .png and set #TextureSuffix png"},
        {"map/sample4.ppm", "P5\n1 1\n255\nx", "greymap (P5)"},
        {"map/sample5.ppm", jpeg_file(2, 2, 1, 2, 3), "set #TextureSuffix jpg"},
        {"logo/sample5.ppm", "P6\n0 3\n255\n", "size 0 x 3"},
        {"data/icons/play.ppm", "GIF89a", "not a PPM"},
    };
    for (const Bad& b : bad)
        dir.write(b.file, b.content);
    icons.int_button = 1;
    icons.icon_onoff[0] = 1;
    frame("data/icons/pause.ppm");
    const std::string err = discover_and_load();
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.file);
        const size_t line = err.find(std::string(b.file) + ":");
        ASSERT_NE(line, std::string::npos) << err;
        const std::string text = err.substr(line, err.find('\n', line) - line);
        EXPECT_NE(text.find(b.reason), std::string::npos) << text;
        EXPECT_EQ(err.find(std::string(b.file) + ":", line + 1), std::string::npos) << "once";
    }
    EXPECT_EQ(lines_of(err), 7) << err;

    // A PPM under the JPEG suffix: the library's reason, and what to set.
    reset_viewer_state();
    std::filesystem::remove_all("data");
    series.strtexfile_s = "jpg";
    dir.write("map/sample1.jpg", ppm_file(2, 2, 0));
    const std::string jpeg_err = discover_and_load();
    EXPECT_NE(jpeg_err.find("cannot read map/sample1.jpg: Not a JPEG file"), std::string::npos)
        << jpeg_err;
    EXPECT_NE(jpeg_err.find("set #TextureSuffix ppm"), std::string::npos) << jpeg_err;
    EXPECT_EQ(lines_of(jpeg_err), 1) << jpeg_err;
}

TEST_F(SeriesMessages, ManyBrokenFilesAreCutShortInFileOrder)
{
    for (int n = 1; n <= 25; n++)
        dir.write("map/sample" + std::to_string(n) + ".ppm", "");
    const std::string err = discover_and_load(); // a decoding thread per core
    EXPECT_EQ(lines_of(err), 11) << err;
    for (int n = 1; n <= 10; n++)
        EXPECT_NE(err.find("map/sample" + std::to_string(n) + ".ppm:"), std::string::npos) << n;
    EXPECT_EQ(err.find("map/sample11.ppm"), std::string::npos) << err;
    EXPECT_NE(err.find("and 15 more"), std::string::npos) << err;
}

} // namespace
