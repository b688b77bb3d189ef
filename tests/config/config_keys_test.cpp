// config_keys_test.cpp — every key name lands in its own variables and in no
// other: one file per key, with values that differ from every default.
#include "config/config_keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>

#include "config/config_journal.h"
#include "config/config_probes.h"
#include "config/config_text.h"
#include "config/readinitfile.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

struct KeyCase {
    std::string key;
    std::string values;
    Snapshot changes;        // probe name → value expected after the reading
    std::string before = ""; // keys written in front of the key, if it needs them
};

std::string t(double v)
{
    return probe_text(v);
}
std::string s(const std::string& v)
{
    return probe_text(v);
}

std::vector<KeyCase> key_cases()
{
    const double pi = 3.14159265359; // the files' degrees are converted with this pi
    std::vector<KeyCase> cases = {
        {"#AnimationSpeed", "3", {{"play.animsokudo", t(3)}}},
        {"#StopAt1stMap", "1.25", {{"play.anim_duration", t(1.25)}}},
        {"#StopAtFinalMap", "2.5", {{"play.anim_duration_Final", t(2.5)}}},
        {"#SpinSpeed", "-4", {{"spin.jitensokudo", t(-4)}}},
        {"#FullScreen", "1", {{"wnd.fullscreen", t(1)}}},
        {"#FullScreen2", "1", {{"wnd.fullscreen2", t(1)}}},
        {"#Spin", "1", {{"spin.jitenornot", t(1)}}},
        {"#Repeat", "1", {{"play.stopornot", t(1)}}},
        {"#Animation", "-1", {{"play.anim", t(-1)}}},
        {"#Latitude", "45", {{"view.rad_latitude", t(pi / 4)}}},
        {"#Longitude", "-90", {{"view.rad_longitude", t(pi / 2)}}},
        {"#Latitude2", "-30", {{"view.rad_latitude2", t(2 * pi / 3)}}},
        {"#Longitude2", "0", {{"view.rad_longitude2", t(pi)}}},
        {"#WindowSizeXY",
         "640 480",
         {{"wnd.pixsize_x", t(640)},
          {"wnd.pixsize_y", t(480)},
          {"wnd.pixsize2_x", t(640)},
          {"wnd.pixsize2_y", t(480)},
          {"wnd.pixposition2_x", t(640)}}},
        {"#WindowSizeXY2", "320 240", {{"wnd.pixsize2_x", t(320)}, {"wnd.pixsize2_y", t(240)}}},
        {"#WindowPositionXY",
         "100 50",
         {{"wnd.pixposition_x", t(100)},
          {"wnd.pixposition_y", t(50)},
          {"wnd.pixposition2_x", t(900)},
          {"wnd.pixposition2_y", t(50)}}},
        {"#WindowPositionXY2",
         "30 40",
         {{"wnd.pixposition2_x", t(30)}, {"wnd.pixposition2_y", t(40)}}},
        {"#Perspective", "1", {{"wnd.perspec", t(1)}}},
        {"#EyePosition", "12.5", {{"wnd.ez", t(12.5)}}},
        {"#Scale", "1.5", {{"view.scale_factor", t(1.5)}, {"view.init_scale_factor", t(1.5)}}},
        {"#Scale2",
         "0.75",
         {{"view.scale_factor2", t(0.75)}, {"view.init_scale_factor2", t(0.75)}}},
        {"#EarthXY",
         "0.25 -0.5",
         {{"view.trans_x", t(0.25)},
          {"view.trans_y", t(-0.5)},
          {"view.trans[0]", t(0.25)},
          {"view.trans[1]", t(-0.5)}}},
        {"#NumberOfEarth", "2", {{"wnd.nsphere", t(2)}}},
        {"#EarthSizeSynch", "2", {{"view.synch", t(2)}}},
        {"#EarthRotationSynch", "0", {{"view.rotsynch", t(0)}}},
        {"#TextureOfEarth2",
         "1",
         {{"wnd.nsphere", t(2)}, {"series.second_sphere_texture", t(1)}},
         "#NumberOfEarth 2"},
        {"#Earth2XY", "0.75 -0.25", {{"view.trans_x2", t(0.75)}, {"view.trans_y2", t(-0.25)}}},
        {"#Earth2AngleAxisXY",
         "90 1 0",
         {{"view.angle2", t(90)},
          {"view.angle_axis2[0]", t(1)},
          {"view.angle_axis2[1]", t(0)},
          {"view.qzure[0]", t(std::sqrt(0.5))},
          {"view.qzure[1]", t(std::sqrt(0.5))},
          {"view.qzure_inv[0]", t(std::sqrt(0.5))},
          {"view.qzure_inv[1]", t(-std::sqrt(0.5))}}},
        {"#ScreenScaleXY",
         "2.5 -1.5 0.5",
         {{"overlay.logo_scale", t(2.5)}, {"overlay.logo_x", t(-1.5)}, {"overlay.logo_y", t(0.5)}}},
        {"#ScreenScaleXY2",
         "1.5 -0.5 0.25",
         {{"overlay.logo_scale2", t(1.5)},
          {"overlay.logo_x2", t(-0.5)},
          {"overlay.logo_y2", t(0.25)}}},
        {"#ScreenFront", "0", {{"overlay.screen_front", t(0)}}},
        {"#ScreenOn", "0", {{"overlay.screen_onoff", t(0)}}},
        {"#TimebarScaleXY",
         "0.5 1.25 -1.75",
         {{"overlay.time_scale", t(0.5)},
          {"overlay.time_x", t(1.25)},
          {"overlay.time_y", t(-1.75)}}},
        {"#TimeBarScrub", "1", {{"overlay.time_scrub", t(1)}}},
        {"#SecondTexture_at_startup", "1", {{"series.texture_double1", t(1)}}},
        {"#InertiaOfRotation",
         "0.5 0.25 0.125 0.75",
         {{"inertia.minkanseikaiten", t(0.5)},
          {"inertia.minkanseikaitenstop", t(0.25)},
          {"inertia.strengthkanseikaiten", t(0.125)},
          {"inertia.gensuikanseikaiten", t(0.75)}}},
        {"#ClickLock", "1", {{"icons.ClickLock", t(1)}}},
        {"#InvisibleCursor", "1", {{"wnd.invisible_cursor", t(1)}}},
        {"#NoMouseDragRotation", "1", {{"view.nomousedrag", t(1)}}},
        {"#SpinIntervalSecond", "0.5", {{"spin.jiten_speed", t(0.5)}}},
        {"#MeridianLatitude",
         "1 12 6 1.25 3.5",
         {{"overlay.isenkeisenornot", t(1)},
          {"overlay.num_keisen", t(12)},
          {"overlay.num_isen", t(6)},
          {"overlay.line_width", t(1.25)},
          {"overlay.line_width_red", t(3.5)}}},
        {"#ColorMeridianLatitude",
         "0.5 0.25 0.125 0.75 0.375 0.625 0.875 0",
         {{"overlay.color_isenkeisen[0]", t(0.5)},
          {"overlay.color_isenkeisen[1]", t(0.25)},
          {"overlay.color_isenkeisen[2]", t(0.125)},
          {"overlay.color_isenkeisen[3]", t(0.75)},
          {"overlay.color_sekidou[0]", t(0.375)},
          {"overlay.color_sekidou[1]", t(0.625)},
          {"overlay.color_sekidou[2]", t(0.875)},
          {"overlay.color_sekidou[3]", t(0)}}},
        {"#LineThicknessColor",
         "7.5 0.5 0.25 0.125 0.75",
         {{"drawing.line_width_drawing", t(7.5)},
          {"drawing.color_drawing[0]", t(0.5)},
          {"drawing.color_drawing[1]", t(0.25)},
          {"drawing.color_drawing[2]", t(0.125)},
          {"drawing.color_drawing[3]", t(0.75)}}},
        {"#PaletteScaleXY",
         "0.25 1.5 -0.5",
         {{"drawing.pscale", t(0.25)},
          {"drawing.palette_posi_x", t(1.5)},
          {"drawing.palette_posi_y", t(-0.5)}}},
        {"#Icon", "5", {{"icons.int_button", t(5)}}},
        {"#TextureStart", "0", {{"play.tex_start", t(0)}}},
        {"#TextureEnd", "24", {{"play.tex_end", t(24)}}},
        {"#VideoFrameRate", "29.97", {{"play.video_frame_rate", t(29.97)}}},
        {"#PointsName", "pts/p", {{"plot.str_points", s("pts/p")}}},
        {"#PointsSuffix", "csv1", {{"plot.str_points_s", s("csv1")}}},
        {"#PointsOn", "1", {{"plot.point_mode_onoff", t(1)}}},
        {"#PointsInitDisplay", "1", {{"plot.point_display_onoff", t(1)}}},
        {"#ArrowsName", "arr/a", {{"plot.str_arrows", s("arr/a")}}},
        {"#ArrowsSuffix", "csv2", {{"plot.str_arrows_s", s("csv2")}}},
        {"#ArrowsOn", "1", {{"plot.arrow_mode_onoff", t(1)}}},
        {"#ArrowsInitDisplay", "1", {{"plot.arrow_display_onoff", t(1)}}},
        {"#LinesName", "lin/l", {{"plot.str_senga", s("lin/l")}}},
        {"#LinesSuffix", "csv3", {{"plot.str_senga_s", s("csv3")}}},
        {"#LinesOn", "1", {{"plot.senga_mode_onoff", t(1)}}},
        {"#LinesInitDisplay", "1", {{"plot.senga_display_onoff", t(1)}}},
        {"#Lesson", "\"my lesson.txt\"", {{"lesson.lesson_file", s("my lesson.txt")}}},
        {"#Heading", "-45", {{"view.heading", t(-45)}}},
        {"#Frame", "12", {{"lesson.step_frame", t(12)}}},
        {"#FlightSeconds", "99", {{"lesson.flight_seconds", t(60)}}},
        {"#PresentaionRemoteMode", "1", {{"icons.presentation_remote", t(1)}}},
        {"#PresentationRemoteMode", "1", {{"icons.presentation_remote", t(1)}}},
        {"#FrameRateLimit", "0", {{"wnd.frame_rate_limit", t(0)}}},
        {"#ExportIcons", "1", {{"icons.export_icons", t(1)}}},
        {"#SeriesMemoryMiB", "1024", {{"series.series_memory_mib", t(1024)}}},
        {"#NumberOfTextures", "2", {{"play.number_of_textures", t(2)}}},
        {"#WindowTitle", "Globe", {{"wnd.window_title_1", s("Globe")}}},
        {"#WindowTitle2", "Second", {{"wnd.window_title_2", s("Second")}}},
        {"#NoTitleBar_Windows", "1", {{"wnd.no_title_bar", t(1)}}},
        {"#SingleInstance", "1", {{"wnd.single_instance", t(1)}}},
        {"#ScreenBGTransparency", "128", {{"series.screen_transparency", t(128)}}},
        {"#AutoReload", "1", {{"series.auto_reload", t(1)}}},
        {"#AutoReloadIntervalMin", "5", {{"series.auto_reload_interval_min", t(5)}}},
        {"#TextureName", "tn1", {{"series.strtexfile", s("tn1")}}},
        {"#TextureSuffix", "ts1", {{"series.strtexfile_s", s("ts1")}}},
        {"#ScreenName", "sn1", {{"series.strscreenfile", s("sn1")}}},
        {"#ScreenSuffix", "ss1", {{"series.strscreenfile_s", s("ss1")}}},
        {"#SecondTextureName", "dtn1", {{"series.strdoubletexfile", s("dtn1")}}},
        {"#SecondTextureSuffix", "dts1", {{"series.strdoubletexfile_s", s("dts1")}}},
        {"#SecondScreenName", "dsn1", {{"series.strdoublescreenfile", s("dsn1")}}},
        {"#SecondScreenSuffix", "dss1", {{"series.strdoublescreenfile_s", s("dss1")}}},
        {"#TextureName2", "tn2", {{"series.strtexfile2", s("tn2")}}},
        {"#TextureSuffix2", "ts2", {{"series.strtexfile_s2", s("ts2")}}},
        {"#ScreenName2", "sn2", {{"series.strscreenfile2", s("sn2")}}},
        {"#ScreenSuffix2", "ss2", {{"series.strscreenfile_s2", s("ss2")}}},
        {"#SecondTextureName2", "dtn2", {{"series.strdoubletexfile2", s("dtn2")}}},
        {"#SecondTextureSuffix2", "dts2", {{"series.strdoubletexfile_s2", s("dts2")}}},
        {"#SecondScreenName2", "dsn2", {{"series.strdoublescreenfile2", s("dsn2")}}},
        {"#SecondScreenSuffix2", "dss2", {{"series.strdoublescreenfile_s2", s("dss2")}}},
    };
    cases.push_back({"#Font", "Noto", {{"txt.font", s("Noto")}}});
    cases.push_back({"#LabelSize", "9.5", {{"txt.label_size", t(9.5)}}});
    cases.push_back({"#LabelsInitDisplay", "0", {{"txt.labels_display_onoff", t(0)}}});
    cases.push_back({"#CaptionFile", "caps.txt", {{"txt.caption_file", s("caps.txt")}}});
    cases.push_back(
        {"#CaptionXY", "-1.5 0.5", {{"txt.caption_x", t(-1.5)}, {"txt.caption_y", t(0.5)}}});
    cases.push_back({"#CaptionSize", "30", {{"txt.caption_size", t(30)}}});
    cases.push_back({"#TimeBarText", "1", {{"txt.timebar_text", t(1)}}});
    cases.push_back({"#Notices", "0", {{"txt.notices_onoff", t(0)}}});
    // Colour keys: red, green, blue, alpha into their variables.
    const std::vector<std::pair<std::string, std::vector<std::string>>> colours = {
        {"#LabelColor", {"txt.label_color"}},
        {"#CaptionColor", {"txt.caption_color"}},
        {"#TimeBarColor", {"overlay.darkgray", "overlay.timebar_cap_color"}},
        {"#TimeBarKnobColor", {"overlay.gray"}},
    };
    for (const auto& [key, variables] : colours) {
        Snapshot changes;
        const double rgba[4] = {0.5, 0.25, 0.125, 0.75};
        for (const std::string& v : variables)
            for (int k = 0; k < 4; k++)
                changes[v + "[" + std::to_string(k) + "]"] = t(rgba[k]);
        cases.push_back({key, "0.5 0.25 0.125 0.75", changes});
    }
    for (int n = 1; n <= 27; n++) {
        std::string key = n == 1 ? "#IconScaleXY" : "#Icon" + std::to_string(n) + "ScaleXY";
        std::string i = "[" + std::to_string(n - 1) + "]";
        double x = n + 0.25, y = -n - 0.5;
        cases.push_back({key,
                         "0.5 " + t(x) + " " + t(y),
                         {{"icons.icon_onoff_permanent" + i, t(1)},
                          {"icons.icon_scale" + i, t(0.5)},
                          {"icons.icon_posi_x" + i, t(x)},
                          {"icons.icon_posi_y" + i, t(y)}}});
    }
    return cases;
}

