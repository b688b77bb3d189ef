// notices_test.cpp — a notice shown, faded and gone; the series-without-maps
// notice; the texts of the speed notices; what commands and saves post.
#include "text/notices.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "drawing/drawing_store.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"
#include "view/key_actions.h"

namespace {

class Notices : public StateTest {
  protected:
    std::string shown(double now, float* opacity = nullptr)
    {
        std::string text;
        float o = -1;
        if (!notice_to_show(now, &text, &o))
            return "(none)";
        if (opacity != nullptr)
            *opacity = o;
        return text;
    }
};

} // namespace

TEST_F(Notices, ANoticeShowsForThreeSecondsThenFadesAndGoes)
{
    EXPECT_EQ(shown(0), "(none)");
    post_notice("Drawing saved to data/draw/lines.txt");
    EXPECT_TRUE(notice_changing(100)); // not yet shown: draw it soon
    float opacity = 0;
    // Its time starts when first drawn, not when posted.
    EXPECT_EQ(shown(100, &opacity), "Drawing saved to data/draw/lines.txt");
    EXPECT_FLOAT_EQ(opacity, 1);
    EXPECT_FALSE(notice_changing(102.9));
    shown(103.25, &opacity);
    EXPECT_NEAR(opacity, 0.5, 1e-6);
    EXPECT_TRUE(notice_changing(103.25));
    EXPECT_EQ(shown(103.6), "(none)");
    EXPECT_FALSE(notice_changing(103.6));

    // A new notice takes the place of the one shown, with its own time.
    post_notice("first");
    shown(200);
    post_notice("second");
    EXPECT_EQ(shown(202.5, &opacity), "second");
    EXPECT_EQ(shown(205, &opacity), "second");
    EXPECT_FLOAT_EQ(opacity, 1);

    txt.notices_onoff = 0;
    EXPECT_EQ(shown(205), "(none)");
}

TEST_F(Notices, ASeriesWithoutMapsSaysSoForAsLongAsItLasts)
{
    series.strtexfile = "maps/day";
    series.strtexfile_s = "jpg";
    play.tex_start = 0;
    play.ntimemax = 0;
    EXPECT_EQ(shown(0), "No maps: maps/day0.jpg not found");
    EXPECT_EQ(shown(1000), "No maps: maps/day0.jpg not found");
    play.ntimemax = 3;
    EXPECT_EQ(shown(1000), "(none)");
    EXPECT_EQ(empty_series_notice(), "");
}

TEST_F(Notices, SpeedKeysAndRefusalsTellWhatTheyDid)
{
    EXPECT_EQ(play_speed_notice(10, 0.2), "Speed 10: 10 maps/s");
    EXPECT_EQ(play_speed_notice(8, 0.2), "Speed 8: 5 maps/s");
    EXPECT_EQ(spin_speed_notice(6, 0.3), "Spin speed 6: 0.018\u00b0 per frame");

    struct Case {
        unsigned char key;
        const char* before; // state set up first: "perspective" or ""
        const char* notice;
    };
    const Case cases[] = {
        {'+', "", "Speed 9: 7.07 maps/s"},
        {'-', "", "Speed 7: 3.54 maps/s"},
        {'>', "", "Spin speed 7: 0.021\u00b0 per frame"},
        {'p', "perspective", "No drawing in the perspective view: switch to the flat view first"},
        {'v', "", "Not saved: the drawing is saved in drawing mode (p, then v)"},
    };
    for (const Case& c : cases) {
        reset_viewer_state();
        if (std::string(c.before) == "perspective")
            wnd.perspec = 1;
        character_key(c.key, false);
        EXPECT_EQ(shown(0), c.notice) << c.key;
    }
    // Turning drawing mode off in the perspective view is no refusal.
    reset_viewer_state();
    drawing.drawing_onoff = 1;
    wnd.perspec = 1;
    character_key('p', false);
    EXPECT_EQ(shown(0), "(none)");
}

TEST_F(Notices, ASaveTellsWhereOrWhyNot)
{
    TempDir dir;
    EXPECT_TRUE(save_drawings_as((dir.path() + "/lines.txt").c_str()));
    EXPECT_EQ(shown(0), "Drawing saved to " + dir.path() + "/lines.txt");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(save_drawings_as((dir.path() + "/lines.txt/inside").c_str()));
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown(10), "Drawing not saved: " + dir.path() + "/lines.txt/inside: Not a directory")
        << told;
}
