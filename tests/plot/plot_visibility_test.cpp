// plot_visibility_test.cpp — what the globe hides of its overlays: never a
// point whose way to the eye misses the globe, and most of the far side.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/line_levels.h"
#include "plot/plot_visibility.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A view of the globe scaled by `zoom`, turned about x by `tilt` degrees,
// seen from 20 units away; orthographic with the default half-height 2, or
// perspective with the field of view that shows the same size at the centre.
GlobeView make_view(double zoom, double tilt, bool perspective)
{
    GlobeView v = {};
    const double c = std::cos(tilt * M_PI / 180), s = std::sin(tilt * M_PI / 180);
    const double m[16] = {zoom, 0,         0,        0, 0, zoom * c, zoom * s, 0,
                          0,    -zoom * s, zoom * c, 0, 0, 0,        -20,      1};
    std::copy(m, m + 16, v.model_to_eye);
    const double aspect = double(kWidth) / kHeight;
    if (perspective) {
        const double f = 20.0 / 2; // cot(fovy / 2) for a half-height of 2 at the centre
        const double n = 0.1, far = 40;
        const double p[16] = {f / aspect,
                              0,
                              0,
                              0,
                              0,
                              f,
                              0,
                              0,
                              0,
                              0,
                              (far + n) / (n - far),
                              -1,
                              0,
                              0,
                              2 * far * n / (n - far),
                              0};
        std::copy(p, p + 16, v.projection);
    } else {
        const double p[16] = {1 / (2 * aspect), 0, 0, 0, 0, 0.5, 0, 0, 0, 0, -2 / 39.9, 0, 0, 0,
                              -40.1 / 39.9,     1};
        std::copy(p, p + 16, v.projection);
    }
    v.viewport_width = kWidth;
    v.viewport_height = kHeight;
    return v;
}

// Whether the way from the model point to the eye passes through the unit
// sphere shrunk to the mesh's innermost faces, sampled finely.
bool truly_hidden(const GlobeView& v, const float* p, bool perspective)
{
    const double* m = v.model_to_eye;
    double q[3];
    for (int r = 0; r < 3; r++)
        q[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    const double zoom = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    for (int k = 1; k <= 4000; k++) {
        const double t = k / 4000.0;
        double x[3];
        for (int r = 0; r < 3; r++)
            x[r] = perspective ? q[r] * (1 - t) : q[r] + (r == 2 ? 60 * t : 0);
        x[2] -= m[14];
        if (std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]) < 0.998 * zoom)
            return true;
    }
    return false;
}

} // namespace

TEST(PlotVisibility, HidesOnlyWhatTheGlobeCoversAndMostOfTheFarSide)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1, 1);
    for (bool perspective : {false, true})
        for (double tilt : {0.0, 40.0}) {
            SCOPED_TRACE(testing::Message() << "perspective " << perspective << " tilt " << tilt);
            const GlobeView view = make_view(1.45, tilt, perspective);
            const GlobeOccluder o = globe_occluder(view);
            ASSERT_TRUE(o.active);
            int far_side = 0, far_hidden = 0;
            for (int i = 0; i < 3000; i++) {
                float p[3] = {unit(random), unit(random), unit(random)};
                const float n = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
                const float radius = 1.001f + (i % 3) * 0.2f; // on and above the globe
                for (float& c : p)
                    c *= radius / n;
                const bool hidden = point_hidden(o, p, 0, 0);
                if (hidden) {
                    EXPECT_TRUE(truly_hidden(view, p, perspective))
                        << p[0] << " " << p[1] << " " << p[2];
                }
                // Well behind the globe: (0, sin, cos) points to the eye.
                const double towards_eye =
                    p[1] * std::sin(tilt * M_PI / 180) + p[2] * std::cos(tilt * M_PI / 180);
                if (towards_eye < -0.5 && radius < 1.1f) {
                    far_side++;
                    far_hidden += hidden;
                }
            }
            EXPECT_EQ(far_hidden, far_side);
        }
}