class ConfigKeys : public StateTest {
  protected:
    // Reads `text` as the only configuration file.
    void read_only(const std::string& text)
    {
        reset_viewer_state();
        series.init_file[kBaseConfig] = dir_.write("only.txt", text);
        series.init_file[kFolderConfig] = dir_.path() + "/missing.txt";
        series.init_file[kLanguageConfig] = "";
        func_readinit_file();
    }

    TempDir dir_;
};

} // namespace

TEST_F(ConfigKeys, TheTableHoldsExactlyTheDocumentedNames)
{
    std::set<std::string> documented;
    for (const KeyCase& c : key_cases())
        EXPECT_TRUE(documented.insert(c.key).second) << "listed twice: " << c.key;
    // The classic 109, "#SingleInstance", "#TimeBarScrub", "#ExportIcons",
    // "#FrameRateLimit", "#PresentationRemoteMode", the twelve text keys,
    // "#SeriesMemoryMiB", "#VideoFrameRate" and the four lesson keys.
    EXPECT_EQ(documented.size(), 132u);

    std::set<std::string> in_table;
    for (std::size_t i = 0; i < kConfigKeyCount; i++)
        EXPECT_TRUE(in_table.insert(kConfigKeys[i].name).second) << kConfigKeys[i].name;
    EXPECT_EQ(in_table, documented);
}

