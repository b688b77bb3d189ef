// readinitfile_test.cpp — reading the three configuration files: token rules,
// checks and conversions, failed values, file order and derived settings.
#include "config/readinitfile.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "config/config_probes.h"
#include "config/config_text.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

constexpr double kPi = 3.141592653589793;

class ConfigRead : public StateTest {
  protected:
    // Writes the base, user and language files (null: the file does not
    // exist), points the reader at them and reads them.
    void read(const char* base, const char* user = nullptr, const char* language = nullptr)
    {
        const char* texts[3] = {base, user, language};
        const char* names[3] = {"init_conf.txt", "conf.txt", "lang-test.txt"};
        const ConfigFile slots[3] = {kBaseConfig, kFolderConfig, kLanguageConfig};
        for (int i = 0; i < 3; i++) {
            std::string& file = series.init_file[slots[i]];
            file = dir_.path() + "/" + names[i];
            if (texts[i] != nullptr)
                dir_.write(names[i], texts[i]);
            else
                std::remove(file.c_str());
        }
        testing::internal::CaptureStderr();
        func_readinit_file();
        errors_ = testing::internal::GetCapturedStderr();
    }

    TempDir dir_;
    std::string errors_; // what the reading printed on standard error
};

int count_lines(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

} // namespace

TEST_F(ConfigRead, WithoutFilesEverySettingKeepsItsDefault)
{
    Snapshot defaults = take_snapshot();
    read(nullptr);
    Snapshot derived = {{"wnd.pixsize2_x", "800"},     {"wnd.pixsize2_y", "600"},
                        {"wnd.pixposition2_x", "800"}, {"wnd.pixposition2_y", "0"},
                        {"view.qzure[0]", "1"},        {"view.qzure_inv[0]", "1"}};
    EXPECT_EQ(changed_values(defaults, take_snapshot()), derived);
    EXPECT_EQ(errors_, "");
}

TEST_F(ConfigRead, ChecksReplaceOutOfRangeValues)
{
    struct Case {
        const char* text;
        const int* variable;
        int expected;
    };
    const Case cases[] = {
        {"#Spin 5", &spin.jitenornot, 0},
        {"#Spin 1", &spin.jitenornot, 1},
        {"#Repeat -1", &play.stopornot, 0},
        {"#Animation -1", &play.anim, -1},
        {"#Animation -2", &play.anim, 0},
        {"#Animation 2", &play.anim, 0},
        {"#NumberOfEarth 3", &wnd.nsphere, 1},
        {"#NumberOfEarth 0", &wnd.nsphere, 1},
        {"#Icon 28", &icons.int_button, 0},
        {"#Icon 27", &icons.int_button, 27},
        {"#Icon -1", &icons.int_button, 0},
        {"#Perspective 2", &wnd.perspec, 0},
        {"#EarthSizeSynch 3", &view.synch, 1},
        {"#EarthRotationSynch -1", &view.rotsynch, 1},
        {"#EarthRotationSynch 2", &view.rotsynch, 2},
        {"#EarthSizeSynch 0", &view.synch, 0},
        {"#ScreenFront 7", &overlay.screen_front, 0},
        {"#TimeBarScrub 2", &overlay.time_scrub, 0},
        {"#NumberOfEarth 2 #TextureOfEarth2 0", &series.second_sphere_texture, 0},
        {"#NumberOfEarth 2 #TextureOfEarth2 2", &series.second_sphere_texture, 2},
        {"#NumberOfEarth 2 #TextureOfEarth2 3", &series.second_sphere_texture, 0},
        {"#MeridianLatitude 2 36 18 1 3", &overlay.isenkeisenornot, 0},
        {"#MeridianLatitude 2 36 18 1 3", &overlay.num_keisen, 36},
        {"#TextureStart -5", &play.tex_start, -5}, // unchecked keys take any number
        {"#WindowSizeXY -10 20", &wnd.pixsize_x, -10},
    };
    for (const Case& c : cases) {
        reset_viewer_state();
        read(c.text);
        EXPECT_EQ(*c.variable, c.expected) << c.text;
    }
}

TEST_F(ConfigRead, LatitudeAndLongitudeBecomeRadiansWithTheShortPi)
{
    read("#Latitude 90 #Longitude -180 #Latitude2 0 #Longitude2 0");
    EXPECT_EQ(view.rad_latitude, 0.0);
    EXPECT_EQ(view.rad_longitude, 0.0);
    EXPECT_DOUBLE_EQ(view.rad_latitude2, 90 * 3.14159265359 / 180);
    EXPECT_NE(view.rad_latitude2, kPi / 2);
    EXPECT_DOUBLE_EQ(view.rad_longitude2, 180 * 3.14159265359 / 180);
}

