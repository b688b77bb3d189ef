// stroke_store_test.cpp — undo and redo across colour changes, what undo frees
// and when redo is refused, the fade levels, drawing mode, and the look of
// fixed and pen-following strokes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/readinitfile.h"
#include "drawing/drawing_fixture.h"

namespace {

using StrokeStore = DrawingTest;

const float kRed[4] = {1, 0, 0, 1};
const float kGreen[4] = {0, 1, 0, 1};
const float kBlue[4] = {0, 0, 1, 1};

// A short horizontal stroke of three points at row y.
void stroke_at(int y)
{
    draw_stroke({{380, y}, {390, y}, {400, y}});
}

std::vector<float> colour_of(int k)
{
    float width, c[4];
    stroke_pen(k, &width, c);
    return {c[0], c[1], c[2], c[3]};
}

std::vector<float> rgba(const float c[4])
{
    return {c[0], c[1], c[2], c[3]};
}

TEST_F(StrokeStore, UndoAndRedoAcrossColourChangesRestoreStrokesAndColours)
{
    const std::vector<float> white = {1, 1, 1, 1};
    stroke_at(280); // white pen
    select_pen_color(kRed);
    stroke_at(300);
    select_pen_color(kGreen);
    stroke_at(320); // still follows the pen
    const std::vector<std::vector<float>> before = {colour_of(0), colour_of(1), colour_of(2)};
    ASSERT_EQ(before, (std::vector<std::vector<float>>{white, rgba(kRed), rgba(kGreen)}));
    double last_point[3];
    for (int i = 0; i < 3; i++)
        last_point[i] = drawing.d_zahyo[8][i];

    EXPECT_TRUE(undo_stroke());
    EXPECT_TRUE(undo_stroke()); // past the change to green
    EXPECT_EQ(drawing.linenum, 1);
    EXPECT_TRUE(redo_stroke());
    EXPECT_TRUE(redo_stroke());
    EXPECT_FALSE(redo_stroke());
    EXPECT_EQ(drawing.linenum, 3);
    EXPECT_EQ(drawing.pointnum, 9);
    EXPECT_EQ((std::vector<std::vector<float>>{colour_of(0), colour_of(1), colour_of(2)}), before);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(drawing.d_zahyo[8][i], last_point[i]);

    // A new colour fixes the stroke that followed the pen; undoing below the
    // fixed strokes and back keeps each one's colour.
    select_pen_color(kRed);
    EXPECT_EQ(colour_of(2), rgba(kGreen));
    undo_stroke();
    undo_stroke();
    undo_stroke();
    redo_stroke();
    redo_stroke();
    redo_stroke();
    EXPECT_EQ((std::vector<std::vector<float>>{colour_of(0), colour_of(1), colour_of(2)}), before);
    stroke_at(340);
    EXPECT_EQ(colour_of(3), rgba(kRed));
}

TEST_F(StrokeStore, UndoFreesTheStrokesPointsAndANewStrokeRulesOutRedo)
{
    stroke_at(280);
    stroke_at(300);
    ASSERT_TRUE(undo_stroke());
    EXPECT_EQ(drawing.pointnum, 3) << "the removed stroke's points are free again";
    stroke_at(320);
    EXPECT_EQ(drawing.lines[1][0], 3);
    EXPECT_FALSE(redo_stroke()) << "stroke 1's points now belong to the new stroke";
    EXPECT_EQ(drawing.linenum, 2);
    // Also after undoing two: the new stroke took the first one's place.
    stroke_at(330);
    undo_stroke();
    undo_stroke();
    stroke_at(335);
    EXPECT_FALSE(redo_stroke());
    EXPECT_EQ(drawing.linenum, 2);

    // Drawing and undoing over and over never fills the store.
    for (int i = 0; i < 100; i++) {
        stroke_at(340);
        undo_stroke();
    }
    EXPECT_EQ(drawing.pointnum, 6);

    // A key pressed mid-stroke removes that stroke.
    capture_stroke_sample(380, 330, false);
    capture_stroke_sample(390, 330, false);
    EXPECT_TRUE(undo_stroke());
    EXPECT_EQ(drawing.line_continue, 0);
    EXPECT_EQ(drawing.linenum, 2);
    EXPECT_EQ(drawing.pointnum, 6);
}

TEST_F(StrokeStore, FadeLevelsStepByTheExponentAndEndInvisible)
{
    EXPECT_EQ(drawing.line_alpha_multiply, 1.0f);
    for (int level = 2; level <= 16; level++) {
        fade_strokes_more();
        float expected = level == 16 ? 0.0f : std::pow(0.8f, static_cast<float>(level - 1));
        EXPECT_FLOAT_EQ(drawing.line_alpha_multiply, expected) << level;
    }
    fade_strokes_more(); // the highest level holds
    EXPECT_EQ(drawing.line_alpha_multiply_levels, 16);
    fade_strokes_less();
    EXPECT_FLOAT_EQ(drawing.line_alpha_multiply, std::pow(0.8f, 14.0f));
    for (int i = 0; i < 20; i++)
        fade_strokes_less();
    EXPECT_EQ(drawing.line_alpha_multiply_levels, 1);
    EXPECT_EQ(drawing.line_alpha_multiply, 1.0f);
}

TEST_F(StrokeStore, DrawingModeTakesOverDragsAndShowsTheEraseAndSaveIcons)
{
    struct Case {
        int perspec;
        int configured_nomousedrag;
        int drawing_after_p;
    };
    for (Case c : {Case{2, 0, 1}, Case{2, 1, 1}, Case{1, 0, 0}}) {
        SCOPED_TRACE(testing::Message()
                     << "perspec " << c.perspec << ", nomousedrag " << c.configured_nomousedrag);
        reset_viewer_state();
        face(0, 0);
        wnd.perspec = c.perspec;
        view.nomousedrag = c.configured_nomousedrag;
        icons.icon_onoff_permanent[24] = 1; // erase icon configured, save icon not
        toggle_drawing_mode();
        EXPECT_EQ(drawing.drawing_onoff, c.drawing_after_p);
        EXPECT_EQ(view.nomousedrag, c.drawing_after_p == 1 ? 1 : c.configured_nomousedrag);
        EXPECT_EQ(icons.icon_onoff[24], c.drawing_after_p);
        EXPECT_EQ(icons.icon_onoff[25], 0);

        capture_stroke_sample(380, 300, false); // a stroke left open by the key
        toggle_drawing_mode();
        EXPECT_EQ(drawing.drawing_onoff, 0);
        EXPECT_EQ(view.nomousedrag, c.configured_nomousedrag);
        EXPECT_EQ(icons.icon_onoff[24], 0);
        EXPECT_EQ(drawing.line_continue, 0);
    }
}

// What the end-to-end case cannot see: a reload in the middle of a stroke,
// and the drag setting it read once drawing mode ends.
TEST_F(StrokeStore, AReloadDuringAStrokeKeepsItsPenAndItsDragSettingForLater)
{
    series.init_file[kFolderConfig] = series.init_file[kLanguageConfig] = "";
    auto reload = [this](const std::string& text) {
        series.init_file[kBaseConfig] = dir.write("conf.txt", text);
        func_readinit_file();
    };
    toggle_drawing_mode();
    capture_stroke_sample(380, 300, false);
    capture_stroke_sample(390, 300, false);
    reload("#NoMouseDragRotation 1\n#LineThicknessColor 2 0 0 1 1\n");
    end_stroke();
    stroke_at(320);
    EXPECT_EQ(colour_of(0), (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(colour_of(1), rgba(kBlue));
    EXPECT_EQ(view.nomousedrag, 1);
    toggle_drawing_mode();
    EXPECT_EQ(view.nomousedrag, 1) << "the reloaded setting holds after drawing mode";
}

TEST_F(StrokeStore, FixedStrokesKeepTheirLookWhileTheOthersFollowThePen)
{
    EXPECT_EQ(visible_stroke_count(), 0);
    stroke_at(280);
    drawing.line_width_drawing = 4;
    select_pen_color(kRed); // fixes stroke 0: width 4, white
    capture_stroke_sample(380, 320, false);
    capture_stroke_sample(390, 320, false); // in progress: drawn too
    ASSERT_EQ(visible_stroke_count(), 2);

    drawing.line_width_drawing = 7; // the configuration changed the pen
    view.scale_factor = -2;         // a negative eye position's zoom
    fade_strokes_more();
    StrokeLook fixed = stroke_look(0), open = stroke_look(1);
    EXPECT_EQ(fixed.width, 8);
    EXPECT_EQ(rgba(fixed.color), (std::vector<float>{1, 1, 1, 0.8f}));
    EXPECT_EQ(fixed.first, 0);
    EXPECT_EQ(fixed.last, 2);
    EXPECT_EQ(open.width, 14);
    EXPECT_EQ(rgba(open.color), (std::vector<float>{1, 0, 0, 0.8f}));
    EXPECT_EQ(drawing.mat_color_drawing[0][3], 1) << "the fade leaves the stored alpha";

    drawing.drawing_display_onoff = 0;
    EXPECT_EQ(visible_stroke_count(), 0);
}

} // namespace