TEST_F(ConfigKeys, EachKeyChangesItsOwnVariablesAndNoOthers)
{
    read_only("");
    const Snapshot baseline = take_snapshot();
    for (const KeyCase& c : key_cases()) {
        ASSERT_NE(find_config_key(c.key), nullptr) << c.key;
        read_only(c.before + "\n" + c.key + " " + c.values + "\n");
        EXPECT_EQ(changed_values(baseline, take_snapshot()), c.changes) << c.key << " " << c.values;
    }
}

// A lesson step's lines are undone through the journal: every variable a
// key changes must be kept in it first.
TEST_F(ConfigKeys, TheJournalPutsBackWhatEachKeyChanged)
{
    for (const KeyCase& c : key_cases()) {
        read_only(c.before);
        const Snapshot before = take_snapshot();
        ConfigJournal journal;
        std::vector<std::string> problems;
        read_config_text(c.key + " " + c.values, "step", 1, OnBadValue::skip_rest_of_line,
                         &problems, &journal);
        journal.restore();
        const Snapshot left = changed_values(before, take_snapshot());
        EXPECT_TRUE(left.empty()) << c.key << " leaves " << left.begin()->first;
    }
}

TEST_F(ConfigKeys, OnlyWholeExactNamesAreKeys)
{
    EXPECT_NE(find_config_key("#Spin"), nullptr);
    for (const char* near : {"#spin", "Spin", "#Spin:", "#Spin2", " #Spin", "#", ""})
        EXPECT_EQ(find_config_key(near), nullptr) << near;
    EXPECT_EQ(find_config_key(std::string("#Spin\0x", 7)), nullptr);
}

