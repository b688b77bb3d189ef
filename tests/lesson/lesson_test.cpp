// lesson_test.cpp — reading a lesson's steps, applying a step over the
// configuration files, and recording the view as a step.
#include "lesson/lesson_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "config/config_text.h"
#include "config/readinitfile.h"
#include "core/command_line.h"
#include "lesson/flight_control.h"
#include "lesson/lesson_record.h"
#include "lesson/lesson_steps.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"
#include "view/orientation.h"
#include "view/view_pose.h"

namespace {

bool has(const std::vector<std::string>& problems, const std::string& part)
{
    for (const std::string& p : problems)
        if (p.find(part) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(LessonFile, StepsAreTheTitleLinesAndTheSettingsAfterThem)
{
    LessonText l = parse_lesson("A note about #Latitude.\n"
                                "= Africa, with the winds  \n"
                                "#Latitude 0\n"
                                "#Scale 2\n"
                                "  =\n"
                                "= Tab\there\n"
                                "#TextureName map/sst",
                                "l.txt");
    ASSERT_EQ(l.steps.size(), 3u);
    EXPECT_EQ(l.steps[0].title, "Africa, with the winds");
    EXPECT_EQ(l.steps[0].title_line, 2);
    EXPECT_EQ(l.steps[0].settings, "#Latitude 0\n#Scale 2\n");
    EXPECT_EQ(l.steps[1].title, "Step 2");
    EXPECT_EQ(l.steps[1].settings, "");
    EXPECT_EQ(l.steps[2].title, "Tab here");
    EXPECT_EQ(l.steps[2].settings, "#TextureName map/sst");
    ASSERT_EQ(l.problems.size(), 1u);
    EXPECT_EQ(l.problems[0], "l.txt:1: settings before the first step (a line \"= Title\") are "
                             "not read");
}

TEST(LessonFile, EmptyHugeAndLongLessonsAreBoundedAndTold)
{
    EXPECT_TRUE(parse_lesson("", "e.txt").steps.empty());
    EXPECT_TRUE(has(parse_lesson("no steps here\n", "e.txt").problems, "e.txt: no steps"));

    std::string many;
    for (int i = 0; i < kMaxLessonSteps + 5; i++)
        many += "= S" + std::to_string(i) + "\n#Scale 1\n";
    LessonText big = parse_lesson(many, "m.txt");
    EXPECT_EQ(big.steps.size(), size_t(kMaxLessonSteps));
    EXPECT_TRUE(
        has(big.problems, "m.txt:" + std::to_string(2 * kMaxLessonSteps + 1) + ": only the first"));
    EXPECT_EQ(big.steps.back().settings, "#Scale 1\n");

    // A title of 10 000 characters, two bytes each, is cut on a character.
    std::string title;
    for (int i = 0; i < 10000; i++)
        title += "\xC3\xA9";
    LessonText cut = parse_lesson("= " + title + "\n", "t.txt");
    ASSERT_EQ(cut.steps.size(), 1u);
    EXPECT_EQ(cut.steps[0].title, title.substr(0, 2 * kMaxStepTitleChars) + "...");
    EXPECT_TRUE(has(cut.problems, "t.txt:1: the title is cut"));

    LessonText missing;
    std::string why;
    EXPECT_FALSE(read_lesson_file("/nonexistent/lesson.txt", &missing, &why));
    EXPECT_EQ(why, "cannot be read");
}

TEST(CommandLine, ViewPlacesAreLatitudeLongitudeAndAZoom)
{
    struct Case {
        const char* text;
        bool ok;
        double latitude, longitude, zoom;
    } cases[] = {
        {"35.7,139.7,2", true, 35.7, 139.7, 2},
        {"-90,-180", true, -90, -180, 0},
        {"91,0", false, 0, 0, 0},
        {"10", false, 0, 0, 0},
        {"10,20,0", false, 0, 0, 0},
        {"10,20,3,4", false, 0, 0, 0},
        {"10, 20x", false, 0, 0, 0},
        {"nan,0", false, 0, 0, 0},
        {"", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ViewPlace p;
        ASSERT_EQ(parse_view_place(c.text, &p), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(p.latitude, c.latitude) << c.text;
            EXPECT_DOUBLE_EQ(p.longitude, c.longitude) << c.text;
            EXPECT_DOUBLE_EQ(p.zoom, c.zoom) << c.text;
        }
    }
    const char* argv[] = {"tyx", "--view=1,2", "english", "--lesson", "l.txt", nullptr};
    int argc = 5;
    LessonOptions o = take_lesson_options(&argc, const_cast<char**>(argv));
    EXPECT_EQ(argc, 2);
    EXPECT_STREQ(argv[1], "english");
    EXPECT_EQ(o.lesson, "l.txt");
    EXPECT_TRUE(o.view_given);
    EXPECT_EQ(o.error, "");
}

namespace {

// A data folder with two map series, the configuration files and a lesson,
// as the working directory.
class LessonSteps : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir_.enter();
        for (const char* map : {"map/sample1.ppm", "map/other1.ppm"})
            dir_.write(map, "P6\n2 1\n255\n\x10\x20\x30\x40\x50\x60");
        dir_.write("init_conf.txt", "#Animation 1 #Latitude 10 #Longitude 20 #Scale 1\n");
        series.init_file[0] = dir_.path() + "/init_conf.txt";
        series.init_file[1] = series.init_file[2] = "";
        dir_.write("lesson.txt", "= One\n"
                                 "#Spin 1 #Latitude 40\n"
                                 "= Two\n"
                                 "#TextureName map/other\n"
                                 "#Spin abc\n"
                                 "#Animation 0\n"
                                 "= Three\n"
                                 "#TextureName map/none\n");
        lesson.lesson_option = "lesson.txt";
    }

    // Applies step `step` as window 1's frame does; what was told on
    // standard error.
    std::string go_to(int step)
    {
        testing::internal::CaptureStderr();
        EXPECT_TRUE(request_lesson_step(step));
        carry_out_lesson_step();
        return testing::internal::GetCapturedStderr();
    }

    TempDir dir_;
};

} // namespace

TEST_F(LessonSteps, EachStepIsTheConfigurationPlusItsOwnLinesAlone)
{
    func_readinit_file();
    ASSERT_TRUE(lesson_loaded());
    EXPECT_EQ(lesson.step, 0);
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_NEAR(view.rad_latitude, latitude_to_polar_angle(40), 1e-12);

    // The bad line alone is skipped, with the file, line and step; the step's
    // spin goes back to the configuration's, its maps change.
    std::string told = go_to(1);
    EXPECT_NE(told.find("lesson.txt:5:"), std::string::npos) << told;
    EXPECT_NE(told.find("2/3 Two"), std::string::npos) << told;
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_EQ(play.anim, 0);
    EXPECT_EQ(series.strtexfile, "map/other");
    EXPECT_EQ(series.readtextureornot, 1) << "other maps are loaded";

    // Missing maps: told, and the maps shown stay.
    series.readtextureornot = 0;
    told = go_to(2);
    EXPECT_NE(told.find("lesson.txt:7: no maps: map/none"), std::string::npos) << told;
    EXPECT_EQ(series.strtexfile, "map/other");
    EXPECT_EQ(series.readtextureornot, 0);
    EXPECT_EQ(play.anim, 1);

    // Back at the first step everything is as it began.
    go_to(0);
    EXPECT_EQ(series.strtexfile, "map/sample");
    EXPECT_EQ(spin.jitenornot, 1);
    EXPECT_FALSE(request_lesson_step(3));
    EXPECT_FALSE(request_lesson_step(-1));
}

TEST_F(LessonSteps, TheGlobeFliesToTheViewKeysOfAStepAndKeepsTheRest)
{
    auto latitude_longitude = []() {
        const ViewAngles at = view_of_orientation(current_globe_pose().q, wnd.ez);
        return std::pair{polar_angle_to_latitude(at.rad_latitude),
                         radians_to_longitude(at.rad_longitude)};
    };
    func_readinit_file();
    init_rotate();
    show_start_view(); // from the files' view to the first step's
    ASSERT_TRUE(flight_under_way());
    step_flight(100);
    step_flight(100 + lesson.flight_seconds);
    EXPECT_FALSE(flight_under_way());
    EXPECT_NEAR(latitude_longitude().first, 40, 1e-6);
    EXPECT_NEAR(latitude_longitude().second, 20, 1e-4);

    go_to(1); // no view keys: no flight
    EXPECT_FALSE(flight_under_way());

    // Turned by hand, then back to step 1, which sets the latitude alone.
    FlightEnd turned;
    orientation_of_view({latitude_to_polar_angle(0), longitude_to_radians(-60), 0}, wnd.ez,
                        turned.q);
    set_globe_pose(turned);
    go_to(0);
    ASSERT_TRUE(flight_under_way());
    step_flight(200);
    step_flight(200 + lesson.flight_seconds / 2);
    const auto half = latitude_longitude();
    EXPECT_NEAR(half.first, 20, 1);
    EXPECT_NEAR(half.second, -60, 1e-4);
    // A key ends the flight where it is.
    end_flight();
    step_flight(300);
    EXPECT_NEAR(latitude_longitude().first, half.first, 1e-9);
}

TEST_F(LessonSteps, KeyKAddsAStepThatReadsBackAsTheViewShown)
{
    func_readinit_file();
    FlightEnd pose;
    orientation_of_view({latitude_to_polar_angle(-33.9), longitude_to_radians(151.2), 0.5}, wnd.ez,
                        pose.q);
    pose.scale = 2.5;
    pose.trans[0] = 0.25;
    set_globe_pose(pose);
    plot.arrow_display_onoff = 1;

    testing::internal::CaptureStdout();
    ASSERT_TRUE(record_view_step());
    EXPECT_NE(testing::internal::GetCapturedStdout().find("View added to lesson.txt as step 4"),
              std::string::npos);
    const std::string text = read_text_file("lesson.txt");
    ASSERT_EQ(text.rfind("= One\n", 0), 0u);
    const size_t added = text.find("\n\n= View 4: 33.9 S, 151.2 E\n");
    ASSERT_NE(added, std::string::npos) << text;
    EXPECT_EQ(lesson.steps.size(), 4u);
    EXPECT_EQ(lesson.step, 3);

    // Read back over a fresh state, the step gives the same view.
    const std::string step = text.substr(text.find('\n', added + 2) + 1);
    reset_viewer_state();
    std::vector<std::string> problems;
    read_config_text(step, "step", 1, OnBadValue::skip_rest_of_line, &problems);
    EXPECT_TRUE(problems.empty()) << problems[0];
    EXPECT_NEAR(polar_angle_to_latitude(view.rad_latitude), -33.9, 1e-4);
    EXPECT_NEAR(radians_to_longitude(view.rad_longitude), 151.2, 1e-4);
    EXPECT_NEAR(view.heading * 3.141592653589793 / 180, 0.5, 1e-4);
    EXPECT_NEAR(view.scale_factor, 2.5, 1e-4);
    EXPECT_NEAR(view.trans[0], 0.25, 1e-4);
    EXPECT_EQ(plot.arrow_display_onoff, 1);
}

TEST_F(LessonSteps, KeyKWithoutALessonWritesTheDefaultFileAndRefusesAFolder)
{
    lesson.lesson_option.clear();
    func_readinit_file();
    init_rotate();
    EXPECT_FALSE(lesson_loaded());
    testing::internal::CaptureStdout();
    EXPECT_TRUE(record_view_step());
    EXPECT_TRUE(record_view_step());
    testing::internal::GetCapturedStdout();
    const std::string text = read_text_file(kDefaultLessonFile);
    EXPECT_EQ(text.find("= View 1: 10 N, 20 E\n"), 0u) << text;
    EXPECT_NE(text.find("\n\n= View 2: "), std::string::npos) << text;

    lesson.lesson_option = "data";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(record_view_step());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("data: view not added: not a regular"),
              std::string::npos);
}

TEST(LessonRecord, AStepIsAddedAfterOneEmptyLine)
{
    EXPECT_EQ(lesson_with_step("", "= A\n"), "= A\n");
    EXPECT_EQ(lesson_with_step("= A\n", "= B\n"), "= A\n\n= B\n");
    EXPECT_EQ(lesson_with_step("= A", "= B\n"), "= A\n\n= B\n");
}
