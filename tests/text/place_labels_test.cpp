// place_labels_test.cpp — names read from points lines, the labels made of
// them, and where a label lands in the window for a known view.
#include "text/place_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "plot/plot_files.h"
#include "support/state_fixture.h"

namespace {

class PlaceLabels : public StateTest {
  protected:
    void read_points(const std::string& content)
    {
        PlotText text;
        open_plot_memory(text, content.data(), content.size());
        read_point_text(text, "points", plot_point_store(), plot.d_radius_point);
    }
};

// The program's camera at distance 20 looking at a globe of zoom `zoom` in
// an 800 x 600 window: orthographic with half-height 2, or perspective with
// the field of view that shows the same at the globe's centre.
GlobeView known_view(bool perspective, double zoom, double globe_z = -20)
{
    GlobeView v = {};
    v.viewport_width = 800;
    v.viewport_height = 600;
    double* m = v.model_to_eye;
    m[0] = m[5] = m[10] = zoom;
    m[14] = globe_z;
    m[15] = 1;
    double* p = v.projection;
    const double aspect = 800.0 / 600, near = 0.1, far = 40;
    if (perspective) {
        const double f = 20 / 2.0; // 1 / tan(half the field of view)
        p[0] = f / aspect;
        p[5] = f;
        p[10] = (far + near) / (near - far);
        p[11] = -1;
        p[14] = 2 * far * near / (near - far);
    } else {
        p[0] = 1 / (2 * aspect);
        p[5] = 0.5;
        p[10] = -2 / (far - near);
        p[14] = -(far + near) / (far - near);
        p[15] = 1;
    }
    return v;
}

} // namespace

TEST_F(PlaceLabels, ANameFollowsTheNinthNumberAsWritten)
{
    plot.point_mode_onoff = 1;
    read_points("10,20,1,0.05,3,1,1,1,1, Z\xC3\xBCrich  ! a comment\n"
                "10,20,1,0.05,3,1,1,1,1 \"S\xC3\xA3o Paulo\"\n"
                "10,20,1,0.05,3,1,1,1,1,\"Hello! 1, 2\" ! quoted: the ! and commas stay\n"
                "10,20,1,0.05,3,1,1,1,1\n"                  // nine numbers: no name
                "10,20,1,0.05,3,1,1,1,1,   \t\n"            // blanks only: no name
                "10,20,1,0.05,3,1,1,1\n"                    // eight numbers: no point
                "10,20,1,0.05,3,1,1,1,0.5,\"open quote\n"); // the line ends the name
    ASSERT_EQ(plot.num_point, 6);
    ASSERT_EQ(plot.point_labels.size(), 4u);
    const std::pair<int, std::string> expected[] = {
        {0, "Z\xC3\xBCrich"}, {1, "S\xC3\xA3o Paulo"}, {2, "Hello! 1, 2"}, {5, "open quote"}};
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(plot.point_labels[i].point, expected[i].first);
        EXPECT_EQ(plot.point_labels[i].text, expected[i].second);
    }
    EXPECT_FLOAT_EQ(plot.mat_color_point[5][3], 0.5f); // the name does not touch the numbers

    // A step's names go with its points.
    plot.num_point_permanent = 2;
    plot.str_points = "/nonexistent/points";
    read_step_plot_files(3);
    ASSERT_EQ(plot.point_labels.size(), 2u);
    EXPECT_EQ(plot.point_labels[1].text, "S\xC3\xA3o Paulo");
}