TEST_F(ConfigKeys, FrameRateLimitAndSeriesMemoryOutOfRangeAreTheDefault)
{
    for (auto [text, limit] : {std::pair{"1000", 1000}, {"1001", 60}, {"-5", 60}}) {
        read_only(std::string("#FrameRateLimit ") + text + "\n");
        EXPECT_EQ(wnd.frame_rate_limit, limit) << text;
    }
    for (auto [text, mib] : {std::pair{"4194304", 4194304}, {"4194305", 0}, {"-1", 0}}) {
        read_only(std::string("#SeriesMemoryMiB ") + text + "\n");
        EXPECT_EQ(series.series_memory_mib, mib) << text;
    }
}

TEST_F(ConfigKeys, ValuesAreTheDefaultsAsAFileWritesThem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"#WindowSizeXY", "800 600"},
        {"#WindowPositionXY2", "-9999 -9999"},
        {"#Latitude", "90"}, // stored as the polar angle 0
        {"#Longitude", "-180"},
        {"#Perspective", "2"},
        {"#Icon2ScaleXY", "1 1.8 -1"},
        {"#InertiaOfRotation", "0.1 0.01 0.04 0.995"},
        {"#ColorMeridianLatitude", "1 1 1 1 0.8 0.2 0.2 1"},
        {"#TextureName", "map/sample"},
        {"#WindowTitle2", "\"TYX 1.27(2)\""}, // one value, though no file can write it
    };
    for (const auto& [key, values] : cases) {
        reset_viewer_state();
        EXPECT_EQ(config_key_values(*find_config_key(key)), values) << key;
    }
    read_only("#Latitude 12.5\n#EyePosition -20\n#Scale 1.5\n");
    EXPECT_EQ(config_key_values(*find_config_key("#Latitude")), "12.5");
    EXPECT_EQ(config_key_values(*find_config_key("#Scale")), "1.5"); // as written, not negated
}