TEST(PlotVisibility, ReachAroundAPointOrASegmentMustBeHiddenToo)
{
    const GlobeOccluder o = globe_occluder(make_view(1, 0, false));
    // Behind the globe, 0.9 from its axis: 0.09 short of the inner ball's edge.
    const float behind[3] = {0.9f, 0, -0.5f};
    EXPECT_TRUE(point_hidden(o, behind, 0, 0));
    EXPECT_TRUE(point_hidden(o, behind, 0.05, 0));
    EXPECT_FALSE(point_hidden(o, behind, 0.1, 0));
    // A pixel of the orthographic view is 4 / 600 units.
    EXPECT_TRUE(point_hidden(o, behind, 0, 10));
    EXPECT_FALSE(point_hidden(o, behind, 0, 15));

    const float other[3] = {-0.9f, 0, -0.5f}, outside[3] = {1.1f, 0, -0.5f};
    EXPECT_TRUE(segment_hidden(o, behind, other, 3));
    EXPECT_FALSE(segment_hidden(o, behind, outside, 3));
}

TEST(PlotVisibility, NothingIsLeftOutOfAMirroredOrInsideView)
{
    // A negative zoom mirrors the globe: its far faces are the drawn ones.
    EXPECT_FALSE(globe_occluder(make_view(-1.45, 0, false)).active);
    // An eye inside the globe sees no faces from their front.
    EXPECT_FALSE(globe_occluder(make_view(25, 0, true)).active);
    GlobeView skewed = make_view(1, 0, false);
    skewed.model_to_eye[4] = 0.3; // axes not square to each other
    EXPECT_FALSE(globe_occluder(skewed).active);
    const float behind[3] = {0, 0, -1.001f};
    EXPECT_FALSE(point_hidden(GlobeOccluder(), behind, 0, 0));
}

TEST(PlotVisibility, StripsBreakWhereTheGlobeHidesTheLineOrTheViewEnds)
{
    // Round the equator in 5-degree steps, seen from its plane at zoom 1 (the
    // near side is y < 0): from the far side round to the near side and back.
    const GlobeOccluder o = globe_occluder(make_view(1, -90, false));
    LineLayer layer;
    for (int k = 0; k <= 72; k++) {
        const double a = M_PI + k * M_PI / 36;
        layer.point.push_back({float(1.012 * std::sin(a)), float(-1.012 * std::cos(a)), 0});
    }
    layer.line.push_back({0, 73, 2, {1, 1, 1, 1}});
    // A second line of another width beyond the right edge of the view.
    layer.point.push_back({3.5f, 0, 0});
    layer.point.push_back({3.5f, 0.5f, 0});
    layer.line.push_back({73, 2, 4, {1, 1, 1, 1}});
    std::vector<float> rank;
    rank_line_points(layer, rank);
    LineLevel level;
    build_line_level(layer, rank, 0, level);
    ASSERT_GT(level.chunk.size(), 1u); // the culling also works across chunks
    LineStrips strips;
    collect_visible_strips(level, o, 1, strips);
    // One strip over the near half, from a little behind one limb (vertex
    // 18) to a little behind the other (vertex 54); the other line is not
    // sent at all.
    ASSERT_EQ(strips.run.size(), 1u);
    ASSERT_EQ(strips.first.size(), 1u);
    EXPECT_EQ(strips.run[0].width, 2);
    const int first = strips.first[0], last = first + strips.count[0] - 1;
    EXPECT_LE(first, 18);
    EXPECT_GE(first, 12);
    EXPECT_GE(last, 54);
    EXPECT_LE(last, 60);
    // Drawn whole, nothing is left out and each line is one strip.
    collect_visible_strips(level, GlobeOccluder(), 1, strips);
    ASSERT_EQ(strips.run.size(), 2u);
    EXPECT_EQ(strips.count[0], 73);
    EXPECT_EQ(strips.count[1], 2);
}