TEST_F(ConfigRead, ScaleSignFollowsTheEyePositionReadBeforeIt)
{
    read("#EyePosition -20 #Scale 1.5 #Scale2 0.5");
    EXPECT_EQ(view.scale_factor, -1.5f);
    EXPECT_EQ(view.init_scale_factor, -1.5f);
    EXPECT_EQ(view.scale_factor2, -0.5f);
    EXPECT_EQ(view.init_scale_factor2, -0.5f);

    reset_viewer_state();
    read("#Scale 1.5 #EyePosition -20");
    EXPECT_EQ(view.scale_factor, 1.5f);
    EXPECT_EQ(view.init_scale_factor, 1.5f);

    reset_viewer_state();
    read("#EyePosition -20", "#Scale 2"); // the eye position of an earlier file counts too
    EXPECT_EQ(view.scale_factor, -2.0f);
}

TEST_F(ConfigRead, SecondGlobeSeriesNeedsTwoGlobesAfterEveryFile)
{
    read("#TextureOfEarth2 1");
    EXPECT_EQ(series.second_sphere_texture, 0);
    reset_viewer_state();
    read("#TextureOfEarth2 1 #NumberOfEarth 1");
    EXPECT_EQ(series.second_sphere_texture, 0);
    reset_viewer_state();
    read("#TextureOfEarth2 1 #NumberOfEarth 2");
    EXPECT_EQ(series.second_sphere_texture, 1);
    // The test runs at the end of each file, so a second globe configured in a
    // later file comes too late for the series key of an earlier one.
    reset_viewer_state();
    read("#TextureOfEarth2 1", "#NumberOfEarth 2");
    EXPECT_EQ(series.second_sphere_texture, 0);
    reset_viewer_state();
    read("#NumberOfEarth 2 #TextureOfEarth2 1", "#NumberOfEarth 1");
    EXPECT_EQ(series.second_sphere_texture, 0);
}

TEST_F(ConfigRead, SecondWindowDefaultsToTheRightOfTheFirst)
{
    read("#WindowPositionXY 100 50\n#WindowSizeXY 640 480\n");
    EXPECT_EQ(wnd.pixposition2_x, 740);
    EXPECT_EQ(wnd.pixposition2_y, 50);
    EXPECT_EQ(wnd.pixsize2_x, 640);
    EXPECT_EQ(wnd.pixsize2_y, 480);

    reset_viewer_state();
    read("#WindowPositionXY 100 50 #WindowSizeXY 640 480 #WindowSizeXY2 300 200 "
         "#WindowPositionXY2 10 20");
    EXPECT_EQ(wnd.pixsize2_x, 300);
    EXPECT_EQ(wnd.pixsize2_y, 200);
    EXPECT_EQ(wnd.pixposition2_x, 10);
    EXPECT_EQ(wnd.pixposition2_y, 20);
}

TEST_F(ConfigRead, SecondGlobeTiltUsesTheAxisAsGiven)
{
    read("#Earth2AngleAxisXY 60 2 0");
    EXPECT_NEAR(view.qzure[0], std::cos(kPi / 6), 1e-12);
    EXPECT_NEAR(view.qzure[1], 1.0, 1e-12); // 2 · sin 30°: the axis is not normalised
    EXPECT_NEAR(view.qzure[2], 0.0, 1e-12);
    EXPECT_EQ(view.qzure[3], 0.0);
    EXPECT_NEAR(view.qzure_inv[0], view.qzure[0], 1e-12);
    EXPECT_NEAR(view.qzure_inv[1], -1.0, 1e-12);
}

TEST_F(ConfigRead, EarthOffsetsSetTheMovableOffsetOfGlobeOne)
{
    read("#EarthXY 0.25 -0.5");
    EXPECT_EQ(view.trans[0], 0.25f);
    EXPECT_EQ(view.trans[1], -0.5f);

    // A re-read puts globe 1 back to its configured offset; "#Earth2XY" does
    // so as well and leaves globe 2's movable offset alone.
    reset_viewer_state();
    view.trans_x = 0.25;
    view.trans[0] = view.trans[1] = 3;
    view.trans2[0] = 2;
    read("#Earth2XY 1 1.5");
    EXPECT_EQ(view.trans[0], 0.25f);
    EXPECT_EQ(view.trans[1], 0.0f);
    EXPECT_EQ(view.trans2[0], 2.0f);
    EXPECT_EQ(view.trans_x2, 1.0);
    EXPECT_EQ(view.trans_y2, 1.5);
}