// What the manual page lists as each key's default, written into a file,
// leaves the state as it was; only keys whose reading does more than store
// the values differ.
TEST_F(ConfigKeys, EveryKeysDefaultsReadBackChangeNothing)
{
    read_only("");
    const Snapshot baseline = take_snapshot();
    for (std::size_t i = 0; i < kConfigKeyCount; i++) {
        const std::string key = kConfigKeys[i].name;
        reset_viewer_state();
        const std::string values = config_key_values(kConfigKeys[i]);
        ASSERT_FALSE(values.empty()) << key;
        if (values.find('"') != std::string::npos)
            continue; // a title with a blank
        read_only(key + " " + values + "\n");
        Snapshot changes = changed_values(baseline, take_snapshot());
        for (auto at = changes.begin(); at != changes.end();) // an icon key switches it on
            at = at->first.rfind("icons.icon_onoff_permanent", 0) == 0 ? changes.erase(at)
                                                                       : std::next(at);
        if (key == "#Perspective")
            EXPECT_EQ(changes, (Snapshot{{"wnd.perspec", t(0)}})); // 2 is outside 0 .. 1
        else if (key == "#TimeBarColor") // the end caps take the bar's colour
            EXPECT_EQ(changes.size(), 3u) << changes.begin()->first;
        else
            EXPECT_EQ(changes, Snapshot{}) << key << " " << values;
    }
}