TEST_F(PlaceLabels, LabelsStandBesideTheirSymbols)
{
    // A square of size 0.05 on the equator at longitude 0, facing the eye
    // of a view turned to it; an unnamed point; a named point of no symbol.
    read_points("0,0,1,0.05,3,1,1,1,1,Gulf\n0,10,1,0.05,0,1,1,1,1\n0,20,1,0.05,99,1,1,1,1,x\n");
    std::vector<PlaceLabel> labels;
    collect_point_labels(&labels);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "Gulf");
    // Longitude 0 lies on -x (longitude + 180 is the angle from +x).
    EXPECT_NEAR(labels[0].position[0], -1.001, 1e-6);
    EXPECT_NEAR(labels[0].position[2], 0, 1e-6);
    // Half the square's diagonal, grown by its black rim (0.1 on 0.5).
    EXPECT_NEAR(labels[0].clearance, 0.05 * std::sqrt(0.5) * 1.2, 1e-6);
    EXPECT_EQ(labels[1].clearance, 0);
}

TEST_F(PlaceLabels, ASpotIsThePointsPixelMovedPastItsSymbolOrNothingOnTheFarSide)
{
    struct Case {
        const char* what;
        bool perspective;
        double zoom;
        float position[3];
        bool shown;
        float x, y;
    };
    // Orthographic: 150 pixels per unit at zoom 1; perspective: 10 / aspect
    // * 400 / depth pixels per unit at the point's depth.
    const double ortho = 150, near_depth = 20 - 1.001;
    const double persp = 7.5 * 400 / near_depth;
    const Case cases[] = {
        {"front centre", false, 1, {0, 0, 1.001f}, true, float(400 + 0.05 * ortho + 4), 300},
        {"right and up",
         false,
         1,
         {0.6006f, 0.3003f, 0.7423f},
         true,
         float(400 + 0.6506 * ortho + 4),
         float(300 - 0.3003 * ortho)},
        {"zoomed in", false, 2, {0, 0, 1.001f}, true, float(400 + 0.1 * ortho + 4), 300},
        {"far side", false, 1, {0.3f, 0, -0.95f}, false, 0, 0},
        {"just behind the rim", false, 1, {0.99f, 0, -0.05f}, false, 0, 0},
        {"perspective front", true, 1, {0, 0, 1.001f}, true, float(400 + 0.05 * persp + 4), 300},
        {"perspective far side", true, 1, {0, 0.2f, -0.97f}, false, 0, 0},
    };
    for (const Case& c : cases) {
        const LabelSpot spot = place_label(known_view(c.perspective, c.zoom), c.position, 0.05f, 4);
        EXPECT_EQ(spot.shown, c.shown) << c.what;
        if (c.shown) {
            EXPECT_NEAR(spot.x, c.x, 0.3) << c.what;
            EXPECT_NEAR(spot.y, c.y, 0.3) << c.what;
        }
    }
    // A globe behind the eye shows nothing.
    const float front[3] = {0, 0, 1.001f};
    EXPECT_FALSE(place_label(known_view(true, 1, 5), front, 0.05f, 4).shown);
}

TEST(LabelRoom, ALabelThatWouldCoverAnEarlierOneIsRefused)
{
    LabelRoom room;
    clear_label_room(room, 800, 600);
    EXPECT_TRUE(claim_label_room(room, 100, 100, 180, 120));
    EXPECT_FALSE(claim_label_room(room, 170, 110, 250, 130)); // overlaps the first
    EXPECT_TRUE(claim_label_room(room, 190, 110, 270, 130));  // beside it
    EXPECT_TRUE(claim_label_room(room, 170, 135, 250, 145));  // below both
    // A refused box took nothing: the place beside it is still free.
    EXPECT_TRUE(claim_label_room(room, 280, 110, 300, 130));
    // Partly outside the window counts for its inside; wholly outside is refused.
    EXPECT_TRUE(claim_label_room(room, 780, 590, 900, 700));
    EXPECT_FALSE(claim_label_room(room, 790, 595, 800, 600));
    EXPECT_FALSE(claim_label_room(room, 900, 10, 950, 20));
    EXPECT_FALSE(claim_label_room(room, -50, 10, -10, 20));
    // A new drawing starts with the whole window free.
    clear_label_room(room, 800, 600);
    EXPECT_TRUE(claim_label_room(room, 170, 110, 250, 130));
}
