// raster_test.cpp — coverage sampling of the generators' shapes.
#include "tools/raster.h"

#include <gtest/gtest.h>

TEST(Raster, EdgesAreAveragedOverTheSamples)
{
    Canvas c = make_canvas(2, 1);
    fill_rect(c, 0, 0, 1.5, 1, {200, 100, 40}); // pixel 1 half covered
    const Picture p = resolve_canvas(c);
    EXPECT_EQ(p.rgb[0], 200);
    EXPECT_EQ(p.rgb[3], 100);
    EXPECT_EQ(p.rgb[4], 50);
    EXPECT_EQ(p.rgb[5], 20);
}

TEST(Raster, TouchedPixelsNeverRoundToBlackOrZeroChannels)
{
    Canvas c = make_canvas(1, 1);
    // One sample of sixteen, in a dim colour: the average rounds to 0 in
    // red and blue, which would leave the pixel half transparent.
    fill_rect(c, 0, 0, 0.2, 0.2, {4, 200, 4});
    const Picture p = resolve_canvas(c);
    EXPECT_EQ(p.rgb[0], 1);
    EXPECT_EQ(p.rgb[1], 13);
    EXPECT_EQ(p.rgb[2], 1);
    // Untouched pixels stay pure black.
    const Picture empty = resolve_canvas(make_canvas(1, 1));
    EXPECT_EQ(empty.rgb, std::vector<std::uint8_t>(3, 0));
}

TEST(Raster, LaterShapesCoverEarlierOnes)
{
    Canvas c = make_canvas(8, 8);
    fill_circle(c, {4, 4}, 4, {10, 10, 10});
    stroke_line(c, {0, 4}, {8, 4}, 2, {250, 250, 250});
    const Picture p = resolve_canvas(c);
    EXPECT_EQ(p.rgb[(3 * 8 + 4) * 3], 250); // on the line
    EXPECT_EQ(p.rgb[(1 * 8 + 4) * 3], 10);  // circle only
    EXPECT_EQ(p.rgb[(0 * 8 + 0) * 3], 0);   // corner outside the circle
}

TEST(Raster, PolygonUsesTheEvenOddRule)
{
    // A triangle: the pixel right of its tip is empty, the one at its base full.
    Canvas c = make_canvas(4, 4);
    fill_polygon(c, {{0, 0}, {4, 2}, {0, 4}}, {90, 90, 90});
    const Picture p = resolve_canvas(c);
    EXPECT_EQ(p.rgb[(2 * 4 + 0) * 3], 90);
    EXPECT_EQ(p.rgb[(0 * 4 + 3) * 3], 0);
}

TEST(Raster, TextWidthMatchesTheStrokes)
{
    const double w = text_width("12:00 UTC", 20);
    Canvas c = make_canvas(static_cast<int>(w) + 10, 30);
    const double end = stroke_text(c, "12:00 UTC", {5, 5}, 20, 2, {200, 200, 200});
    EXPECT_GT(end, 5 + w);
    // Nothing drawn beyond the measured width plus half a stroke.
    const Picture p = resolve_canvas(c);
    for (int y = 0; y < p.height; ++y)
        for (int x = static_cast<int>(5 + w + 2); x < p.width; ++x)
            EXPECT_EQ(p.rgb[(static_cast<size_t>(y) * p.width + x) * 3], 0) << x << "," << y;
}
