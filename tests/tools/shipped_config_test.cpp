// shipped_config_test.cpp — the project's base configuration and the demo's are read
// to their last key, and the flat elements they place fit the default window
// without covering each other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/readinitfile.h"
#include "support/state_fixture.h"
#include "text/font_faces.h"

namespace {

struct Box {
    const char* what;
    double x0, y0, x1, y1; // screen units, y up
};

bool overlap(const Box& a, const Box& b)
{
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

} // namespace

class ShippedConfiguration : public StateTest {
  protected:
    void read(const std::string& base, const std::string& user)
    {
        series.init_file[kBaseConfig] = base;
        series.init_file[kFolderConfig] = user;
        series.init_file[kLanguageConfig] = "";
        testing::internal::CaptureStderr();
        func_readinit_file();
        errors = testing::internal::GetCapturedStderr();
    }
    std::string errors; // what the reading told on standard error
};

TEST_F(ShippedConfiguration, BaseFileIsReadToItsLastKey)
{
    read(TYX_SOURCE_DIR "/data/conf/init_conf.txt", "");
    // The last key of the file: a note that stopped the reading earlier
    // would leave the default here.
    EXPECT_DOUBLE_EQ(drawing.pscale, 0.165);
    EXPECT_EQ(icons.int_button, 27);
    EXPECT_DOUBLE_EQ(overlay.time_scale, 0.36);
    EXPECT_EQ(overlay.time_scrub, 1);
    EXPECT_EQ(txt.timebar_text, 1);
    EXPECT_EQ(series.strtexfile, "map/sample");
    EXPECT_EQ(play.anim, 0);
    // The notes hold no word that looks like a misspelt key.
    EXPECT_EQ(errors, "");
}

TEST_F(ShippedConfiguration, DemoPlaysTheEarthSeriesInALoopThroughItsLesson)
{
    // The demo folder holds its lesson where "#Lesson" names it.
    lesson.lesson_option = TYX_SOURCE_DIR "/tools/demo/lesson.txt";
    read(TYX_SOURCE_DIR "/data/conf/init_conf.txt", TYX_SOURCE_DIR "/tools/demo/conf.txt");
    EXPECT_EQ(series.strtexfile, "map/earth");
    EXPECT_EQ(series.strtexfile_s, "jpg");
    EXPECT_EQ(txt.caption_file, "data/captions.txt");
    EXPECT_EQ(play.anim, 1);
    EXPECT_EQ(play.stopornot, 1);
    EXPECT_EQ(play.animsokudo, 7);
    EXPECT_DOUBLE_EQ(play.anim_duration, 0);
    EXPECT_EQ(spin.jitenornot, 0);
    EXPECT_EQ(lesson.lesson_file, "data/conf/lesson.txt"); // the last key of the demo file
    // The demo's plot files are read; its lesson's first step hides them.
    for (int on : {plot.point_mode_onoff, plot.senga_mode_onoff, plot.arrow_mode_onoff})
        EXPECT_EQ(on, 1);
    for (int on : {plot.point_display_onoff, plot.senga_display_onoff, plot.arrow_display_onoff})
        EXPECT_EQ(on, 0);
    ASSERT_EQ(lesson.steps.size(), 3u);
    EXPECT_EQ(lesson.step, 0);
    EXPECT_EQ(errors, "");
}

TEST_F(ShippedConfiguration, IconsTimeBarAndPaletteFitTheDefaultWindowApart)
{
    read(TYX_SOURCE_DIR "/data/conf/init_conf.txt", TYX_SOURCE_DIR "/tools/demo/conf.txt");
    const double half_width = 2.0 * wnd.pixsize_x / wnd.pixsize_y;
    std::vector<Box> boxes;
    int configured = 0;
    for (int i = 0; i < kIconPlaces && i < icons.int_button; ++i) {
        if (!icons.icon_onoff_permanent[i])
            continue;
        ++configured;
        const double s = icons.icon_scale[i], x = icons.icon_posi_x[i], y = icons.icon_posi_y[i];
        boxes.push_back({"icon", x, y - s, x + s, y});
    }
    EXPECT_GE(configured, 12);
    const double t = overlay.time_scale;
    boxes.push_back({"time bar", overlay.time_x, overlay.time_y - t, overlay.time_x + 5.125 * t,
                     overlay.time_y});
    // The palette strip: one cell wide, seventeen high.
    boxes.push_back({"palette", drawing.palette_posi_x,
                     drawing.palette_posi_y - 17 * drawing.pscale,
                     drawing.palette_posi_x + drawing.pscale, drawing.palette_posi_y});
    // The demo's caption at the top left: "21 June 12:00 UTC", 17 characters
    // of at most 0.65 em, one line high, half a line in from the corner.
    const double unit = 4.0 / wnd.pixsize_y; // screen units per pixel
    const double line = 1.2 * points_to_pixels(txt.caption_size) * unit;
    const double left = -half_width + line / 2, top = 2 - line / 2;
    boxes.push_back({"caption", left, top - line, left + 17 * 0.65 * line / 1.2, top});
    // The time bar's reading stands on the bar, 0.4 of its height high.
    boxes.push_back({"time bar reading", overlay.time_x, overlay.time_y + 0.05 * t,
                     overlay.time_x + 17 * 0.65 * 0.4 * t, overlay.time_y + 0.55 * t});

    for (size_t a = 0; a < boxes.size(); ++a) {
        const Box& b = boxes[a];
        EXPECT_GE(b.x0, -half_width) << b.what << " " << a;
        EXPECT_LE(b.x1, half_width) << b.what << " " << a;
        EXPECT_GE(b.y0, -2.0) << b.what << " " << a;
        EXPECT_LE(b.y1, 2.0) << b.what << " " << a;
        for (size_t c = a + 1; c < boxes.size(); ++c)
            EXPECT_FALSE(overlap(b, boxes[c]))
                << b.what << " " << a << " and " << boxes[c].what << " " << c;
    }
}