TEST_F(ConfigRead, TokensAreWordsAndOnlyExactKeyNamesCount)
{
    // Free text, a two-word title, CR LF line ends and an int given 1.5.
    read("Settings for the show\r\n#WindowTitle My Globe\r\n#Spin 1.5\r\n"
         "#spin 1 #Repeat\r\n1\r\n#TextureName maps/earth\r\n");
    EXPECT_EQ(wnd.window_title_1, "My");
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(play.stopornot, 1);
    EXPECT_EQ(series.strtexfile, "maps/earth");
    // The lower-case "#spin" is skipped, and told.
    EXPECT_EQ(count_lines(errors_), 1) << errors_;
    EXPECT_NE(errors_.find("init_conf.txt:4: unknown key #spin"), std::string::npos) << errors_;
}

TEST_F(ConfigRead, ByteOrderMarkHidesTheFirstKeyOnly)
{
    read("\xEF\xBB\xBF#SpinSpeed 3\n#AnimationSpeed 4\n");
    EXPECT_EQ(spin.jitensokudo, 6);
    EXPECT_EQ(play.animsokudo, 4);
}

TEST_F(ConfigRead, UnknownKeysAreToldWithFileLineAndTheKeyMeant)
{
    struct Case {
        const char* text;
        const char* told; // "" when nothing is told
    };
    const Case cases[] = {
        {"#TextureSufix jpg",
         ":1: unknown key #TextureSufix is ignored (did you mean #TextureSuffix?)"},
        {"Notes\r\n\r\n  #Animaton 1",
         ":3: unknown key #Animaton is ignored (did you mean #Animation?)"},
        {"#Spin 1\n#animationspeed 3", ":2: unknown key #animationspeed is ignored (key names are "
                                       "case-sensitive: #AnimationSpeed)"},
        {"#Frobnicate 1\n", ":1: unknown key #Frobnicate is ignored\n"},
        {"#Spin 1 #Animaton", ":1: unknown key #Animaton"}, // last word of the file
        {"\xEF\xBB\xBF#SpinSpeed 3\n", ":1: a byte-order mark hides the key #SpinSpeed"},
        {"# ## #1 #-- (see #2) A#Spin", ""}, // decoration, not keys
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        read(c.text);
        if (*c.told == '\0') {
            EXPECT_EQ(errors_, "");
            continue;
        }
        EXPECT_EQ(count_lines(errors_), 1) << errors_;
        EXPECT_NE(errors_.find(dir_.path() + "/init_conf.txt" + c.told), std::string::npos)
            << errors_;
    }

    // Every unknown key of a file in order, the first ten with their line.
    std::string many;
    for (int i = 1; i <= 12; i++)
        many += "#Unknown" + std::to_string(i) + " 0\n";
    read(many.c_str());
    EXPECT_EQ(count_lines(errors_), 11) << errors_;
    EXPECT_NE(errors_.find(":10: unknown key #Unknown10"), std::string::npos) << errors_;
    EXPECT_NE(errors_.find("and 2 more unknown keys"), std::string::npos) << errors_;
}

TEST_F(ConfigRead, LaterFilesWinAndTheLastOccurrenceWins)
{
    read("#SpinSpeed 1 #AnimationSpeed 1 #StopAt1stMap 1.5 #Repeat 1",
         "#SpinSpeed 2 #AnimationSpeed 2 #AnimationSpeed 5", "#SpinSpeed 3");
    EXPECT_EQ(spin.jitensokudo, 3);
    EXPECT_EQ(play.animsokudo, 5);
    EXPECT_EQ(play.anim_duration, 1.5);
    EXPECT_EQ(play.stopornot, 1);
}

TEST_F(ConfigRead, MissingFilesAreSkipped)
{
    read(nullptr, "#SpinSpeed 2", nullptr);
    EXPECT_EQ(spin.jitensokudo, 2);
    EXPECT_EQ(errors_, "");
}

TEST_F(ConfigRead, FailedValueEndsItsFileKeepsEarlierKeysAndIsReportedOnce)
{
    read("#SpinSpeed 3\n#Latitude forty\n#AnimationSpeed 2\n#Scale nothing\n", "#Repeat 1");
    EXPECT_EQ(spin.jitensokudo, 3);
    EXPECT_EQ(view.rad_latitude, 0.0);
    EXPECT_EQ(play.animsokudo, 8);
    EXPECT_EQ(play.stopornot, 1);
    EXPECT_EQ(errors_, "tyx: " + dir_.path() +
                           "/init_conf.txt:2: #Latitude cannot take \"forty\"; the rest of this "
                           "file was skipped\n");
}

