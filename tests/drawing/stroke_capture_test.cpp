// stroke_capture_test.cpp — drag samples into stroke points: they stay under
// the pointer at any view and survive the file, fast drags are filled in,
// leaving the globe ends a stroke, and a full store takes nothing more.
#include <gtest/gtest.h>

#include <string>

#include "drawing/drawing_fixture.h"
#include "plot/plot_readers.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

using StrokeCapture = DrawingTest;

// The file keeps six significant digits: half a unit of the sixth.
double six_digits(double v)
{
    return 5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 6) + 1e-9;
}

struct View {
    const char* name;
    double ez;
    float zoom;
    float shift[2];
    double spin;       // degrees
    double centre_lon; // longitude at the globe's centre; NAN when not known
};

// A stroke point lies above the map spot under the pointer (drawn at radius
// d_radius, it shows 1.2 % further out from the globe's centre, as plotted
// lines do).
TEST_F(StrokeCapture, PointsLieOverTheSpotUnderThePointerAndReadBackFromTheFile)
{
    const View views[] = {
        {"zoomed, shifted, spun", 20, 1.5f, {0.2f, -0.2f}, 12.5, 30 - 12.5},
        // A negative eye position turns the camera and stores the zoom negated.
        {"eye behind", -20, -1.5f, {0.2f, -0.2f}, 12.5, NAN},
    };
    for (const View& v : views) {
        SCOPED_TRACE(v.name);
        reset_viewer_state();
        wnd.ez = v.ez;
        face(40, 30);
        view.scale_factor = v.zoom;
        view.trans[0] = v.shift[0];
        view.trans[1] = v.shift[1];
        spin.thetajiten = v.spin;

        // The globe's centre (shown 0.3 view units right and down in both
        // views), then steps short enough to store one point each.
        const int cx = 445, cy = 345;
        std::vector<std::pair<int, int>> path;
        for (int i = 0; i < 8; i++)
            path.push_back({cx + 15 * i, cy - 9 * i});
        draw_stroke(path);
        ASSERT_EQ(drawing.pointnum, 8);

        for (int i = 0; i < 8; i++) {
            Shown s = shown_at(drawing.d_zahyo[i]);
            EXPECT_NEAR(s.px, path[i].first, 1e-6) << i;
            EXPECT_NEAR(s.py, path[i].second, 1e-6) << i;
            EXPECT_TRUE(s.kept_side) << i << ": on the half of the globe that is drawn";
        }
        if (!std::isnan(v.centre_lon)) { // up to the start-up's rounded constants
            EXPECT_NEAR(lat_lon(drawing.d_zahyo[0]).first, 40, 1e-5);
            EXPECT_NEAR(lat_lon(drawing.d_zahyo[0]).second, v.centre_lon, 1e-5);
        }

        ASSERT_TRUE(save_drawings_as("strokes.txt"));
        static double points[16][3];
        static int ranges[4][2];
        static float widths[4], colors[4][4];
        int point_count = 0, line_count = 0;
        read_lines("strokes.txt",
                   {points, ranges, widths, colors, &point_count, &line_count, 16, 4},
                   drawing.d_radius);
        ASSERT_EQ(point_count, 8);
        ASSERT_EQ(line_count, 1);
        for (int i = 0; i < 8; i++) {
            auto read = lat_lon(points[i]), drawn = lat_lon(drawing.d_zahyo[i]);
            EXPECT_NEAR(read.first, drawn.first, six_digits(drawn.first)) << i;
            EXPECT_NEAR(read.second, drawn.second, six_digits(drawn.second)) << i;
        }
    }
}

TEST_F(StrokeCapture, FastDragsAreFilledInAndLeavingTheGlobeEndsTheStroke)
{
    // The globe is the disc of radius 150 pixels about (400, 300).
    capture_stroke_sample(100, 300, false); // starts off the globe: nothing yet
    EXPECT_EQ(drawing.line_continue, 0);
    capture_stroke_sample(300, 300, false);
    capture_stroke_sample(500, 300, false); // 4/3 of the disc's radius in one event
    ASSERT_EQ(drawing.line_continue, 1);
    EXPECT_EQ(drawing.pointnum, 1 + 14);
    for (int i = 1; i < drawing.pointnum; i++) {
        Shown a = shown_at(drawing.d_zahyo[i - 1]), b = shown_at(drawing.d_zahyo[i]);
        EXPECT_LE(std::hypot(b.px - a.px, b.py - a.py), kStrokeStep * 150 + 1e-9) << i;
    }
    EXPECT_NEAR(shown_at(drawing.d_zahyo[14]).px, 500, 1e-6);

    capture_stroke_sample(700, 300, false); // off the globe: the stroke ends
    EXPECT_EQ(drawing.line_continue, 0);
    EXPECT_EQ(drawing.linenum, 1);
    EXPECT_EQ(drawing.lines[0][0], 0);
    EXPECT_EQ(drawing.lines[0][1], 14);

    capture_stroke_sample(450, 300, false); // back on: a new stroke of its own
    EXPECT_EQ(drawing.line_continue, 1);
    EXPECT_EQ(drawing.lines[1][0], 15);
    EXPECT_EQ(drawing.pointnum, 16);
}

TEST_F(StrokeCapture, AFullStoreTakesNoMorePointsAndSaysSoOnce)
{
    drawing.pointnum = kMaxDrawPoints - 2;
    drawing.linenum = 3;
    CaptureStderr();
    capture_stroke_sample(300, 300, false);
    capture_stroke_sample(500, 300, false); // wants 14 points, 1 fits
    capture_stroke_sample(400, 350, false);
    end_stroke();
    capture_stroke_sample(400, 300, false); // no room for a new stroke either
    std::string said = GetCapturedStderr();
    EXPECT_EQ(drawing.pointnum, kMaxDrawPoints);
    EXPECT_EQ(drawing.linenum, 4);
    EXPECT_EQ(drawing.lines[3][0], kMaxDrawPoints - 2);
    EXPECT_EQ(drawing.lines[3][1], kMaxDrawPoints - 1);
    EXPECT_EQ(drawing.line_continue, 0);
    EXPECT_NE(said.find("full"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;

    // Every stroke entry taken: no stroke starts, nothing is overwritten.
    reset_viewer_state();
    face(0, 0);
    drawing.linenum = kMaxStrokes;
    CaptureStderr();
    capture_stroke_sample(400, 300, false);
    EXPECT_NE(GetCapturedStderr().find("full"), std::string::npos);
    EXPECT_EQ(drawing.pointnum, 0);
    EXPECT_EQ(drawing.line_continue, 0);
}

} // namespace