TEST_F(ConfigRead, StringValuesInQuotesMayHoldBlanks)
{
    struct Case {
        const char* text;
        const char* name; // the map stem read
        const char* told; // "" when nothing is told
    };
    const Case cases[] = {
        {"#TextureName \"my maps/sst\" #Spin 1", "my maps/sst", ""},
        {"#TextureName maps/earth #Spin 1", "maps/earth", ""},
        {"#TextureName \"\" #Spin 1", "", ""},
        {"#TextureName a\"b c\" #Spin 1", "a\"b", ""}, // a quote inside a word is a character
        // No closing quote on its line: one word, as without quotes.
        {"#TextureName \"my maps/sst\n#Spin 1\"", "\"my",
         ":1: a value opens with \" but does not close it on its line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        reset_viewer_state();
        read(c.text);
        EXPECT_EQ(series.strtexfile, c.name);
        if (*c.told == '\0') {
            EXPECT_EQ(errors_, "");
            EXPECT_EQ(spin.jitenornot, 1);
        } else {
            EXPECT_NE(errors_.find(c.told), std::string::npos) << errors_;
        }
    }
}

TEST_F(ConfigRead, ALessonLineWithABadValueIsSkippedAlone)
{
    std::vector<std::string> problems;
    read_config_text("#Spin 1 #Latitude forty #Repeat 1\n#AnimationSpeed 3 #Scale", "step", 7,
                     OnBadValue::skip_rest_of_line, &problems);
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(play.stopornot, 0);
    EXPECT_EQ(play.animsokudo, 3);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "step:7: #Latitude cannot take \"forty\"; the rest of this line was "
                            "skipped",
                            "step:8: the file ends where #Scale expects a value"}));
}

TEST_F(ConfigRead, OddFilesAreBoundedOrRefused)
{
    // A word of 5000 characters is cut, once told; the keys around it count.
    read(("#Spin 1 " + std::string(5000, 'x') + " " + std::string(5000, 'y') + "\n#Repeat 1")
             .c_str());
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(play.stopornot, 1);
    EXPECT_EQ(errors_, "tyx: " + dir_.path() +
                           "/init_conf.txt:1: a word longer than 4096 characters was cut there\n");

    // Past the first megabyte nothing is read, in a 2 GB sparse file.
    read("#Spin 1");
    std::filesystem::resize_file(series.init_file[kBaseConfig], 2ll << 30);
    spin.jitenornot = 0;
    testing::internal::CaptureStderr();
    func_readinit_file();
    errors_ = testing::internal::GetCapturedStderr();
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_NE(errors_.find("init_conf.txt: only the first 1024 KiB of its 2097152 KiB were read"),
              std::string::npos)
        << errors_;
    EXPECT_NE(errors_.find("a word longer than 4096"), std::string::npos) << errors_;

    // A folder where the file should be.
    read(nullptr);
    std::filesystem::create_directory(series.init_file[kBaseConfig]);
    testing::internal::CaptureStderr();
    func_readinit_file();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tyx: " + series.init_file[kBaseConfig] + ": not a regular file; skipped\n");
}

TEST_F(ConfigRead, FailedValueLeavesItsVariableAsItWas)
{
    // A failed stream extraction would store 0 or the type's limit; the
    // setting must keep what it had.
    spin.jitenornot = 1;
    view.rad_latitude = 0.5;
    read("#Spin on", "#Latitude north", "#SpinSpeed 99999999999");
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(view.rad_latitude, 0.5);
    EXPECT_EQ(spin.jitensokudo, 6);
    EXPECT_EQ(count_lines(errors_), 3) << errors_;
    EXPECT_NE(errors_.find("\"99999999999\""), std::string::npos) << errors_;

    // The values read before the failing one stay.
    reset_viewer_state();
    read("#WindowSizeXY 640 wide #Spin 1");
    EXPECT_EQ(wnd.pixsize_x, 640);
    EXPECT_EQ(wnd.pixsize_y, 600);
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_NE(errors_.find("\"wide\""), std::string::npos) << errors_;
}

TEST_F(ConfigRead, KeyNameInANoteTakesTheNextWordAsItsValue)
{
    read("Set #Spin to 1 to make it turn\n#Repeat 1\n", "#AnimationSpeed 3");
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_EQ(play.stopornot, 0);
    EXPECT_EQ(play.animsokudo, 3);
    EXPECT_NE(errors_.find("\"to\""), std::string::npos) << errors_;
}

TEST_F(ConfigRead, KeyWithoutItsValueAtTheEndOfAFile)
{
    read("#Spin 1\n#SpinSpeed", "#AnimationSpeed 3 #WindowTitle");
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(spin.jitensokudo, 6);
    EXPECT_EQ(play.animsokudo, 3);
    EXPECT_EQ(wnd.window_title_1, "TYX 1.27");
    EXPECT_EQ(count_lines(errors_), 2) << errors_;
    EXPECT_NE(errors_.find("ends where #SpinSpeed expects a value"), std::string::npos) << errors_;
}

TEST_F(ConfigRead, ReReadingChangesOnlyTheKeysItMeets)
{
    read("#Spin 1 #SpinSpeed 2");
    read("#SpinSpeed 4");
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_EQ(spin.jitensokudo, 4);
}
